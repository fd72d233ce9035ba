// Saves that must not happen, or that fail half-way: the file already on
// disk stays byte for byte, no scratch file is left beside it, the error
// names the right cell, and the table is not marked as saved.

#include "model/files/data_file.h"
#include "model/files/whole_file.h"
#include "model/session/shared_state.h"
#include "support/scratch_mount.h"
#include "support/table_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

Q_DECLARE_METATYPE(gakunen::SaveError::Kind)

using namespace gakunen;
using namespace gakunen::testing;

namespace {

using Kind = SaveError::Kind;

// Caps the size of any file this process writes, for one scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a write past the cap fails with EFBIG instead
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit capped = previous_;
    capped.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &capped) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  bool active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
  bool active_ = false;
};

class SaveFailureTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir tmp_;
  const QByteArray previous_ = EncodeCp932(MakeRows({12, 2, 5, 99}));

  // A folder of its own holding only "previous.dat".
  QString folderWithPreviousFile(const QString& name) {
    const QString folder = tmp_.filePath(name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/previous.dat");
    if (!WriteBytes(path, previous_)) qFatal("cannot write %s", qPrintable(path));
    return path;
  }

  static QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

  // The file and its folder exactly as before the save.
  void verifyUntouched(const QString& path) {
    QCOMPARE(ReadBytes(path), previous_);
    QCOMPARE(entries(QFileInfo(path).absolutePath()), QStringList{QStringLiteral("previous.dat")});
  }

  static void prepare(TestHost& host, SharedState& state, const Rows& rows) {
    FillTable(host.grid, rows);
    DescribeTable(state, host.grid);
    host.grid.setModified(true);
  }

 private slots:
  // Every reason a teacher reads is Japanese; the system's own words, which
  // may be English, appear at most as a detail in brackets.
  void reasons_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("writing");
    QTest::addColumn<QString>("reason");
    QTest::newRow("disk full") << ENOSPC << true << QStringLiteral("ディスクの空きが足りません");
    QTest::newRow("no permission to write") << EACCES << true << QStringLiteral("書き込みが許可されていません");
    QTest::newRow("no permission to read") << EPERM << false << QStringLiteral("読み込みが許可されていません");
    QTest::newRow("no such file") << ENOENT << false << QStringLiteral("ファイルがありません");
    QTest::newRow("no such folder") << ENOENT << true << QStringLiteral("保存先のフォルダがありません");
    QTest::newRow("is a folder") << EISDIR << false << QStringLiteral("ファイルではなくフォルダです");
    QTest::newRow("busy") << EBUSY << true << QStringLiteral("ほかのプログラムが使用中です");
    QTest::newRow("program running") << ETXTBSY << true << QStringLiteral("ほかのプログラムが使用中です");
    QTest::newRow("anything else") << EPROTO << false << QStringLiteral("読み書きできませんでした（");
  }

  void reasons() {
    QFETCH(int, error);
    QFETCH(bool, writing);
    QFETCH(QString, reason);
    FileFailure failure;
    failure.error = error;
    failure.writing = writing;
    const QString said = failure.reason();
    QVERIFY2(said.startsWith(reason), qPrintable(said));
    const qsizetype detail = said.indexOf(u'（');
    const QString outside = detail < 0 ? said : said.left(detail);
    for (QChar c : outside) QVERIFY2(c.unicode() > 0x7f || c.isSpace(), qPrintable(said));
  }

  void initTestCase() { QVERIFY(tmp_.isValid()); }

  void refusedTables_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("rowCount");     // RowCount at the save; -1 for the table's own
    QTest::addColumn<int>("columnCount");  // likewise ColumnCount
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("count");

    const Rows base = MakeRows({60, 3, 14, 21});
    auto with = [&](int r, int c, const QString& text) {
      Rows rows = base;
      rows[r][c] = text;
      return rows;
    };
    const QString yoshi = QString::fromUcs4(U"𠮷田　葵");
    const QString kuzu = QString::fromUcs4(U"葛\U000E0100西　湊");  // with an ideographic variation selector

    QTest::newRow("double quote in a name")
        << with(7, 2, QStringLiteral("山\"田　蓮")) << -1 << -1 << Kind::Quote << 7 << 2 << QString() << 0;
    QTest::newRow("double quote in a title")
        << with(0, 5, QStringLiteral("数学\"")) << -1 << -1 << Kind::Quote << 0 << 5 << QString() << 0;
    QTest::newRow("CR LF in a score") << with(12, 4, QStringLiteral("8\r\n5")) << -1 << -1 << Kind::LineBreak << 12 << 4
                                      << QString() << 0;
    QTest::newRow("LF in the last row") << with(60, 13, QStringLiteral("\n")) << -1 << -1 << Kind::LineBreak << 60 << 13
                                        << QString() << 0;
    QTest::newRow("CR in a class cell") << with(1, 0, QStringLiteral("1\r")) << -1 << -1 << Kind::LineBreak << 1 << 0
                                        << QString() << 0;
    QTest::newRow("𠮷, outside the basic plane")
        << with(3, 2, yoshi) << -1 << -1 << Kind::NotCp932 << 3 << 2 << QString::fromUcs4(U"𠮷") << 0;
    QTest::newRow("variation selector after a kanji")
        << with(9, 2, kuzu) << -1 << -1 << Kind::NotCp932 << 9 << 2 << QString::fromUcs4(U"\U000E0100") << 0;
    QTest::newRow("invisible U+FEFF") << with(20, 2, QStringLiteral("佐藤\uFEFF　凛")) << -1 << -1 << Kind::NotCp932
                                      << 20 << 2 << QStringLiteral("\uFEFF") << 0;
    QTest::newRow("zero-width space") << with(33, 12, QStringLiteral("4\u200B50")) << -1 << -1 << Kind::NotCp932 << 33
                                      << 12 << QStringLiteral("\u200B") << 0;
    QTest::newRow("yen sign") << with(2, 13, QStringLiteral("\u00A5500")) << -1 << -1 << Kind::NotCp932 << 2 << 13
                              << QStringLiteral("\u00A5") << 0;

    Rows two;
    for (const QStringList& r : base) two.append(r.mid(0, 2));
    QTest::newRow("2 columns") << two << -1 << -1 << Kind::ColumnCount << -1 << -1 << QString() << 2;
    QTest::newRow("24 columns") << MakeRows({60, 3, 24, 21}) << -1 << -1 << Kind::ColumnCount << -1 << -1 << QString()
                                << 24;
    QTest::newRow("ColumnCount 0") << base << -1 << 0 << Kind::ColumnCount << -1 << -1 << QString() << 0;
    QTest::newRow("RowCount 0") << base << 0 << -1 << Kind::RowCount << -1 << -1 << QString() << 0;
    QTest::newRow("RowCount beyond the table") << base << 62 << -1 << Kind::RowCount << -1 << -1 << QString() << 0;
  }

  void refusedTables() {
    QFETCH(Rows, rows);
    QFETCH(int, rowCount);
    QFETCH(int, columnCount);
    QFETCH(Kind, kind);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, character);
    QFETCH(int, count);

    const QString path = folderWithPreviousFile(QStringLiteral("refused"));
    TestHost host;
    SharedState state;
    prepare(host, state, rows);
    if (rowCount >= 0) state.RowCount = rowCount;
    if (columnCount >= 0) state.ColumnCount = columnCount;

    const auto error = WriteTableToFile(state, host, path);
    QVERIFY(error);
    QCOMPARE(error->kind, kind);
    QCOMPARE(error->row, row);
    QCOMPARE(error->column, column);
    if (row >= 0) QCOMPARE(error->title, rows[0][column]);
    QCOMPARE(error->character, character);
    if (kind == Kind::ColumnCount) QCOMPARE(error->count, count);
    QVERIFY(!error->message().isEmpty());
    verifyUntouched(path);
    QVERIFY(host.grid.isModified());
  }

  // Only rows 0..RowCount-1 are saved, so a cell below them cannot stop the
  // save; the same table with one row more is refused.
  void cellBelowRowCountIsNotSaved() {
    const QString path = folderWithPreviousFile(QStringLiteral("below"));
    Rows rows = MakeRows({20, 1, 3, 6});
    rows[20][2] = QStringLiteral("\"");
    TestHost host;
    SharedState state;
    prepare(host, state, rows);
    state.RowCount = 20;
    auto error = WriteTableToFile(state, host, path);
    QVERIFY2(!error, error ? qPrintable(error->message()) : "");
    QCOMPARE(ReadBytes(path), EncodeCp932(rows.mid(0, 20)));
    QVERIFY(!host.grid.isModified());

    const QByteArray saved = ReadBytes(path);
    host.grid.setModified(true);
    state.RowCount = 21;
    error = WriteTableToFile(state, host, path);
    QVERIFY(error);
    QCOMPARE(error->kind, Kind::Quote);
    QCOMPARE(error->row, 20);
    QCOMPARE(ReadBytes(path), saved);
  }

  void unwritablePlaces_data() {
    QTest::addColumn<QString>("target");  // relative to the folder holding previous.dat
    QTest::newRow("folder is a regular file") << QStringLiteral("previous.dat/new.dat");
    QTest::newRow("folder does not exist") << QStringLiteral("missing/new.dat");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("target is a FIFO") << QStringLiteral("fifo");
    QTest::newRow("empty name") << QString();
  }

  void unwritablePlaces() {
    QFETCH(QString, target);
    const QString path = folderWithPreviousFile(QStringLiteral("places"));
    const QString folder = QFileInfo(path).absolutePath();
    const bool targetIsFolder = target == QStringLiteral("folder");
    const bool targetIsFifo = target == QStringLiteral("fifo");
    if (targetIsFolder) QVERIFY(QDir(folder).mkdir(target));
    if (targetIsFifo) QVERIFY(::mkfifo(QFile::encodeName(folder + u'/' + target).constData(), 0600) == 0);
    const QString full = target.isEmpty() ? QString() : folder + u'/' + target;

    TestHost host;
    SharedState state;
    prepare(host, state, MakeRows({30, 1, 5, 4}));
    const auto error = WriteTableToFile(state, host, full);
    QVERIFY(error);
    QCOMPARE(error->kind, Kind::CannotWrite);
    QCOMPARE(error->path, full);
    QVERIFY(!error->message().isEmpty());
    QCOMPARE(ReadBytes(path), previous_);
    QStringList expected{QStringLiteral("previous.dat")};
    if (targetIsFolder) {
      expected.prepend(target);
      QVERIFY(QFileInfo(full).isDir());
      QVERIFY(entries(full).isEmpty());
    }
    if (targetIsFifo) expected.prepend(target);
    QCOMPARE(entries(folder), expected);
    QVERIFY(host.grid.isModified());
  }

  // Root writes anywhere, so a folder that cannot be written is made by
  // mounting it read-only.
  void readOnlyFolder() {
    if (::geteuid() != 0) QSKIP("mounting needs root");
    const QString where = tmp_.filePath(QStringLiteral("readonly"));
    ScratchMount mount(where, "size=1m");
    if (!mount.mounted()) QSKIP("tmpfs cannot be mounted here");
    const QString path = where + QStringLiteral("/previous.dat");
    QVERIFY(WriteBytes(path, previous_));
    QVERIFY(mount.makeReadOnly());

    TestHost host;
    SharedState state;
    const Rows rows = MakeRows({90, 3, 16, 8});
    prepare(host, state, rows);
    auto error = WriteTableToFile(state, host, path);
    QVERIFY(error);
    QCOMPARE(error->kind, Kind::CannotWrite);
    verifyUntouched(path);
    QVERIFY(host.grid.isModified());

    // Writable again, the same save goes through.
    QVERIFY(mount.makeWritable());
    error = WriteTableToFile(state, host, path);
    QVERIFY2(!error, error ? qPrintable(error->message()) : "");
    QCOMPARE(ReadBytes(path), EncodeCp932(rows));
    QCOMPARE(entries(where), QStringList{QStringLiteral("previous.dat")});
  }

  // Failures after the new file was begun: the disk fills up, or the
  // process may not write a file that large. The save is written aside,
  // every write checked, and only then put in place, so the old file
  // survives either way, whatever the size of the table; a table that fits
  // in the space left is saved.
  void failureHalfWay_data() {
    QTest::addColumn<int>("students");  // 10, 100 and 1000 students give about 1, 10 and 100 KB
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<int>("room");  // bytes left free on the disk, or the file size limit
    QTest::addColumn<bool>("fits");
    for (const int students : {10, 100, 998}) {
      const int kb = students < 50 ? 1 : students < 500 ? 10 : 100;
      QTest::addRow("%d KB, disk full", kb) << students << true << 0 << false;
      QTest::addRow("%d KB, size limit", kb) << students << false << students * 50 << false;
    }
    QTest::newRow("10 KB, 8 KB free") << 100 << true << 8192 << false;
    QTest::newRow("100 KB, 8 KB free") << 998 << true << 8192 << false;
    QTest::newRow("1 KB, 8 KB free") << 10 << true << 8192 << true;
  }

  void failureHalfWay() {
    QFETCH(int, students);
    QFETCH(bool, fullDisk);
    QFETCH(int, room);
    QFETCH(bool, fits);
    const Rows rows = MakeRows({students, 3, 17, 31});
    const qsizetype size = EncodeCp932(rows).size();
    QVERIFY2(size > students * 80 && size < students * 130, qPrintable(QString::number(size)));
    QString path;
    std::unique_ptr<ScratchMount> mount;
    if (fullDisk) {
      if (::geteuid() != 0) QSKIP("mounting needs root");
      const QString where = tmp_.filePath(QStringLiteral("small"));
      mount = std::make_unique<ScratchMount>(where, "size=256k");
      if (!mount->mounted()) QSKIP("tmpfs cannot be mounted here");
      QVERIFY(QDir(where).mkdir(QStringLiteral("data")));
      path = where + QStringLiteral("/data/previous.dat");
      QVERIFY(WriteBytes(path, previous_));
      QVERIFY(fillUp(where + QStringLiteral("/filler"), room));
    } else {
      path = folderWithPreviousFile(QStringLiteral("limited"));
    }

    TestHost host;
    SharedState state;
    prepare(host, state, rows);
    std::optional<SaveError> error;
    {
      std::unique_ptr<FileSizeLimit> limit;
      if (!fullDisk) {
        limit = std::make_unique<FileSizeLimit>(room);
        QVERIFY(limit->active());
      }
      error = WriteTableToFile(state, host, path);
    }
    if (fits) {
      QVERIFY2(!error, error ? qPrintable(error->message()) : "");
      QCOMPARE(ReadBytes(path), EncodeCp932(rows));
      QCOMPARE(entries(QFileInfo(path).absolutePath()), QStringList{QStringLiteral("previous.dat")});
      return;
    }
    QVERIFY2(error, "a save that could not be written was reported as done");
    QCOMPARE(error->kind, Kind::CannotWrite);
    const QString reason = fullDisk ? QStringLiteral("ディスクの空きが足りません")
                                    : QStringLiteral("ファイルが書き込める大きさを超えます");
    QCOMPARE(error->message(), QStringLiteral("ファイル「previous.dat」に保存できませんでした。（%1）"
                                              "元のファイルは変更されていません。")
                                   .arg(reason));
    verifyUntouched(path);
    QVERIFY(host.grid.isModified());
  }

 private:
  // Fills the disk with one file, then gives back `room` bytes of it.
  static bool fillUp(const QString& filler, int room) {
    QFile f(filler);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size()) {
    }
    return f.resize(std::max<qint64>(f.size() - room, 0));
  }
};

}  // namespace

QTEST_GUILESS_MAIN(SaveFailureTest)
#include "save_failure_test.moc"
