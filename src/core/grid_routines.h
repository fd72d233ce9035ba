#pragma once

namespace gakunen {

struct SharedState;
class TableHost;

// Each routine stores the screen in CurrentForm and works on its table.
void SetGridColumns(SharedState& state, TableHost& screen);
void SetGridRows(SharedState& state, TableHost& screen);
void SetStandardColumnWidths(SharedState& state, TableHost& screen);
void WriteRosterHeader(SharedState& state, TableHost& screen);

// Every column 500 twips, then 300, 300 and 1300 for class, number and name.
void ApplyStandardWidths(class StudentTable& table, int columns);

}  // namespace gakunen
