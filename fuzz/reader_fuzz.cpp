// Fuzzes the data file reader with arbitrary bytes, the way a file from disk
// reaches it: decode, count the header, read the table, size it. Whatever
// loads must stay within 999 rows and 23 columns; a table that loads and can
// be saved must load again from the saved file with the same cells.

#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace gakunen;

struct FuzzHost : TableHost {
  StudentTable grid;
  StudentTable& table() override { return grid; }
};

[[noreturn]] void fail(const char* what, const QString& detail = {}) {
  std::fprintf(stderr, "reader_fuzz: %s %s\n", what, qPrintable(detail));
  std::abort();
}

void check(bool ok, const char* what, const QString& detail = {}) {
  if (!ok) fail(what, detail);
}

const QString& scratchPath() {
  static const QString path = [] {
    const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return dir + QStringLiteral("/gakunen_reader_fuzz_%1.dat").arg(getpid());
  }();
  return path;
}

// Bytes that decode as UTF-8 are read as UTF-8, so a saved code page 932
// file whose bytes happen to be valid UTF-8 reads back as other text. That
// ambiguity is known; the round trip is checked only where it cannot arise.
bool decodesAsWritten(const QByteArray& saved) {
  auto cp932 = TextCodec::decodeCp932(saved);
  auto asRead = TextCodec::decodeFile(saved);
  return cp932 && asRead && *cp932 == *asRead;
}

void roundTrip(SharedState& state, FuzzHost& loaded) {
  const int rows = loaded.grid.rows();
  const int cols = loaded.grid.cols();
  // A table of titles alone is saved, but a file with no student row cannot
  // be counted when it is opened again.
  if (rows < 2 || cols < 3) return;
  const QString& path = scratchPath();
  QFile::remove(path);
  state.ColumnCount = cols;
  state.RowCount = rows;
  if (WriteTableToFile(state, loaded, path)) return;  // refused: a quote, a line break, no code page 932 form

  QFile saved(path);
  check(saved.open(QIODevice::ReadOnly), "saved file cannot be opened");
  const QByteArray bytes = saved.readAll();
  saved.close();
  if (!decodesAsWritten(bytes)) return;

  SharedState again;
  FuzzHost reloaded;
  auto error = LoadDataFile(again, reloaded, path);
  check(!error, "saved table does not load again", error ? error->message() : QString());
  check(reloaded.grid.rows() == rows && reloaded.grid.cols() == cols, "reloaded table has another size",
        QStringLiteral("%1x%2 -> %3x%4").arg(rows).arg(cols).arg(reloaded.grid.rows()).arg(reloaded.grid.cols()));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      check(reloaded.grid.text(r, c) == loaded.grid.text(r, c), "reloaded cell differs",
            QStringLiteral("row %1 col %2: [%3] -> [%4]")
                .arg(r)
                .arg(c)
                .arg(loaded.grid.text(r, c), reloaded.grid.text(r, c)));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  auto text = TextCodec::decodeFile(bytes);
  if (!text) return 0;

  // Every field read moves forward: the stream ends after at most one field a character.
  {
    DataFileChannel channel;
    channel.openText(*text);
    qsizetype fields = 0;
    while (channel.readField()) check(++fields <= text->size(), "readField does not advance");
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

  first.rewind();
  ReadTableFromFile(state, host, first);
  first.close();
  SetGridColumns(state, host);
  SetGridRows(state, host);
  SetStandardColumnWidths(state, host);

  const StudentTable& t = host.grid;
  check(t.rows() == state.RowCount, "row count differs from RowCount");
  check(t.rows() >= 1 && t.rows() <= 999, "rows out of range", QString::number(t.rows()));
  check(t.cols() == state.ColumnCount, "column count differs from ColumnCount");
  for (int c = 0; c < t.cols(); ++c) check(t.text(0, c) == state.RowCells[c], "title differs from the counted one");
  if (t.rows() >= 2) check(TextValue(t.text(1, 0)) > 0, "first class cell does not read above 0");

  roundTrip(state, host);
  return 0;
}
