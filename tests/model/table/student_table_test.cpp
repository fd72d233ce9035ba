#include "model/table/student_table.h"
#include "model/session/shared_state.h"
#include "model/table/grid_routines.h"
#include "support/table_fixtures.h"

#include <QSignalSpy>
#include <QTest>

using namespace gakunen;
using gakunen::testing::TestHost;

namespace {
QStringList column(const StudentTable& t, int c) {
  QStringList out;
  for (int r = 1; r < t.rows(); ++r) out << t.text(r, c);
  return out;
}

void fillColumn(StudentTable& t, const QStringList& keys) {
  t.resize(keys.size() + 1, 2);
  t.setText(0, 0, QStringLiteral("鍵"));
  t.setText(0, 1, QStringLiteral("順"));
  for (int i = 0; i < keys.size(); ++i) {
    t.setText(i + 1, 0, keys[i]);
    t.setText(i + 1, 1, QString::number(i));
  }
}
}  // namespace

class StudentTableTest : public QObject {
  Q_OBJECT
 private slots:
  void resizeKeepsAndDropsCells() {
    StudentTable t;
    t.resize(3, 3);
    t.setText(2, 2, QStringLiteral("山田"));
    t.setText(1, 0, QStringLiteral("1"));
    t.resize(4, 5);
    QCOMPARE(t.text(2, 2), QStringLiteral("山田"));
    QCOMPARE(t.text(1, 0), QStringLiteral("1"));
    QCOMPARE(t.text(3, 4), QString());
    t.resize(2, 2);
    QCOMPARE(t.rows(), 2);
    QCOMPARE(t.cols(), 2);
    QCOMPARE(t.text(1, 0), QStringLiteral("1"));
    t.resize(3, 3);
    QCOMPARE(t.text(2, 2), QString());  // dropped cells do not come back
  }

  void outsideCellsAreEmptyAndIgnoreWrites() {
    StudentTable t;
    t.resize(2, 2);
    t.setText(5, 5, QStringLiteral("x"));
    t.setText(-1, 0, QStringLiteral("x"));
    QCOMPARE(t.text(5, 5), QString());
    QCOMPARE(t.text(-1, 0), QString());
    QCOMPARE(t.rows(), 2);
  }

  void insertRowShiftsFollowingRows() {
    StudentTable t;
    t.resize(3, 3);
    t.setText(1, 2, QStringLiteral("一"));
    t.setText(2, 2, QStringLiteral("二"));
    t.insertRow(2, {QStringLiteral("2"), QStringLiteral("31"), QStringLiteral("転入")});
    QCOMPARE(t.rows(), 4);
    QCOMPARE(t.rowTexts(2), QStringList({"2", "31", "転入"}));
    QCOMPARE(t.text(3, 2), QStringLiteral("二"));
    t.insertRow(t.rows(), {QStringLiteral("末")});
    QCOMPARE(t.text(4, 0), QStringLiteral("末"));
    QCOMPARE(t.text(4, 1), QString());
  }

  void sort_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("sequence");  // original positions after sorting
    QTest::newRow("numbers as numbers") << QStringList{"9", "10", "100", "85"} << 1 << QStringList{"0", "1", "3", "2"};
    QTest::newRow("descending") << QStringList{"9", "10", "100", "85"} << 2 << QStringList{"2", "3", "1", "0"};
    QTest::newRow("ties keep order ascending")
        << QStringList{"430", "450", "430", "410"} << 1 << QStringList{"3", "0", "2", "1"};
    QTest::newRow("ties keep order descending")
        << QStringList{"430", "450", "430", "410"} << 2 << QStringList{"1", "0", "2", "3"};
    QTest::newRow("decimals") << QStringList{"83.3", "100.0", ".0", "75.0"} << 2 << QStringList{"1", "0", "3", "2"};
    QTest::newRow("texts as texts") << QStringList{"b", "a", "c"} << 1 << QStringList{"1", "0", "2"};
    QTest::newRow("empty before numbers as text") << QStringList{"5", "", "3"} << 1 << QStringList{"1", "2", "0"};
  }
  void sort() {
    QFETCH(QStringList, keys);
    QFETCH(int, order);
    QFETCH(QStringList, sequence);
    StudentTable t;
    fillColumn(t, keys);
    t.sortRows(0, static_cast<SortOrder>(order));
    QCOMPARE(column(t, 1), sequence);
    QCOMPARE(t.text(0, 0), QStringLiteral("鍵"));  // titles stay on top
  }

  void sortSurvivesMixedColumns() {
    // Numbers and texts mixed do not form a consistent order; the sort must
    // still finish and keep every row.
    QStringList keys;
    for (int i = 0; i < 500; ++i) keys << (i % 3 == 0 ? QString::number(i % 17) : QStringLiteral("%1a").arg(i % 11));
    StudentTable t;
    fillColumn(t, keys);
    t.sortRows(0, SortOrder::Ascending);
    QStringList seen = column(t, 1);
    seen.sort();
    QStringList all;
    for (int i = 0; i < keys.size(); ++i) all << QString::number(i);
    all.sort();
    QCOMPARE(seen, all);
  }

  void bulkChangeResetsOnce() {
    StudentTable t;
    t.resize(10, 3);
    QSignalSpy resets(&t, &StudentTable::reset);
    QSignalSpy cells(&t, &StudentTable::cellChanged);
    {
      BulkChange bulk(t);
      for (int r = 0; r < 10; ++r) t.setText(r, 1, QStringLiteral("x"));
      t.setRows(20);
      t.sortRows(1, SortOrder::Ascending);
    }
    QCOMPARE(resets.count(), 1);
    QCOMPARE(cells.count(), 0);
    t.setText(1, 1, QStringLiteral("y"));
    QCOMPARE(cells.count(), 1);
  }

  void modifiedFlag() {
    StudentTable t;
    QVERIFY(!t.isModified());
    t.resize(2, 3);
    QVERIFY(t.isModified());
    t.setModified(false);
    t.setColWidth(0, 300);
    QVERIFY(!t.isModified());  // widths are display, not data
    t.setText(1, 1, QStringLiteral("1"));
    QVERIFY(t.isModified());
  }

  void rosterRoutines() {
    SharedState state;
    TestHost host;
    state.ColumnCount = 3;
    state.RowCount = 1;
    SetGridColumns(state, host);
    SetGridRows(state, host);
    SetStandardColumnWidths(state, host);
    WriteRosterHeader(state, host);
    QCOMPARE(state.CurrentForm, static_cast<TableHost*>(&host));
    QCOMPARE(host.grid.rows(), 1);
    QCOMPARE(host.grid.rowTexts(0), QStringList({"組", "番", "生徒氏名"}));
    QCOMPARE(host.grid.colWidth(0), 300);
    QCOMPARE(host.grid.colWidth(1), 300);
    QCOMPARE(host.grid.colWidth(2), 1300);
    state.ColumnCount = 5;
    SetGridColumns(state, host);
    SetStandardColumnWidths(state, host);
    QCOMPARE(host.grid.colWidth(3), 500);
    QCOMPARE(host.grid.colWidth(4), 500);
    QCOMPARE(host.grid.text(0, 2), QStringLiteral("生徒氏名"));
  }
};

QTEST_GUILESS_MAIN(StudentTableTest)
#include "student_table_test.moc"
