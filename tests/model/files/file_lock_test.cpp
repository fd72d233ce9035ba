// The lock file beside an open data file: written when nobody else holds
// it, shared by the screens of one program, left to a live holder
// elsewhere, taken over when stale, skipped where the folder takes nothing.

#include "model/files/file_lock.h"
#include "support/scratch_mount.h"
#include "support/table_fixtures.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// The number of a process that has just ended.
qint64 endedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

}  // namespace

class FileLockTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir tmp_;

 private slots:
  void lockFiles_data() {
    QTest::addColumn<QString>("computer");  // of the lock found beside the file; "" for none
    QTest::addColumn<qint64>("pid");
    QTest::addColumn<int>("minutesAgo");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<bool>("seen");  // left to that holder, who is named to the teacher

    const QString here = QSysInfo::machineHostName();
    const qint64 live = ::getppid();
    QTest::newRow("nobody") << QString() << 0ll << 0 << false << false;
    QTest::newRow("other computer, a minute ago") << "PC-2" << 4242ll << 1 << false << true;
    QTest::newRow("other computer, 11 h 59 ago") << "PC-2" << 4242ll << 719 << false << true;
    QTest::newRow("other computer, 12 h 01 ago") << "PC-2" << 4242ll << 721 << false << false;
    QTest::newRow("this computer, running") << here << live << 600 << false << true;
    QTest::newRow("this computer, ended") << here << endedProcess() << 1 << false << false;
    QTest::newRow("this computer in capitals, ended") << here.toUpper() << endedProcess() << 1 << false << false;
    QTest::newRow("not a lock") << "garbled" << 0ll << 0 << false << false;
    QTest::newRow("read-only folder") << QString() << 0ll << 0 << true << false;
  }

  void lockFiles() {
    QFETCH(QString, computer);
    QFETCH(qint64, pid);
    QFETCH(int, minutesAgo);
    QFETCH(bool, readOnlyFolder);
    QFETCH(bool, seen);

    const QString folder = tmp_.filePath(QString::fromUtf8(QTest::currentDataTag()));
    std::unique_ptr<ScratchMount> mount;
    if (readOnlyFolder) {
      if (::geteuid() != 0) QSKIP("mounting needs root");
      mount = std::make_unique<ScratchMount>(folder, "size=64k");
      if (!mount->mounted() || !mount->makeReadOnly()) QSKIP("no read-only tmpfs here");
    }
    QVERIFY(QDir().mkpath(folder));
    const QString data = folder + QStringLiteral("/2年1学期期末.dat");
    const QString lockPath = LockFilePath(data);
    QCOMPARE(QFileInfo(lockPath).fileName(), QStringLiteral(".~lock.2年1学期期末.dat#"));
    QByteArray planted;
    if (computer == u"garbled")
      planted = "not a lock\n";
    else if (!computer.isEmpty())
      planted = LockFileText({QStringLiteral("鈴木"), computer, pid,
                              QDateTime::currentDateTime().addSecs(-60 * static_cast<qint64>(minutesAgo))});
    if (!planted.isEmpty()) QVERIFY(WriteBytes(lockPath, planted));

    {
      FileLock first;
      const auto holder = first.acquire(data);
      QCOMPARE(holder.has_value(), seen);
      if (seen) QCOMPARE(holder->computer, computer);
      if (seen) QCOMPARE(ReadBytes(lockPath), planted);
      const bool ours = !seen && !readOnlyFolder;
      QCOMPARE(first.holds(), ours);
      if (ours) QCOMPARE(ReadLockFile(lockPath).value_or(LockHolder{}).pid, QCoreApplication::applicationPid());
      const QByteArray whileOpen = ReadBytes(lockPath);
      {
        // A second screen of this program on the same file: nobody else is named.
        FileLock second;
        QCOMPARE(second.acquire(data).has_value(), seen);
      }
      QCOMPARE(ReadBytes(lockPath), whileOpen);
    }
    QCOMPARE(QFileInfo::exists(lockPath), seen);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), seen ? 1 : 0);
  }

  void noticeNamesHolderComputerAndTime() {
    const LockHolder holder{QStringLiteral("鈴木"), QStringLiteral("PC-2"), 42,
                            QDateTime(QDate(2024, 12, 9), QTime(14, 5))};
    QCOMPARE(OpenElsewhereNotice(holder),
             QStringLiteral("鈴木さんがPC-2で開いています（12月9日 14:05から）。"
                            "保存するときは、別の名前にするか、その人が閉じてから保存してください。"));
  }
};

QTEST_GUILESS_MAIN(FileLockTest)
#include "file_lock_test.moc"
