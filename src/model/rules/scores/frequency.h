#pragma once

#include <QList>
#include <QString>

namespace gakunen {

struct SharedState;
class TableHost;
class StudentTable;

// One chart of the frequency screen: the column's title and its counts,
// lowest band first (ten bands for a subject, five for the total).
struct FrequencyChart {
  QString title;
  QList<int> counts;
  bool total = false;
};

// The band of a subject score: 0 below 10, 1 to 8 for the tens 10 to 89,
// 9 from 90 on; -1 for a negative value, which falls in no band.
int SubjectBand(double value);
// The band of a total: 0 below 100, 1 to 3 for the hundreds, 4 from 400 on;
// -1 for a negative value.
int TotalBand(double value);

struct FrequencyResult {
  QString refusal;               // set when nothing was done
  QList<FrequencyChart> charts;  // one per subject column, then the total
};

// "度数分布": appends 18 rows under the students: the counts of the ten-point
// bands of every column from 3 to the one before "合計" (highest band on top,
// empty cells counted below 10) and the counts of the hundred-point bands of
// "合計". RowCount grows to describe the table and ModeCode becomes FrequencyRows.
// Refused with nothing changed when the last column is not "合計" or the
// table already carries year-group or frequency rows.
FrequencyResult AppendFrequencyRows(SharedState& state, TableHost& scoreScreen);

// Why "度数分布" cannot run on this table, or "" when it can.
QString FrequencyRefusal(const StudentTable& table);

}  // namespace gakunen
