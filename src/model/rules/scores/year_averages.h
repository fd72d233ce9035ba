#pragma once

#include <QString>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;
class StudentTable;

// "学年平均": appends 4 × K + 4 rows under the students (K = the classes
// counted): an empty row, the year-group sum, count and average of every
// column from 3 on, then for each class k an empty row and its sum, count
// and average, labelled in column 2. RowCount grows to describe the table
// and ModeCode becomes YearGroupRows.
//
// The year sum is rounded to a whole number after every addition, as the
// figures have always been kept, but held wide enough for any year-group;
// the year average is that sum over the count, rounded to a whole number and
// shown as "###.0". Class sums are exact. A count of 0 leaves the average
// cell empty. A class's figures are those of the rows whose class cell names
// it, wherever they stand.
//
// A table that already carries year-group or frequency rows is refused with
// a message and left as it was.
std::optional<QString> AppendYearAverages(SharedState& state, TableHost& scoreScreen);

// Why "学年平均" cannot run on this table, or nothing when it can.
std::optional<QString> YearAveragesRefusal(const StudentTable& table);

}  // namespace gakunen
