#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <map>
#include <optional>
#include <set>

namespace gakunen {

class StudentTable;

namespace subjectfiles {

// The three viewpoints a subject is judged on; None leaves a column out.
enum class Viewpoint { None = 0, Knowledge = 1, Thinking = 2, Attitude = 3 };
constexpr int kViewpoints = 3;
// The result columns: one per viewpoint (index viewpoint - 1), then 評定.
constexpr int kResults = 4;
constexpr int kGradeResult = 3;
constexpr int kCombinations = 10;

// "なし" and the three viewpoints, in the order of Viewpoint.
const QStringList& ViewpointChoices();
// The titles of the result columns: the three viewpoints, then "評定".
const QStringList& ViewpointResultTitles();
// The ten unordered letter combinations as the conversion table lists them,
// best first ("AAA", "AAB", "ABB", "AAC", ... "CCC").
const QStringList& LetterCombinations();

// What a teacher sets up for one column.
struct ColumnSetup {
  Viewpoint viewpoint = Viewpoint::None;
  QString fullMarks = QStringLiteral("100");
  QString weight = QStringLiteral("1");
};

// The set-up as typed; it is checked when the letters are computed. Numbers
// stay text so that what is read back is what the teacher typed.
struct ViewpointSetup {
  std::map<int, ColumnSetup> columns;  // by table column, 3 onward
  QString thresholdA = QStringLiteral("80");
  QString thresholdB = QStringLiteral("40");
  std::array<int, kCombinations> conversion{5, 4, 4, 3, 3, 3, 3, 2, 2, 1};  // as LetterCombinations
};

// A cell whose letter or 評定 the teacher typed, named by the student's class
// and number so that it stays with the student when rows move.
struct HandMark {
  QString classText;
  QString number;
  int result = 0;
  bool operator<(const HandMark& other) const;
};
using HandMarks = std::set<HandMark>;

// Columns the set-up offers: 3 onward, except the result columns, at most 20.
QList<int> SetupColumns(const StudentTable& table);
// The column of each result title (the rightmost of that title), -1 where
// the table has none.
std::array<int, kResults> ResultColumns(const StudentTable& table);

// A number written as [sign] digits [. digits] with blanks around it, held
// exactly in thousandths; further decimals are rounded half away from zero.
// Nothing for any other text and for magnitudes of 10000 or more.
std::optional<qint64> ReadThousandths(QStringView text);

// The 評定 of three letters ("A", "B" or "C" each) by the conversion table;
// empty when a letter is empty or not a letter.
QString GradeOf(const std::array<QString, kViewpoints>& letters, const ViewpointSetup& setup);

// What "計算" did: why nothing was written, or how many cells of the
// assigned columns were not read as numbers.
struct ViewpointRun {
  QString refusal;
  int unreadCells = 0;
  int appendedColumns = 0;
};

// For every student, each viewpoint's weighted share of the points earned
// (sum of weight x score over sum of weight x full marks of the cells that
// hold a score), its letter (a share equal to a threshold reaches it) and
// the 評定, written into the four result columns, which are appended where
// the table lacks them. Empty cells and cells that do not read as a score
// (negative, or 10000 or more, too) are not taken. Cells of marked students
// are left as they stand; a 評定 that is not marked follows the letters as
// they then stand. A set-up that cannot be used writes nothing.
ViewpointRun ApplyViewpoints(StudentTable& table, const ViewpointSetup& setup, const HandMarks& kept);

// A letter or 評定 typed over a result cell. The cell takes the text in its
// plain form (full-width and small letters and digits are accepted), the
// student is marked, and an unmarked 評定 follows the changed letter. The
// reason comes back instead when the cell is not a result cell of a student
// or the text is neither empty nor a letter (a 評定 from 1 to 5).
std::optional<QString> ApplyHandChange(StudentTable& table, int row, int col, const QString& typed,
                                       const ViewpointSetup& setup, HandMarks& marks);

// The marked cells in the table, as (row, column).
QList<std::pair<int, int>> MarkedCells(const StudentTable& table, const HandMarks& marks);

}  // namespace subjectfiles
}  // namespace gakunen
