#pragma once

namespace gakunen {

struct SharedState;
class TableHost;

// Each routine stores the screen in CurrentForm and works on its table.
void SetGridColumns(SharedState& state, TableHost& screen);
void SetGridRows(SharedState& state, TableHost& screen);
void SetStandardColumnWidths(SharedState& state, TableHost& screen);
void WriteRosterHeader(SharedState& state, TableHost& screen);

// Makes `target` the first `rowCount` rows (titles included) of `source`
// reduced to class, number, name and `column`. Column widths are the caller's.
void CopyStudentsWithColumn(const class StudentTable& source, int rowCount, int column, class StudentTable& target);

// Every column 500 twips, then 300, 300 and 1300 for class, number and name.
void ApplyStandardWidths(class StudentTable& table, int columns);

}  // namespace gakunen
