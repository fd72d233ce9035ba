#include "model/files/spreadsheet_import.h"

#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/student_table.h"

#include <QFile>

namespace gakunen::spreadsheet {

std::optional<QString> ImportSpreadsheet(SharedState& state, TableHost& screen, const QString& path, QString* notice) {
  // Spreadsheets may end the last line without a line end or add blank lines
  // after the table; the channel reads both as a table that simply ends.
  DataFileChannel channel;
  if (auto e = channel.open(path)) return e->message();
  SharedState counted = state;
  if (auto e = CountHeaderColumns(counted, channel)) {
    e->path = path;
    return e->message();
  }
  if (auto problem = channel.checkLines(counted.ColumnCount))
    return problem->message(QStringLiteral("CSVファイル"),
                            QStringLiteral("このまま読み込むとデータがずれるため、読み込みませんでした。"
                                           "表計算ソフトでファイルを確かめてください。"));

  state.ColumnCount = counted.ColumnCount;
  state.RowCells = counted.RowCells;
  channel.rewind();
  StudentTable& table = screen.table();
  int unread = 0;
  {
    BulkChange bulk(table);
    unread = ReadAndSizeTable(state, screen, channel);
    table.setFixedCols(2);
  }
  table.setModified(false);
  if (notice) *notice = unread > 0 ? UnreadRowsNotice(path, unread) : QString();
  return std::nullopt;
}

}  // namespace gakunen::spreadsheet
