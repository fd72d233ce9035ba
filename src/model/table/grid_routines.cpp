#include "model/table/grid_routines.h"

#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/student_table.h"

#include <algorithm>
#include <vector>

namespace gakunen {

void SetGridColumns(SharedState& state, TableHost& screen) {
  state.CurrentForm = &screen;
  screen.table().setCols(state.ColumnCount);
}

void SetGridRows(SharedState& state, TableHost& screen) {
  state.CurrentForm = &screen;
  screen.table().setRows(state.RowCount);
}

void ApplyStandardWidths(StudentTable& table, int columns) {
  for (int c = 0; c < columns; ++c) table.setColWidth(c, 500);
  table.setColWidth(0, 300);
  table.setColWidth(1, 300);
  table.setColWidth(2, 1300);
}

void SetStandardColumnWidths(SharedState& state, TableHost& screen) {
  state.CurrentForm = &screen;
  ApplyStandardWidths(screen.table(), state.ColumnCount);
}

void WriteRosterHeader(SharedState& state, TableHost& screen) {
  state.CurrentForm = &screen;
  StudentTable& t = screen.table();
  t.setText(0, 0, QStringLiteral("組"));
  t.setText(0, 1, QStringLiteral("番"));
  t.setText(0, 2, QStringLiteral("生徒氏名"));
}

void CopyStudentsWithColumn(const StudentTable& source, int rowCount, int column, StudentTable& target) {
  rowCount = std::max(rowCount, 0);
  std::vector<QString> cells(static_cast<size_t>(rowCount) * 4);
  for (int r = 0; r < rowCount; ++r) {
    QString* row = cells.data() + static_cast<size_t>(r) * 4;
    row[0] = source.text(r, 0);
    row[1] = source.text(r, 1);
    row[2] = source.text(r, 2);
    row[3] = source.text(r, column);
  }
  BulkChange bulk(target);
  target.assign(rowCount, 4, std::move(cells));
}

}  // namespace gakunen
