#pragma once

#include <QString>
#include <array>
#include <optional>

namespace gakunen {

class StudentTable;

// What a division balances besides scores, each a column known by its
// title: "性別" (男 or 女), "配慮" (any mark: the student needs support) and
// "離す" (a code: students who share one belong in different classes).
enum class Condition { Sex = 0, Care = 1, Apart = 2 };
constexpr int kConditionCount = 3;

// The widest table a data file holds; conditions never make one wider.
constexpr int kWidestDivisionTable = 23;

QString ConditionTitle(Condition condition);
std::optional<Condition> ConditionOfTitle(const QString& title);

// Where each condition stands among columns from..end-1 (the rightmost of
// a title, as with the basis column); -1 where the table has none.
struct ConditionColumns {
  std::array<int, kConditionCount> column{-1, -1, -1};
  int operator[](Condition c) const { return column[static_cast<size_t>(c)]; }
  int count() const;
  int first() const;  // -1 without any
  int last() const;   // -1 without any
};
ConditionColumns FindConditionColumns(const StudentTable& table, int from, int end);

enum class Sex { Unknown, Boy, Girl };
Sex ReadSex(const QString& cell);
bool NeedsCare(const QString& cell);
// The code a student is kept apart by; empty for none.
QString ApartCode(const QString& cell);

// Why a typed value cannot stand in a condition's column; nothing when it can
// (an empty value clears the condition).
std::optional<QString> CheckConditionValue(Condition condition, const QString& value);

// Inserts `count` empty columns before column `at`, titles included; the
// columns after them keep their cells and widths.
void InsertColumns(StudentTable& table, int at, int count, int width);

}  // namespace gakunen
