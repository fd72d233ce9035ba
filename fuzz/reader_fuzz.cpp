// Fuzzes the data file reader with arbitrary bytes, the way a file from disk
// reaches it: decode, count the header, read the table, size it. Whatever
// loads must stay within 999 rows and 23 columns; a file the line check
// passes holds whole rows only; a table that loads and can be saved must
// load again from the saved file with the same cells.

#include "fuzz_support.h"

#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <cstdint>

using namespace gakunen;
using namespace gakunen::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  auto text = TextCodec::decodeFile(bytes);
  if (!text) return 0;

  // Every field read moves forward: the stream ends after at most one field
  // a character (a comma last gains a line end when it is opened).
  {
    DataFileChannel channel;
    channel.openText(*text);
    qsizetype fields = 0;
    while (channel.readField()) check(++fields <= text->size() + 2, "readField does not advance");
  }

  SharedState state;
  FuzzHost host;
  DataFileChannel first;
  first.openText(*text);
  if (CountHeaderColumns(state, first)) return 0;
  check(state.ColumnCount >= 1 && state.ColumnCount <= 23, "column count out of range",
        QString::number(state.ColumnCount));
  for (int c = 0; c < state.ColumnCount; ++c)
    check(TextValue(state.RowCells[c]) <= 0, "a counted title reads above 0", state.RowCells[c]);
  check(TextValue(state.RowCells[state.ColumnCount]) > 0, "the count did not stop at a number");

  // A file that passes the line check holds whole rows only, so the field
  // stream the reader takes splits into rows without a remainder.
  if (!first.checkLines(state.ColumnCount)) {
    first.rewind();
    qsizetype fields = 0;
    while (first.readField()) ++fields;
    check(fields % state.ColumnCount == 0, "a file that passed the line check holds a partial row",
          QStringLiteral("%1 fields, %2 columns").arg(fields).arg(state.ColumnCount));
  }

  first.rewind();
  ReadTableFromFile(state, host, first);
  first.close();
  SetGridColumns(state, host);
  SetGridRows(state, host);
  SetStandardColumnWidths(state, host);

  const StudentTable& t = host.grid;
  checkLoadedTable(state, t);
  for (int c = 0; c < t.cols(); ++c) check(t.text(0, c) == state.RowCells[c], "title differs from the counted one");

  checkRoundTrip(state, host);
  return 0;
}
