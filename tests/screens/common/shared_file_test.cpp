// Two copies of the program on one file, as two teachers on the shared
// folder run them: the later save asks before it writes over the other's,
// and the lock file tells the second who has the file open.

#include "model/files/file_lock.h"
#include "screens/common/file_sequences.h"
#include "support/roster_test_app.h"
#include "support/table_fixtures.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// A copy of the program on one teacher's computer; its name entry screen opens and saves.
struct Program : RosterApp {
  Program() { app->setLocksOpenFiles(true); }
  bool load(const QString& path) { return LoadIntoScreen(*app, *form2, path); }
  bool save(const QString& path) {
    dialogs->queueFile(path);
    return SaveScreenTable(*app, *form2);
  }
};

}  // namespace

class SharedFileTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir tmp_;

 private slots:
  void laterSaveAsksFirst_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<QString>("between");  // what the first copy does to the file before the second saves
    QTest::newRow("one student, saved longer") << 1 << "longer";
    QTest::newRow("one student, saved at the same size and time") << 1 << "same size and time";
    QTest::newRow("998 students, saved at the same size and time") << 998 << "same size and time";
    QTest::newRow("one student, file deleted") << 1 << "deleted";
  }

  void laterSaveAsksFirst() {
    QFETCH(int, students);
    QFETCH(QString, between);
    const QString path = tmp_.filePath(QString::fromUtf8(QTest::currentDataTag()) + QStringLiteral(".dat"));
    QVERIFY(WriteBytes(path, EncodeCp932(MakeRows({students, 1 + students / 40, 5}))));
    const QString question =
        QStringLiteral(
            "「%1」は、開いた後でほかの場所から保存されています。上書きすると、その変更は失われます。上書きしますか？")
            .arg(QFileInfo(path).fileName());
    {
      Program a, b;
      QVERIFY(a.load(path));
      QVERIFY(b.load(path));
      QVERIFY(QFileInfo::exists(LockFilePath(path)));

      struct stat loaded {};
      QCOMPARE(::stat(QFile::encodeName(path).constData(), &loaded), 0);
      if (between == u"deleted") {
        QVERIFY(QFile::remove(path));
      } else {
        QString name = a.table().text(1, 2);
        if (between == u"longer")
          name += u'子';
        else
          name[0] = name[0] == u'山' ? u'川' : u'山';
        a.table().setText(1, 2, name);
        QVERIFY(a.save(path));
        if (between == u"same size and time") {
          // A coarse clock on the shared folder: only the bytes tell.
          const timespec times[2] = {loaded.st_atim, loaded.st_mtim};
          QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
          QCOMPARE(QFileInfo(path).size(), static_cast<qint64>(loaded.st_size));
        }
      }
      const QByteArray theirs = ReadBytes(path);

      b.table().setText(b.table().rows() - 1, 2, QStringLiteral("渡辺　一"));
      const auto mark = b.dialogs->mark();
      const bool asked = between != u"deleted";
      if (asked) {
        b.dialogs->queueConfirm(false);
        QVERIFY(!b.save(path));
        QCOMPARE(b.dialogs->questionsSince(mark), QStringList{question});
        QCOMPARE(ReadBytes(path), theirs);
        QVERIFY(b.table().isModified());
        b.dialogs->queueConfirm(true);
      }
      QVERIFY(b.save(path));
      const QByteArray ours = ReadBytes(path);
      QCOMPARE(ours, EncodeCp932(Cells(b.table())));
      // Saved by this copy and not touched since: nothing more is asked.
      QVERIFY(b.save(path));
      QCOMPARE(b.dialogs->questionsSince(mark).size(), asked ? 2 : 0);

      // Now the first copy holds the old file.
      const auto markA = a.dialogs->mark();
      a.dialogs->queueConfirm(false);
      QVERIFY(!a.save(path));
      QCOMPARE(a.dialogs->questionsSince(markA), QStringList{question});
      QCOMPARE(ReadBytes(path), ours);
      QVERIFY(a.dialogs->messages().isEmpty() && b.dialogs->messages().isEmpty());
    }
    QVERIFY(!QFileInfo::exists(LockFilePath(path)));
  }

  void lockTellsWhoAndGoesWithTheFile() {
    const QString path = tmp_.filePath(QStringLiteral("2年期末.dat"));
    const QString next = tmp_.filePath(QStringLiteral("2年小テスト.dat"));
    for (const QString& p : {path, next}) QVERIFY(WriteBytes(p, EncodeCp932(MakeRows({3, 1, 5}))));
    const QDateTime since = QDateTime::currentDateTime().addSecs(-3600);
    const QByteArray elsewhere = LockFileText({QStringLiteral("鈴木"), QStringLiteral("PC-2"), 4242, since});
    QVERIFY(WriteBytes(LockFilePath(path), elsewhere));
    {
      Program a, b;
      QVERIFY(a.load(path));
      QCOMPARE(a.dialogs->messageTextsSince({}),
               QStringList{QStringLiteral("鈴木さんがPC-2で開いています（%1から）。"
                                          "保存するときは、別の名前にするか、その人が閉じてから保存してください。")
                               .arg(since.toString(QStringLiteral("M月d日 H:mm")))});
      QCOMPARE(a.table().rows(), 4);
      emit a.form2->menuRequested();
      QCOMPARE(ReadBytes(LockFilePath(path)), elsewhere);

      // The other teacher closed it.
      QVERIFY(QFile::remove(LockFilePath(path)));
      QVERIFY(a.load(path));
      QVERIFY(b.load(path));
      emit a.form2->menuRequested();
      QVERIFY(QFileInfo::exists(LockFilePath(path)));
      emit b.form2->menuRequested();
      QVERIFY(!QFileInfo::exists(LockFilePath(path)));

      QVERIFY(a.load(path));
      QVERIFY(a.load(next));
      QVERIFY(!QFileInfo::exists(LockFilePath(path)));
      QVERIFY(QFileInfo::exists(LockFilePath(next)));
      QCOMPARE(a.dialogs->messages().size(), 1);
      QVERIFY(b.dialogs->messages().isEmpty());
    }
    QVERIFY(!QFileInfo::exists(LockFilePath(next)));
  }
};

QTEST_MAIN(SharedFileTest)
#include "shared_file_test.moc"
