// Reading and writing a full year-group file: 998 students, 23 columns of
// names and scores. Prints the median time of each, beside the time merely
// to read the same bytes from disk (the floor the reader approaches) and to
// write them through the same atomic save (the floor of the writer).
//
//   data_file_bench [runs] [folder]
//
// The file goes to `folder` (default: the system's temporary folder); name a
// folder on the disk the teachers' files live on to see that disk's cost.

#include "bench_support.h"
#include "model/files/data_file.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace gakunen;
using gakunen::testing::TestHost;

namespace {

[[noreturn]] void fail(const char* what) { bench::Fail("data_file_bench", what); }

// The label column of the figures, in bytes.
constexpr int kLabelWidth = 44;

bench::Result measure(int runs, const std::function<void()>& step) {
  return bench::Measure(
      runs, [] {}, step);
}

void report(const char* what, const bench::Result& r) { bench::Report(what, r, kLabelWidth); }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
  QTemporaryDir scratch(argc > 2 ? QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("bench-XXXXXX"))
                                 : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
  if (!scratch.isValid()) fail("cannot make a scratch folder");
  const QString path = scratch.filePath(QStringLiteral("year.dat"));
  const QString copyPath = scratch.filePath(QStringLiteral("copy.dat"));

  SharedState state;
  TestHost source;
  gakunen::testing::FillTable(source.grid, gakunen::testing::MakeRows({998, 15, 23, 7}));
  gakunen::testing::DescribeTable(state, source.grid);
  if (WriteTableToFile(state, source, path)) fail("the table cannot be saved");
  const QByteArray bytes = gakunen::testing::ReadBytes(path);
  std::printf("table %d rows x %d columns, file %lld bytes, %d runs, in %s\n", source.grid.rows(), source.grid.cols(),
              static_cast<long long>(bytes.size()), runs, qPrintable(scratch.path()));

  report("floor: read the bytes (QFile::readAll)", measure(runs, [&] {
           QFile file(path);
           if (!file.open(QIODevice::ReadOnly) || file.readAll().size() != bytes.size()) fail("read failed");
         }));
  report("LoadDataFile", measure(runs, [&] {
           SharedState s;
           TestHost host;
           if (LoadDataFile(s, host, path) || host.grid.rows() != 999) fail("load failed");
         }));
  report("floor: write the bytes (QSaveFile)", measure(runs, [&] {
           QSaveFile file(copyPath);
           if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
             fail("write failed");
         }));
  report("WriteTableToFile", measure(runs, [&] {
           if (WriteTableToFile(state, source, path)) fail("save failed");
         }));
  return 0;
}
