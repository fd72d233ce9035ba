#include "screens/scores/chart_screen.h"
#include "model/rules/scores/frequency.h"
#include "support/drawn_page.h"
#include "support/roster_test_app.h"
#include "ui/bar_chart.h"
#include "ui/page_printer.h"
#include "ui/print_preview.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace gakunen;
using namespace gakunen::testing;

class ChartScreenTest : public QObject {
  Q_OBJECT
 private slots:
  // One chart per counted column, whatever their number; the total in slot 5.
  void chartSlots_data() {
    QTest::addColumn<int>("subjects");
    QTest::addColumn<int>("slotTotal");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("three subjects") << 3 << 6 << QList<int>{0, 1, 2, 5};
    QTest::newRow("five subjects") << 5 << 6 << QList<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("seven subjects") << 7 << 8 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("nine subjects") << 9 << 10 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  }
  void chartSlots() {
    QFETCH(int, subjects);
    QFETCH(int, slotTotal);
    QFETCH(QList<int>, shown);
    RosterApp app;
    auto* screen = &app.app->forms().charts();
    QVERIFY(screen);
    QList<FrequencyChart> charts;
    for (int j = 0; j < subjects; ++j)
      charts << FrequencyChart{QStringLiteral("教科%1").arg(j), QList<int>(10, j), false};
    charts << FrequencyChart{QStringLiteral("合計"), {1, 2, 3, 4, 5}, true};
    // A second filling replaces the first.
    screen->setCharts({FrequencyChart{QStringLiteral("前"), QList<int>(10, 1), false},
                       FrequencyChart{QStringLiteral("合計"), QList<int>(5, 1), true}});
    screen->setCharts(charts);
    screen->show();
    QCOMPARE(screen->slotCount(), slotTotal);
    for (int i = 0; i < slotTotal; ++i) {
      BarChart* view = screen->findChild<BarChart*>(QStringLiteral("MSChart1[%1]").arg(i));
      QVERIFY(view);
      QCOMPARE(view->isVisible(), shown.contains(i));
    }
    QCOMPARE(screen->slotData(5).title, QStringLiteral("合計"));
    QCOMPARE(screen->slotData(5).counts, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(screen->slotData(2).title, QStringLiteral("教科2"));
    if (subjects > 5) QCOMPARE(screen->slotData(6).title, QStringLiteral("教科5"));
    if (subjects < 5) QCOMPARE(screen->slotData(4).title, QString());
  }

  // "印刷" puts the charts alone on the page, drawn as vector: every chart's
  // title and counts as text, no picture pasted in, neither the buttons nor
  // the grey of the window.
  void printedPage_data() {
    QTest::addColumn<int>("subjects");
    QTest::newRow("one subject") << 1;
    QTest::newRow("five subjects") << 5;
    QTest::newRow("nineteen subjects") << 19;
  }
  void printedPage() {
    QFETCH(int, subjects);
    auto printer = std::make_unique<PagePrinter>();
    PagePrinter* pages = printer.get();
    Application app(std::make_unique<ScriptedDialogs>(), std::move(printer));
    app.setScenarioMode(true);
    ChartScreen& screen = app.forms().charts();
    // Titles in one script: a page draws a run of text per script.
    const QString firsts = QStringLiteral("国社数理英音美保技家歴地公化物生漢古書");
    QList<FrequencyChart> charts;
    for (int j = 0; j < subjects; ++j)
      charts << FrequencyChart{firsts[j] + QStringLiteral("科"), QList<int>(10, 100 + j), false};
    charts << FrequencyChart{QStringLiteral("合計"), {1, 2, 3, 4, 987}, true};
    screen.setCharts(charts);
    screen.show();
    screen.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

    QCOMPARE(pages->jobsFinished(), 1);
    const PrintJob& job = pages->lastJob();
    QCOMPARE(job.pageCount(), 1);
    const DrawnPage drawn(job.pages[0].picture);
    QCOMPARE(drawn.pictures, 0);
    for (const FrequencyChart& c : charts) {
      QVERIFY2(drawn.texts.contains(c.title), qPrintable(c.title));
      QVERIFY2(drawn.texts.contains(QString::number(c.counts.last())), qPrintable(c.title));
    }
    QVERIFY(!drawn.texts.contains(QStringLiteral("印刷")));
    QVERIFY(!drawn.texts.contains(QStringLiteral("終了")));
    const QImage sheet = RenderJobPage(job, 0, 72);
    const double grey = ShareOfColour(sheet, screen.palette().color(QPalette::Window).rgb());
    QVERIFY2(grey < 0.01, qPrintable(QString::number(grey)));
  }
};

QTEST_MAIN(ChartScreenTest)
#include "chart_screen_test.moc"
