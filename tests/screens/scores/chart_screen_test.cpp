#include "screens/scores/chart_screen.h"
#include "model/rules/scores/frequency.h"
#include "support/roster_test_app.h"

#include <QChartView>
#include <QtTest>

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
      QChartView* view = screen->findChild<QChartView*>(QStringLiteral("MSChart1[%1]").arg(i));
      QVERIFY(view);
      QCOMPARE(view->isVisible(), shown.contains(i));
    }
    QCOMPARE(screen->slotData(5).title, QStringLiteral("合計"));
    QCOMPARE(screen->slotData(5).counts, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(screen->slotData(2).title, QStringLiteral("教科2"));
    if (subjects > 5) QCOMPARE(screen->slotData(6).title, QStringLiteral("教科5"));
    if (subjects < 5) QCOMPARE(screen->slotData(4).title, QString());
  }
};

QTEST_MAIN(ChartScreenTest)
#include "chart_screen_test.moc"
