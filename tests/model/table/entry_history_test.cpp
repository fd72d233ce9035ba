#include "model/table/entry_history.h"
#include "model/table/printed_tables.h"
#include "model/table/student_table.h"
#include "model/table/tab_separated.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;

namespace {

// A roster of `students` rows in column 2, names "n1", "n2", ...
void roster(StudentTable& table, int students) {
  Rows rows{{"組", "番", "生徒氏名"}};
  for (int i = 1; i <= students; ++i) rows << QStringList{"1", QString::number(i), QStringLiteral("n%1").arg(i)};
  FillTable(table, rows);
}

// Types `text` over row `row`'s name as an entry screen would.
void enter(StudentTable& table, EntryHistory& history, int row, const QString& text) {
  const QString before = table.text(row, 2);
  table.setText(row, 2, text);
  history.record(row, 2, before);
}

}  // namespace

class EntryHistoryTest : public QObject {
  Q_OBJECT
 private slots:
  // Entries come back newest first, each to what it replaced, down to the
  // table as it was opened; then there is nothing more to take back.
  void undoesOneByOne_data() {
    QTest::addColumn<int>("students");
    QTest::newRow("one student") << 1;
    QTest::newRow("a class of 40, every name typed twice") << 40;
  }
  void undoesOneByOne() {
    QFETCH(int, students);
    StudentTable table;
    roster(table, students);
    EntryHistory history(table);
    for (int round = 1; round <= 2; ++round)
      for (int r = 1; r <= students; ++r) enter(table, history, r, QStringLiteral("r%1-%2").arg(round).arg(r));
    enter(table, history, 1, table.text(1, 2));  // Return on the text shown changes nothing

    for (int round = 2; round >= 1; --round)
      for (int r = students; r >= 1; --r) {
        const auto change = history.undo();
        QVERIFY(change);
        QCOMPARE(change->row, r);
        QCOMPARE(table.text(r, 2), round == 2 ? QStringLiteral("r1-%1").arg(r) : QStringLiteral("n%1").arg(r));
      }
    QVERIFY(!history.undo());
    QVERIFY(history.isEmpty());
  }

  // An entry whose cell was changed since is passed over; a change of the
  // table as a whole (rows sorted, a file read in) forgets every entry, as
  // their rows may hold other students now.
  void neverPutsBackOverOtherWork() {
    StudentTable table;
    roster(table, 3);
    EntryHistory history(table);
    enter(table, history, 1, "A");
    enter(table, history, 2, "B");
    table.setText(2, 2, "changed elsewhere");
    const auto change = history.undo();
    QVERIFY(change);
    QCOMPARE(change->row, 1);
    QCOMPARE(table.text(2, 2), QStringLiteral("changed elsewhere"));
    QCOMPARE(table.text(1, 2), QStringLiteral("n1"));

    enter(table, history, 3, "C");
    table.sortRows(1, SortOrder::Descending);
    QVERIFY(!history.undo());
    QCOMPARE(table.text(1, 2), QStringLiteral("C"));
  }

  void tabSeparated_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("one cell") << Rows{{"85"}} << "85\n";
    QTest::newRow("a block") << Rows{{"組", "番"}, {"1", "2"}} << "組\t番\n1\t2\n";
    QTest::newRow("empty cells keep their places") << Rows{{"", "x", ""}} << "\tx\t\n";
    QTest::newRow("a cell that would split")
        << Rows{{"a\tb", "say \"hi\"", "two\nlines"}} << "\"a\tb\"\t\"say \"\"hi\"\"\"\t\"two\nlines\"\n";
  }
  void tabSeparated() {
    QFETCH(Rows, rows);
    QFETCH(QString, text);
    StudentTable table;
    FillTable(table, rows);
    QCOMPARE(TabSeparated(table, 0, 0, table.rows() - 1, table.cols() - 1), text);
  }

  // A page is taken for a class only when every student on it is in that class.
  void classHeading_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("heading");
    QTest::newRow("one student") << Rows{{"組"}, {"3"}} << "3組";
    QTest::newRow("class 15") << Rows{{"組"}, {"15"}, {"15"}} << "15組";
    QTest::newRow("titles only") << Rows{{"組"}} << "";
    QTest::newRow("two classes") << Rows{{"組"}, {"1"}, {"2"}} << "";
    QTest::newRow("ranks, not classes") << Rows{{"順位"}, {"1"}, {"1"}, {"3"}} << "";
    QTest::newRow("a row without a class") << Rows{{"組"}, {"1"}, {""}} << "";
  }
  void classHeading() {
    QFETCH(Rows, rows);
    QFETCH(QString, heading);
    StudentTable table;
    FillTable(table, rows);
    QCOMPARE(ClassHeadingOf(table), heading);
  }
};

QTEST_MAIN(EntryHistoryTest)
#include "entry_history_test.moc"
