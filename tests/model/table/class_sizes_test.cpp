#include "model/table/class_sizes.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using gakunen::testing::TestHost;

namespace {

// A table whose column 0 holds `classCells` under the titles.
void fillClasses(TestHost& host, const QStringList& classCells) {
  StudentTable& t = host.table();
  t.resize(classCells.size() + 1, 3);
  t.setText(0, 0, QStringLiteral("組"));
  t.setText(0, 1, QStringLiteral("番"));
  t.setText(0, 2, QStringLiteral("生徒氏名"));
  for (int i = 0; i < classCells.size(); ++i) t.setText(i + 1, 0, classCells[i]);
}

QStringList repeat(const QString& cell, int times) {
  QStringList out;
  for (int i = 0; i < times; ++i) out << cell;
  return out;
}

QVector<int> sizes(std::initializer_list<int> leading) {
  QVector<int> out(15, 0);
  int i = 0;
  for (int v : leading) out[i++] = v;
  return out;
}

}  // namespace

class ClassSizesTest : public QObject {
  Q_OBJECT
 private slots:
  void counts_data() {
    QTest::addColumn<QStringList>("classCells");
    QTest::addColumn<QVector<int>>("expectedSizes");
    QTest::addColumn<int>("expectedCount");

    QTest::newRow("three classes, summary rows below")
        << (repeat("1", 30) + repeat("2", 31) + repeat("3", 29) + QStringList{"", "学年平均", "合計"})
        << sizes({30, 31, 29}) << 3;
    QTest::newRow("fifteen classes") <<
        [] {
          QStringList cells;
          for (int k = 1; k <= 15; ++k) cells << repeat(QString::number(k), k);
          return cells;
        }() <<
        [] {
          QVector<int> v(15);
          for (int k = 1; k <= 15; ++k) v[k - 1] = k;
          return v;
        }() << 15;
    QTest::newRow("only plain class numbers count")
        << QStringList{"1", " 3", "03", "3 ", "３", "+2", "2.0", "16", "0", "-1", "1組", "2"} << sizes({1, 1}) << 2;
    QTest::newRow("a missing class keeps its place") << QStringList{"1", "1", "3"} << sizes({2, 0, 1}) << 3;
    QTest::newRow("count follows the last counted row") << QStringList{"1", "3", "2", "学年"} << sizes({1, 1, 1}) << 2;
    QTest::newRow("no class at all") << QStringList{"", "合計"} << sizes({}) << 0;
  }
  void counts() {
    QFETCH(QStringList, classCells);
    QFETCH(QVector<int>, expectedSizes);
    QFETCH(int, expectedCount);
    TestHost host;
    fillClasses(host, classCells);
    SharedState state;
    state.RowCount = host.table().rows();
    state.ClassCount = 9;  // left from an earlier table
    state.ClassSizes = QVector<int>(15, 0);
    CountClassSizes(state, host);
    QCOMPARE(state.ClassSizes, expectedSizes);
    QCOMPARE(state.ClassCount, expectedCount);
    QCOMPARE(state.CurrentForm, static_cast<TableHost*>(&host));
  }

  // Rows past RowCount belong to no student of the table in hand.
  void onlyRowsWithinRowCount() {
    TestHost host;
    fillClasses(host, QStringList{"1", "1", "2", "2"});
    SharedState state;
    state.RowCount = 3;
    state.ClassSizes = QVector<int>(15, 0);
    CountClassSizes(state, host);
    QCOMPARE(state.ClassSizes, sizes({2}));
    QCOMPARE(state.ClassCount, 1);
  }

  void unpreparedSizesStillHoldEveryClass() {
    TestHost host;
    fillClasses(host, QStringList{"14", "15"});
    SharedState state;
    state.RowCount = host.table().rows();
    CountClassSizes(state, host);
    QCOMPARE(state.ClassSizes.size(), 15);
    QCOMPARE(state.ClassSizes[13], 1);
    QCOMPARE(state.ClassSizes[14], 1);
    QCOMPARE(state.ClassCount, 15);
  }
};

QTEST_GUILESS_MAIN(ClassSizesTest)
#include "class_sizes_test.moc"
