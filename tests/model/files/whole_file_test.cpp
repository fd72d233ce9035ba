// Whole files read and replaced through the system's own calls, in cases
// that need nothing but an ordinary folder, so that the same table holds on
// every system the program is built for (the Windows build runs it under
// Wine). Full disks and size limits are in save_failure_test.

#include "model/files/whole_file.h"
#include "support/table_fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace gakunen;
using namespace gakunen::testing;

namespace {
// What stands at the name before the call.
enum class Place { Nothing, File, ReadOnlyFile, Folder };
}  // namespace
Q_DECLARE_METATYPE(Place)

namespace {

QByteArray Bytes(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>("\x8F\x81\x8B\x9E,\"\r\n"[i % 8]);
  return bytes;
}

class WholeFileTest : public QObject {
  Q_OBJECT

  QTemporaryDir tmp_;
  int case_ = 0;
  const QByteArray old_ = Bytes(300);

  // A fresh folder, with `place` made at `name` in it.
  QString prepare(Place place, const QString& name) {
    const QString folder = tmp_.filePath(QString::number(++case_));
    QDir().mkpath(folder);
    const QString path = folder + u'/' + name;
    if (place == Place::Folder) QDir().mkpath(path);
    if (place == Place::File || place == Place::ReadOnlyFile) WriteBytes(path, old_);
    if (place == Place::ReadOnlyFile) QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    return path;
  }

  static QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

 private slots:
  void initTestCase() { QVERIFY(tmp_.isValid()); }

  void replace_data() {
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("reason");  // empty: the save goes through
    QTest::newRow("new file, empty") << Place::Nothing << "a.dat" << 0 << "";
    QTest::newRow("new file, 1 MB") << Place::Nothing << "a.dat" << (1 << 20) << "";
    QTest::newRow("replaces a larger file") << Place::File << "a.dat" << 10 << "";
    QTest::newRow("replaces with 3 MB") << Place::File << "a.dat" << (3 << 20) << "";
    QTest::newRow("read-only file") << Place::ReadOnlyFile << "a.dat" << 10 << "書き込みが許可されていません";
    QTest::newRow("folder in the way") << Place::Folder << "a.dat" << 10 << "同じ名前のフォルダがあります";
    QTest::newRow("no such folder") << Place::Nothing << "none/a.dat" << 10 << "保存先のフォルダがありません";
    QTest::newRow("no name") << Place::Nothing << "" << 10 << "保存先のフォルダがありません";
  }

  void replace() {
    QFETCH(Place, place);
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(QString, reason);
#ifndef _WIN32
    if (place == Place::ReadOnlyFile && ::geteuid() == 0) QSKIP("root writes any file");
#endif
    QString path = prepare(place, name);
    const QString folder = QFileInfo(path).absolutePath();
    const QStringList before = entries(folder);
    if (name.isEmpty()) path.clear();

    const auto failure = ReplaceWholeFile(path, Bytes(size));
    if (reason.isEmpty()) {
      QVERIFY2(!failure, failure ? qPrintable(failure->reason()) : "");
      QCOMPARE(ReadBytes(path), Bytes(size));
      QCOMPARE(entries(folder), QStringList{name});
      return;
    }
    QVERIFY2(failure, "a refused save was reported as done");
    QCOMPARE(failure->reason(), reason);
    QCOMPARE(failure->existed, place == Place::ReadOnlyFile);
    QCOMPARE(entries(folder), before);
    if (place == Place::ReadOnlyFile) QCOMPARE(ReadBytes(path), old_);
  }

  void read_data() {
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("file") << Place::File << "a.dat"
                          << "";
    QTest::newRow("read-only file") << Place::ReadOnlyFile << "a.dat"
                                    << "";
    QTest::newRow("missing file") << Place::Nothing << "a.dat"
                                  << "ファイルがありません";
    QTest::newRow("folder") << Place::Folder << "a.dat"
                            << "ファイルではなくフォルダです";
    QTest::newRow("no name") << Place::Nothing << ""
                             << "ファイルがありません";
  }

  void read() {
    QFETCH(Place, place);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QString path = prepare(place, name);
    if (name.isEmpty()) path.clear();
    QByteArray bytes = "left from before";
    const auto failure = ReadWholeFile(path, bytes);
    if (reason.isEmpty()) {
      QVERIFY2(!failure, failure ? qPrintable(failure->reason()) : "");
      QCOMPARE(bytes, old_);
      return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->reason(), reason);
    QVERIFY(bytes.isEmpty());
  }

  // A system device is not a file, whichever way it is used.
  void device() {
#ifdef _WIN32
    const QString path = QStringLiteral("NUL");
#else
    const QString path = QStringLiteral("/dev/null");
#endif
    QByteArray bytes;
    auto failure = ReadWholeFile(path, bytes);
    QVERIFY(failure);
    QCOMPARE(failure->reason(), QStringLiteral("通常のファイルではありません"));
    failure = ReplaceWholeFile(path, Bytes(10));
    QVERIFY(failure);
    QCOMPARE(failure->reason(), QStringLiteral("通常のファイルではありません"));
  }
};

}  // namespace

QTEST_GUILESS_MAIN(WholeFileTest)
#include "whole_file_test.moc"
