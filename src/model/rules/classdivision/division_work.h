#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace gakunen {

class StudentTable;
struct SharedState;

// The most new classes the class list holds (one class table each).
constexpr int kMaxNewClasses = 15;

// The columns a division can rest on, in the order of the option buttons:
// "合計" and then the nine subjects.
const QStringList& DivisionChoiceCaptions();

// The last (rightmost) column among 3..columnCount-1 titled exactly
// `caption`; class, number and name are never taken. Nothing when none is.
std::optional<int> FindBasisColumn(const StudentTable& table, int columnCount, const QString& caption);

// The message that refuses a choice no column bears.
QString MissingColumnMessage(const QString& caption);

// Makes `target` the extract of rows 0..rowCount-1 of `source`: class,
// number, name and `column`, titles included, then the condition columns
// ("性別", "配慮", "離す") the source has, in that order.
void ExtractColumn(const StudentTable& source, int rowCount, int column, StudentTable& target);

// The warning shown when an added file's students do not match the division
// table's in number; nothing when they match. Counts are of table rows,
// title row included.
std::optional<QString> RowMismatchMessage(int addedRows, int divisionRows);

// Adds column 3 of the extract to the division table as its last test
// column (width 500; before the condition columns, if any) and raises
// BaseColumnCount; conditions of the extract that the division table lacks
// are appended too. Rows are paired by position; no row past the end of
// either table is read or written. RowCount is made to describe the
// division table again. A condition that would make the table too wide to
// save once 合計 and 組 are added is not taken: the message says which.
std::optional<QString> AppendExtractedColumn(SharedState& state, StudentTable& division, const StudentTable& extract);

// The rename of a test column: which column test `number` is, or why the
// answer is refused. `testColumns` counts the test columns (from column 3).
struct RenameTarget {
  int column = -1;
  QString refusal;  // empty when column is valid
};
RenameTarget FindRenameColumn(const QString& answer, int testColumns);
// Why a new title cannot be used (it would end the header when the saved
// file is read again); nothing when it can.
std::optional<QString> CheckTestTitle(const QString& title);

// "合計": appends the total column at BaseColumnCount (width 600), the sum of
// the test columns (from column 3 up to the conditions) of every student
// row, and raises BaseColumnCount.
void AddTotalColumn(SharedState& state, StudentTable& division);

// "並べ替え": student rows by the last column, highest first, ties in the
// order they had.
void RankByLastColumn(const SharedState& state, StudentTable& division);

// The dealing order for n classes: 1, 2, ..., n, n, ..., 2, 1 as text.
QStringList SerpentineSequence(int n);

// Reads the answer to "何クラスに分けますか？": a whole number from 1 to 15.
// Nothing, with the reason in `refusal`, otherwise.
std::optional<int> ReadNewClassCount(const QString& answer, QString* refusal);

// "クラス分け": appends the new class column "組" at BaseColumnCount (width
// 300), deals the student rows in table order along the serpentine sequence
// and raises BaseColumnCount.
void DealToClasses(SharedState& state, StudentTable& division, int classCount);

// "新クラス順": student rows by the new class, ascending, ties kept in order.
void GroupByNewClass(const SharedState& state, StudentTable& division);

// "新クラス     成績順表示": counts the new classes into ClassSizes and
// ClassCount, fills class table k-1 for every new class k (titles "新組",
// "番号", "生徒氏名", "合計", "旧組", students by total, highest first,
// numbered 1, 2, ...) and the class list (the class tables one after the
// other, RowCount rows, five columns and then the division's condition
// columns); ColumnCount becomes the list's width. Class tables of classes
// not in the division are emptied.
void BuildClassList(SharedState& state, const StudentTable& division,
                    const std::array<StudentTable*, kMaxNewClasses>& classTables, StudentTable& classList);

}  // namespace gakunen
