#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace gakunen {

struct SharedState;
class StudentTable;
class TableHost;

// The nine subjects in the order every list and option of the score screens
// follows.
const QStringList& SubjectNames();

// The column count the nine test-subject lists give the score table: three
// roster columns and one column up to the last list that names a subject.
// All lists empty leave `currentColumnCount`.
int SelectedColumnCount(const QStringList& listTexts, int currentColumnCount);

// Titles of the columns from `newColumnCount` on that hold a student's entry:
// what narrowing the table to `newColumnCount` columns would throw away.
QStringList ColumnsHoldingEntries(const StudentTable& table, int newColumnCount);

// The test-subject selection: list k (1..9) that is not empty titles column
// k + 2 with its text as shown; the table ends after the last such column.
// Every cell of the columns that stay keeps its text, so choosing again keeps
// the scores already typed. Widths are the standard ones; the three roster
// columns stay in place when the table has subject columns.
void ApplyTestSubjects(SharedState& state, TableHost& scoreScreen, const QStringList& listTexts);

// The first column from 3 on whose title is exactly `subject`.
std::optional<int> FindSubjectColumn(const StudentTable& table, const QString& subject);

// Whether EntryColumn names a column of the table that can take scores.
bool HasEntryColumn(const SharedState& state, const StudentTable& table);

// A student's row: below the titles, its class cell reads as a class number.
// Summary rows appended below the students leave the class cell empty.
bool IsStudentRow(const StudentTable& table, int row);

enum class EntryOutcome {
  Stored,     // written; CurrentRow moved to the next student
  TableEnd,   // written into the last student's row; CurrentRow is past it
  NoColumn,   // no entry column chosen: nothing written
  PastTable,  // CurrentRow beyond the last student: nothing written
  NoStudent,  // CurrentRow on the title row or before it: nothing written
};

// One confirmed entry: the text, unchanged, into row CurrentRow of column
// EntryColumn, then on to the next row. Nothing outside the students' cells
// of an existing column is ever written; the rows of year-group figures or
// frequencies below the students end the entry like the end of the table.
EntryOutcome StoreEntry(SharedState& state, StudentTable& table, const QString& text);

// "集計": appends a "合計" column unless the last column already is one, and
// writes into it each student's sum of the columns between the name and it.
// Returns a message and changes nothing when the table cannot take another column.
std::optional<QString> ComputeTotals(SharedState& state, StudentTable& table);

// "生徒平均": appends a "平均" column holding each student's "合計" divided by
// the number of subject cells that are not empty ("###.0"; no score gives .0).
std::optional<QString> ComputeAverages(SharedState& state, StudentTable& table);

// "並べ替え": the students in descending order of the last column; students
// with equal keys keep their order.
void SortByLastColumn(SharedState& state, StudentTable& table);

// A table whose first column is titled "順位" already carries ranks.
bool CarriesRanks(const StudentTable& table);

// Why a column titled `title` cannot be added: the table already has as
// many columns as a saved table may; nothing when it can.
std::optional<QString> RefuseAnotherColumn(const StudentTable& table, const QString& title);

// "順位付け": `ranking` becomes the score table shifted one column to the
// right behind a "順位" column of competition ranks (equal "合計" texts in
// adjacent rows share a rank). ColumnCount grows by one to describe it.
void BuildRankingTable(SharedState& state, const StudentTable& scores, StudentTable& ranking);

// The widest table that can still be saved.
inline constexpr int kMaxSavedColumns = 23;

}  // namespace gakunen
