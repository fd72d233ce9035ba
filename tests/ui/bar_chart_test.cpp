#include "ui/bar_chart.h"

#include <QtTest>

using namespace gakunen;

class BarChartTest : public QObject {
  Q_OBJECT
 private slots:
  // The value axis starts at 0 and climbs in whole students, a handful of
  // steps, with room above the tallest bar for its label; a count below 0
  // (never counted, but not to be trusted) draws as 0.
  void valueScale_data() {
    QTest::addColumn<int>("most");
    QTest::newRow("nobody") << 0;
    QTest::newRow("below zero") << -3;
    QTest::newRow("one") << 1;
    QTest::newRow("five") << 5;
    QTest::newRow("six") << 6;
    QTest::newRow("a class") << 38;
    QTest::newRow("a hundred") << 100;
    QTest::newRow("the whole year-group") << 998;
  }
  void valueScale() {
    QFETCH(int, most);
    const ValueScale scale = ValueScaleFor(most);
    const int tallest = std::max(most, 0);
    QVERIFY2(scale.step >= 1 && scale.top % scale.step == 0,
             qPrintable(QStringLiteral("top %1, step %2").arg(scale.top).arg(scale.step)));
    QVERIFY2(scale.top > tallest && scale.top >= tallest * 1.15, qPrintable(QString::number(scale.top)));
    QVERIFY2(scale.top / scale.step <= 7, qPrintable(QStringLiteral("%1 steps").arg(scale.top / scale.step)));
  }
};

QTEST_MAIN(BarChartTest)
#include "bar_chart_test.moc"
