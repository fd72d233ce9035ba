#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace gakunen {

struct SharedState;
class StudentTable;
class Dialogs;

// Students per level: counts[v] for level v = 1..L; counts[0] is unused.
struct LevelBands {
  std::vector<int> counts;
  QString refusal;  // set when the answers cannot make bands; counts is then empty
  bool ok() const { return refusal.isEmpty(); }
};

// N × p / 100 rounded to the nearest whole number, a half to the even
// neighbour (50 students and 5 % give 2, 70 and 5 % give 4).
int ShareOfStudents(int students, int percent);

// The levels asked for a percentage, from the top: 5 and 4 for five levels,
// 10 to 6 for ten.
QList<int> PercentLevels(int levels);
QString PercentPrompt(int level);    // 段階5は、何％ですか？
QString HeadCountPrompt(int level);  // 段階 「 10 」は、何人ですか？

// Bands from the percentages of the asked levels (in PercentLevels order):
// the lower levels mirror the upper ones and the middle takes the rest
// (levels 6 and 5 form the middle of ten, level 5 taking what is left).
// Refused when a percentage is negative or the middle would have fewer
// than no students.
LevelBands BandsFromPercentages(int students, int levels, const QList<int>& percents);
// Bands of ten levels from head-counts given for levels 10 down to 1.
// Refused when a count is negative or they add up to more than the students.
LevelBands BandsFromHeadCounts(int students, const QList<int>& countsFromTop);

// Appends an untitled, empty column 300 twips wide at the right end;
// ColumnCount and RowCount describe the table afterwards.
void AppendLevelColumn(SharedState& state, StudentTable& ranking);
// The student rows best rank first: by the "順位" column whatever order the
// rows stand in (ties, and a table without ranks, in row order; rows without
// a rank last).
std::vector<int> RankOrder(const StudentTable& ranking);
// Titles column `column` "評価" and fills it in rank order: the counts[L]
// best-ranked students get L, the next counts[L-1] get L-1, down to level 1.
// Students the counts do not reach keep an empty cell.
void WriteLevels(StudentTable& ranking, int column, const std::vector<int>& counts);

// The evaluations of the ranking screen. They ask through `dialogs`; an
// empty answer ends them at once. An answer that is not a whole number
// (fractions round half to even) or bands that cannot be made are refused
// with a message, which ends the evaluation too. The percentage methods
// change nothing until every answer is in; the head-count method appends its
// column before the first question and leaves it untitled and empty when it
// ends early. True when a "評価" column was written.
bool EvaluateFiveByPercent(SharedState& state, StudentTable& ranking, Dialogs& dialogs);
bool EvaluateTenByPercent(SharedState& state, StudentTable& ranking, Dialogs& dialogs);
bool EvaluateTenByCount(SharedState& state, StudentTable& ranking, Dialogs& dialogs);

// "クラス順": sorts the ranking table's students by class (column 1), counts
// the classes into ClassSizes and ClassCount, and fills class table k - 1
// for each class k from 1 to ClassCount: the class's rows with the class,
// number, name and further columns moved one to the left and the rank in the
// last column ("順位"), sorted by attendance number. A class's rows are those
// whose class cell names it plainly ("1" to "15"); rows of any other class
// text belong to no table. `classTables` has 15 places.
void BuildClassTables(SharedState& state, StudentTable& ranking, const std::vector<StudentTable*>& classTables);

// The ranking table cut into pages of 40 students, each with the title row.
std::vector<std::unique_ptr<StudentTable>> BuildFortyPerPage(const StudentTable& ranking);

}  // namespace gakunen
