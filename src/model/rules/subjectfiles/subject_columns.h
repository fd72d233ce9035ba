#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace gakunen {

class StudentTable;
struct SharedState;
class TableHost;

namespace subjectfiles {

// The nine subjects in the order every subject choice offers them.
const QStringList& SubjectChoices();

// The column titled exactly `subject` among the test columns (3 onward);
// when several are, the rightmost. -1 when none is.
int FindSubjectColumn(const StudentTable& source, const QString& subject);

// Told when the chosen subject has no column: nothing is made or added.
QString MissingSubjectMessage(const QString& subject);

// Makes `target` the one-subject table: class, number and name of every row
// of `source`, then the subject column, titles included, 300/300/1000/500 twips.
void BuildSubjectTable(const StudentTable& source, int sourceColumn, StudentTable& target);

// Appends the scores of column 3 of `extract` as a new last column of
// `subject`, pairing rows by position. The title stays empty, no cell is
// written past the subject table's last row and none of its rows is lost.
// Returns the index of the new column.
int AppendTestColumn(StudentTable& subject, const StudentTable& extract);

// Said before the scores are appended when the two tables do not hold the
// same number of students; nothing when they do.
std::optional<QString> StudentCountMismatch(int subjectRows, int extractRows);

// Reads another test file into the screen's table through the second data
// file channel: ColumnCount and RowCount then describe it; 3 fixed columns
// and the standard widths. When the file cannot be read the table and the
// counts stay as they were and the message to show is returned; so too when
// a line does not hold as many fields as the titles. `notice` receives what
// the teacher is told after a file with more students than a table keeps.
std::optional<QString> ReadOtherTestFile(SharedState& state, TableHost& screen, const QString& path,
                                         QString* notice = nullptr);

// The most columns a table that can be saved has, and what is said when a
// further test would go beyond it.
constexpr int kMaxTableColumns = 23;
QString ColumnLimitMessage();

}  // namespace subjectfiles
}  // namespace gakunen
