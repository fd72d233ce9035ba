// What the fuzz targets share: a screen reduced to its table, the abort that
// libFuzzer reports as a crash, and a scratch file for readers that take a path.
#pragma once

#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace gakunen::fuzzing {

struct FuzzHost : TableHost {
  StudentTable grid;
  StudentTable& table() override { return grid; }
};

[[noreturn]] inline void fail(const char* what, const QString& detail = {}) {
  std::fprintf(stderr, "fuzz: %s %s\n", what, qPrintable(detail));
  std::abort();
}

inline void check(bool ok, const char* what, const QString& detail = {}) {
  if (!ok) fail(what, detail);
}

// A file of this process in memory where there is a /dev/shm.
inline QString scratchPath(const char* name) {
  const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
  return dir + QStringLiteral("/gakunen_%1_%2.dat").arg(QString::fromLatin1(name)).arg(getpid());
}

inline void writeScratch(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
        "scratch file cannot be written", path);
}

// What every table a reader hands over must be: 1 to 999 rows and 1 to 23
// columns as the shared counts say, titles that do not read above 0, and a
// first class that does.
inline void checkLoadedTable(const SharedState& state, const StudentTable& t) {
  check(t.rows() == state.RowCount, "row count differs from RowCount");
  check(t.rows() >= 1 && t.rows() <= 999, "rows out of range", QString::number(t.rows()));
  check(t.cols() == state.ColumnCount, "column count differs from ColumnCount");
  check(t.cols() >= 1 && t.cols() <= 23, "columns out of range", QString::number(t.cols()));
  for (int c = 0; c < t.cols(); ++c) check(TextValue(t.text(0, c)) <= 0, "a title reads above 0", t.text(0, c));
  if (t.rows() >= 2) check(TextValue(t.text(1, 0)) > 0, "first class cell does not read above 0");
}

// One reader run on a screen that already shows a table, with shared counts
// that describe another, as when a file is opened in the middle of the work.
struct ReaderRun {
  SharedState state;
  SharedState before;
  FuzzHost host;
  FuzzHost original;

  explicit ReaderRun(int columnCount) {
    state.ColumnCount = columnCount;
    state.RowCount = 2;
    state.RowCells[0] = QStringLiteral("前の値");
    before = state;
    fillSentinel(host.grid);
    fillSentinel(original.grid);
  }

  // A refusal has a message and leaves the table and the shared counts as
  // they were; a load gives a table within the limits, and a notice only
  // when rows were left unread. True when the file loaded.
  bool checkOutcome(const std::optional<QString>& failure, const QString& notice) {
    if (failure) {
      check(!failure->isEmpty(), "a refusal without a message");
      check(state.ColumnCount == before.ColumnCount && state.RowCount == before.RowCount &&
                state.RowCells == before.RowCells,
            "a refused file changed the shared counts");
      const StudentTable& t = host.grid;
      check(t.rows() == original.grid.rows() && t.cols() == original.grid.cols(),
            "a refused file changed the table's size");
      for (int r = 0; r < t.rows(); ++r)
        for (int c = 0; c < t.cols(); ++c)
          check(t.text(r, c) == original.grid.text(r, c), "a refused file changed a cell");
      return false;
    }
    checkLoadedTable(state, host.grid);
    check(notice.isEmpty() || host.grid.rows() == 999, "a notice for a table that kept every row", notice);
    return true;
  }

 private:
  static void fillSentinel(StudentTable& t) {
    t.resize(2, 3);
    const char* cells[] = {"組", "番", "生徒氏名", "1", "1", "そのまま"};
    for (int i = 0; i < 6; ++i) t.setText(i / 3, i % 3, QString::fromUtf8(cells[i]));
  }
};

// Hands the input to a reader that takes a path, as the bytes of this
// target's scratch file; true when the file loaded (checkOutcome).
template <class Reader>
bool readAsFile(const uint8_t* data, size_t size, const char* name, ReaderRun& run, Reader read) {
  const QString path = scratchPath(name);
  writeScratch(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  QString notice;
  const std::optional<QString> failure = read(path, &notice);
  return run.checkOutcome(failure, notice);
}

// Bytes that decode as UTF-8 are read as UTF-8, so a saved code page 932
// file whose bytes happen to be valid UTF-8 reads back as other text. That
// ambiguity is known; the round trip is checked only where it cannot arise.
inline bool decodesAsWritten(const QByteArray& saved) {
  auto cp932 = TextCodec::decodeCp932(saved);
  auto asRead = TextCodec::decodeFile(saved);
  return cp932 && asRead && *cp932 == *asRead;
}

// A table that loaded and can be saved must load again from the saved file
// with the same cells.
inline void checkRoundTrip(SharedState& state, FuzzHost& loaded) {
  const int rows = loaded.grid.rows();
  const int cols = loaded.grid.cols();
  // A table of titles alone is saved, but a file with no student row cannot
  // be counted when it is opened again.
  if (rows < 2 || cols < 3) return;
  static const QString path = scratchPath("saved");
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

}  // namespace gakunen::fuzzing
