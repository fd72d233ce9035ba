#pragma once

#include "model/rules/classdivision/conditions.h"
#include "model/rules/classdivision/division_work.h"

#include <QString>
#include <array>
#include <optional>

namespace gakunen {

class Printer;
class StudentTable;
class TableHost;
struct SharedState;

// Columns of the class list of the new class display and of the after-swap
// screen: new class, new number, name, total, this year's class and, once
// readings were typed, the reading of the name.
namespace class_list {
constexpr int kClass = 0;
constexpr int kNumber = 1;
constexpr int kName = 2;
constexpr int kTotal = 3;
constexpr int kOldClass = 4;
constexpr int kReading = 5;
constexpr int kRankedColumns = 5;   // up to 旧組
constexpr int kReadingColumns = 6;  // with ふりがな
constexpr int kCleanColumns = 3;    // 組, 番, 生徒氏名
}  // namespace class_list

// The title of the reading column.
QString ReadingTitle();

// Whether the list holds its readings: a sixth column titled "ふりがな".
bool HasReadingColumn(const StudentTable& list);
// Whether the list still has its totals and old classes (the clean copy,
// three columns, has not).
bool HasRankingColumns(const StudentTable& list);

// "生徒の入れ替え": the three answers (class, number within the class's block,
// target class). The student is the n-th row counted from the first row of
// class c as the list stands; only that row's new class cell changes. A
// refusal leaves the list untouched and says why.
struct MoveOutcome {
  int row = -1;     // the row moved, -1 when refused
  QString refusal;  // empty when moved
};
MoveOutcome MoveStudent(StudentTable& list, const QString& classAnswer, const QString& numberAnswer,
                        const QString& targetAnswer);

// "組並べ替え": student rows by new class, ascending, each class keeping the
// order its rows had; then ClassSizes and ClassCount are counted afresh.
// RowCount is made to describe the list first.
void RegroupByClass(SharedState& state, TableHost& screen);

// The condition columns of a class list: after 旧組 and the readings.
ConditionColumns ListConditionColumns(const StudentTable& list);

// The number of columns "保存" writes: six while the list holds readings,
// five otherwise, and on to the last condition column; never more than the
// list has.
int ClassListSaveColumns(const StudentTable& list);

// "ふりがな": makes column 5 the reading column (kept with its readings when
// it is there already; the condition columns move one to the right), sets
// ModeCode to ReadingColumn and counts the classes afresh. Refused, with
// nothing changed, on a list without totals and old classes, one whose
// sixth column holds something else, or one that is already as wide as a
// saved table may be.
std::optional<QString> PrepareReadingColumn(SharedState& state, TableHost& screen);

// "条件入力": the column of the condition, appended when the list has none
// yet; the classes are counted afresh. A refusal (the clean copy, or a list
// as wide as a saved table may be) changes nothing.
struct ConditionColumnOutcome {
  int column = -1;
  QString refusal;  // empty when column is valid
};
ConditionColumnOutcome PrepareConditionColumn(SharedState& state, TableHost& screen, Condition condition);

// OK in the reading box: the reading, as typed, goes into row CurrentRow,
// which then moves down one row.
enum class ReadingStep {
  Next,      // stored; CurrentRow is the next student
  Finished,  // stored in the last row; entry is over
  NoRow,     // CurrentRow is not a row of the list; nothing was written
};
ReadingStep EnterReading(SharedState& state, StudentTable& list, const QString& reading);
// The same for the value of a condition, into `column`.
ReadingStep EnterIntoColumn(SharedState& state, StudentTable& list, int column, const QString& text);

// Dictionary order of readings for a Japanese class list (ICU, Japanese
// locale): letters first, then voicing and small kana, hiragana before
// katakana. Negative, 0 or positive as `a` comes before, with or after `b`.
int CompareReadings(const QString& a, const QString& b);
// Stable sort of rows 1.. of the table on a column of readings.
void SortRowsByReading(StudentTable& table, int column);

// "新クラス      成績順" and "新クラス   氏名順": every new class ranked by
// total (highest first) or put in reading order, numbered 1, 2, ... into
// class table k-1 (titles "新組", "番号", "生徒氏名", "合計", "旧組", and
// "ふりがな" for class 1, "ひらがな" for the others in reading order), and
// the class tables one after the other into `result` (as many rows as the
// list). The students of a class are the rows whose class cell names it,
// in list order, so a move that was not yet regrouped still counts.
// ClassSizes, ClassCount, RowCount and ColumnCount describe the result.
enum class NewClassOrder { ByTotal, ByReading };
// Why the list cannot be put in that order; nothing when it can. A list
// with a student whose new class is not 1 to 15 written plainly is refused,
// naming the students, since they would drop out of every class table.
std::optional<QString> CheckNewClassOrder(const StudentTable& list, NewClassOrder order);
void RankNewClasses(SharedState& state, const StudentTable& list, NewClassOrder order,
                    const std::array<StudentTable*, kMaxNewClasses>& classTables, StudentTable& result);

// "仕上げ": the clean copy. The classes are counted from the after-swap
// list; class k's first students are taken from its class table, never
// past that table's last row. The new class display's class tables and list
// become "組", "番", "生徒氏名" (widths 300, 300, 1300) in the same order;
// ColumnCount is 3. Returns the classes whose table had fewer rows than
// the list counted (those are copied as far as their table goes).
QList<int> MakeCleanCopy(SharedState& state, TableHost& afterSwap,
                         const std::array<StudentTable*, kMaxNewClasses>& sourceTables,
                         const std::array<StudentTable*, kMaxNewClasses>& targetTables, StudentTable& targetList);

// Prints one page per class table, class 1 up to the last class table that
// holds anything (a class without students prints its titles), and then
// `lastPage` on a page of its own when there is one. Returns the pages
// printed; 0 when every class table is empty and nothing was printed.
int PrintClassTables(Printer& printer, const std::array<StudentTable*, kMaxNewClasses>& classTables,
                     const StudentTable* lastPage = nullptr);

// The old classes of the students in new classes, blanks around them
// aside: class numbers in numeric order, other texts after them.
QStringList OldClassesInOrder(const StudentTable& list);
// "旧1組"; "旧組なし" for students without one.
QString OldClassTitle(const QString& oldClass);

}  // namespace gakunen
