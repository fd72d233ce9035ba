#pragma once

#include "model/rules/classdivision/division_work.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace gakunen {

class StudentTable;
class TableHost;
struct SharedState;

// Who a student of a class list is, for remembering the students moved by
// hand while the rows are regrouped: old class, name and total.
QString StudentKey(const StudentTable& list, int row);

// The per-class balance table beside the class list ("BalanceReport"):
// "新組", "人数", then "男" and "女", "配慮" and "離す" where the list has
// those conditions ("離す" counts the students who share their code with a
// classmate), "平均" (the mean total of the students who have one) and one
// column per old class; a row "計" for the year-group ends it. A figure
// that breaks a goal carries "＊": a count more than 1 away from another
// class's, a 離す figure above 0, a mean more than 1.0 from the year's.
void FillBalanceReport(const StudentTable& list, StudentTable& report);
// The mark of a figure that breaks a goal.
QString BreachMark();

// Why the list cannot be balanced; nothing when it can.
std::optional<QString> CheckBalance(const StudentTable& list);

// "バランス調整": exchanges students between the new classes (those whose
// StudentKey is in `handMoved` stay), then regroups the list by class, each
// class by total (highest first) and numbered 1, 2, ..., refills the class
// tables as "新クラス 成績順表示" does, and counts ClassSizes and ClassCount.
// Returns what could not be met, one sentence each; empty when every goal
// holds.
QStringList BalanceClassList(SharedState& state, TableHost& screen, const QSet<QString>& handMoved,
                             const std::array<StudentTable*, kMaxNewClasses>& classTables);

// The goals the list does not meet, one sentence each.
QStringList UnmetGoals(const StudentTable& list);

// The message after balancing.
QString BalanceMessage(const QStringList& unmet);

}  // namespace gakunen
