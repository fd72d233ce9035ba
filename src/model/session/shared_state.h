#pragma once

#include <QString>
#include <QVector>
#include <array>

namespace gakunen {

class TableHost;

// The values every screen shares. They always describe the table most
// recently loaded, built or changed. One instance, owned by the application.
struct SharedState {
  int ColumnCount = 0;
  int RowCount = 0;  // header row included
  TableHost* CurrentForm = nullptr;
  std::array<QString, 24> RowCells;
  int CurrentRow = 0;
  int ClassCount = 0;
  QVector<int> ClassSizes;  // index = class number - 1
  int BaseColumnCount = 0;
  // 1 year-group rows, 2 reading column, 3 frequency rows, 4 transfer
  // dialog cancelled, 5..9 the screen that opened the transfer dialog.
  int ModeCode = 0;
  int EntryColumn = 0;
};

}  // namespace gakunen
