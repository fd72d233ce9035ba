// Every printing screen heads each page with what the page is: the data
// file's name (or the screen's caption for a table never saved), the class
// where the page holds one, the date printed and "n / m". Each row reaches
// one printing screen the way a teacher does and prints there, through the
// program's own scenario runner.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The steps to a printout; "EX/" stands for the example files, "DATA/" for
// the scenario data files.
const QStringList kScoreRoad = {"file DATA/evaluation_classes_124.dat", "click Form1.Command1"};
const QStringList kRankRoad = {"file DATA/evaluation_41.dat", "click Form1.Command1", "click Form3.Command5",
                               "click Form3.Command6",        "click Form3.Command9", "click Form3.Command10"};
const QStringList kDivisionRoad = {"click Form1.Command10", "file EX/test_5subjects.dat", "click Form1.Command11",
                                   "click Form12.Command1", "click Form12.Option1[1]",    "click Form12.Command3",
                                   "click Form13.Command3", "click Form13.Command4",      "answer 3",
                                   "click Form13.Command5", "click Form13.Command6",      "click Form13.Command9"};

}  // namespace

class PrintHeadersTest : public QObject {
  Q_OBJECT
 private slots:
  void headers_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pageTexts");  // "PAGE TEXT": TEXT is drawn on page PAGE of the last job
    QTest::newRow("roster, a page a class")
        << QStringList{"click Form1.Command3", "file EX/roster_3classes.dat", "click Form1.Command6",
                       "click Form2.Command10", "expect-pages 3"}
        << QStringList{"1 roster_3classes.dat", "1 1組", "1 $DATE", "1 1 / 3", "3 3組", "3 3 / 3"};
    QTest::newRow("scores, a class nobody is in keeps its page")
        << kScoreRoad + QStringList{"click Form3.Command7", "expect-pages 4"}
        << QStringList{"1 evaluation_classes_124.dat", "1 1組", "3 3組", "3 3 / 4", "4 4組", "4 $DATE"};
    QTest::newRow("scores, the year-group page last")
        << QStringList{"file EX/test_5subjects.dat",
                       "click Form1.Command1",
                       "click Form3.Command5",
                       "click Form3.Command6",
                       "click Form3.Command8",
                       "click Form3.Command7",
                       "expect-pages 4"}
        << QStringList{"3 3組", "4 学年平均", "4 4 / 4", "4 test_5subjects.dat"};
    QTest::newRow("scores, the frequency page a job of its own")
        << QStringList{"file EX/test_5subjects.dat",
                       "click Form1.Command1",
                       "click Form3.Command5",
                       "click Form3.Command13",
                       "click Form3.Command7",
                       "expect-jobs 2",
                       "expect-pages 1"}
        << QStringList{"1 度数分布", "1 1 / 1", "1 test_5subjects.dat", "1 $DATE"};
    QTest::newRow("ranking, forty a page") << kRankRoad + QStringList{"click Form5.Command1", "expect-pages 2"}
                                           << QStringList{"1 順位画面", "1 順位表", "1 1 / 2", "2 2 / 2", "2 41"};
    QTest::newRow("ranking per class") << kRankRoad + QStringList{"click Form5.Command7", "click Form10.Command1",
                                                                  "expect-pages 2"}
                                       << QStringList{"1 1組", "1 1 / 2", "2 2組", "2 2 / 2", "2 順位画面"};
    QTest::newRow("new classes") << kDivisionRoad + QStringList{"click Form16.Command1", "expect-pages 3"}
                                 << QStringList{"1 新クラス表示画面", "1 1組", "2 2組", "3 3組", "3 3 / 3", "3 $DATE"};
    QTest::newRow("new classes after a swap")
        << kDivisionRoad +
               QStringList{"click Form16.Command5", "click Form16.Command6", "click Form17.Command1", "expect-pages 3"}
        << QStringList{"1 生徒入れ替え後表示", "1 1組", "3 3組", "3 3 / 3"};
    QTest::newRow("charts") << QStringList{"file EX/test_5subjects.dat",
                                           "click Form1.Command1",
                                           "click Form3.Command5",
                                           "click Form3.Command13",
                                           "click Form3.Command15",
                                           "click Form19.Command1",
                                           "expect-pages 1"}
                            << QStringList{"1 1 / 1", "1 $DATE"};
  }
  void headers() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, pageTexts);
    QStringList lines;
    for (QString step : steps)
      lines << step.replace(QStringLiteral("EX/"), QStringLiteral(GAKUNEN_EXAMPLES_DIR "/"))
                   .replace(QStringLiteral("DATA/"), QStringLiteral(GAKUNEN_SCENARIO_DATA_DIR "/"));
    for (const QString& pageText : pageTexts) lines << QStringLiteral("expect-page-text ") + pageText;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("headers.scn"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join(u'\n').toUtf8() + '\n');
    file.close();

    QProcess program;
    program.start(QStringLiteral(GAKUNEN_PROGRAM), {QStringLiteral("--scenario"), path});
    QVERIFY(program.waitForFinished(120000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput()).trimmed();
    QVERIFY2(program.exitCode() == 0, qPrintable(out));
    QCOMPARE(out.section(u'\n', -1), QStringLiteral("%1 passed, 0 failed").arg(lines.size()));
  }
};

QTEST_MAIN(PrintHeadersTest)
#include "print_headers_test.moc"
