#include "model/rules/roster/name_entry.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using gakunen::testing::Cells;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;

namespace {

Rows roster(const QList<QPair<QString, QString>>& classAndNumber, int columns = 3) {
  Rows rows{QStringList{"組", "番", "生徒氏名", "国語", "数学"}.mid(0, columns)};
  for (const auto& [cls, number] : classAndNumber) {
    QStringList row{cls, number, cls + u'-' + number, "70", "80"};
    rows << row.mid(0, columns);
  }
  return rows;
}

void load(TestHost& host, SharedState& state, const Rows& rows) {
  gakunen::testing::FillTable(host.table(), rows);
  gakunen::testing::DescribeTable(state, host.table());
}

}  // namespace

class NameEntryTest : public QObject {
  Q_OBJECT
 private slots:
  // From CurrentRow on, one name a step; the last row ends entry.
  void entrySteps_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expectedNames");
    QTest::addColumn<int>("expectedCurrentRow");
    QTest::addColumn<int>("lastStep");

    const int next = int(NameEntryStep::Next), finished = int(NameEntryStep::Finished);
    QTest::newRow("across the class boundary")
        << 2 << QStringList{"佐藤", "鈴木"} << QStringList{"1-1", "佐藤", "鈴木", "2-2"} << 4 << next;
    QTest::newRow("to the end") << 3 << QStringList{"高橋", "田中"} << QStringList{"1-1", "1-2", "高橋", "田中"} << 5
                                << finished;
    QTest::newRow("empty text clears the name")
        << 1 << QStringList{""} << QStringList{"", "1-2", "2-1", "2-2"} << 2 << next;
    QTest::newRow("stored as typed") << 4 << QStringList{"  髙橋　﨑子, \"x\" "}
                                     << QStringList{"1-1", "1-2", "2-1", "  髙橋　﨑子, \"x\" "} << 5 << finished;
  }
  void entrySteps() {
    QFETCH(int, start);
    QFETCH(QStringList, names);
    QFETCH(QStringList, expectedNames);
    QFETCH(int, expectedCurrentRow);
    QFETCH(int, lastStep);
    TestHost host;
    SharedState state;
    load(host, state, roster({{"1", "1"}, {"1", "2"}, {"2", "1"}, {"2", "2"}}));
    state.CurrentRow = start;
    NameEntryStep step = NameEntryStep::NoRow;
    for (const QString& name : names) step = EnterName(state, host, name);
    QCOMPARE(int(step), lastStep);
    QCOMPARE(state.CurrentRow, expectedCurrentRow);
    QStringList got;
    for (int r = 1; r < host.table().rows(); ++r) got << host.table().text(r, 2);
    QCOMPARE(got, expectedNames);
  }

  // A CurrentRow left by another table never writes into the titles or past the end.
  void staleRowWritesNothing_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("title row") << 0;
    QTest::newRow("negative") << -3;
    QTest::newRow("past the end") << 5;
  }
  void staleRowWritesNothing() {
    QFETCH(int, row);
    TestHost host;
    SharedState state;
    load(host, state, roster({{"1", "1"}, {"1", "2"}}));
    const Rows before = Cells(host.table());
    state.CurrentRow = row;
    QCOMPARE(EnterName(state, host, "名前"), NameEntryStep::NoRow);
    QCOMPARE(Cells(host.table()), before);
    QCOMPARE(state.CurrentRow, row);
  }

  // One page per class that has students: the titles, then that class only.
  void classPages_data() {
    QTest::addColumn<Rows>("table");
    QTest::addColumn<QList<int>>("pageClasses");
    QTest::addColumn<QList<QStringList>>("pageNames");

    QTest::newRow("three classes") << roster({{"1", "1"}, {"1", "2"}, {"2", "1"}, {"3", "1"}, {"3", "2"}, {"3", "3"}})
                                   << QList<int>{1, 2, 3}
                                   << QList<QStringList>{{"1-1", "1-2"}, {"2-1"}, {"3-1", "3-2", "3-3"}};
    QTest::newRow("no class 2, no empty page")
        << roster({{"1", "1"}, {"3", "1"}}) << QList<int>{1, 3} << QList<QStringList>{{"1-1"}, {"3-1"}};
    QTest::newRow("classes out of order") << roster({{"2", "1"}, {"1", "1"}, {"2", "2"}, {"1", "2"}})
                                          << QList<int>{1, 2} << QList<QStringList>{{"1-1", "1-2"}, {"2-1", "2-2"}};
    QTest::newRow("rows without a plain class") << roster({{"1", "1"}, {"", ""}, {"03", "1"}, {"1", "2"}})
                                                << QList<int>{1} << QList<QStringList>{{"1-1", "1-2"}};
    QTest::newRow("nobody to print") << roster({{"", "1"}}) << QList<int>{} << QList<QStringList>{};
  }
  void classPages() {
    QFETCH(Rows, table);
    QFETCH(QList<int>, pageClasses);
    QFETCH(QList<QStringList>, pageNames);
    TestHost host;
    SharedState state;
    load(host, state, table);
    const auto pages = BuildClassPages(state, host);
    QCOMPARE(int(pages.size()), int(pageClasses.size()));
    for (size_t i = 0; i < pages.size(); ++i) {
      const StudentTable& page = *pages[i].table;
      QCOMPARE(pages[i].classNumber, pageClasses[i]);
      QCOMPARE(page.rowTexts(0), table[0]);
      QCOMPARE(page.rows(), pageNames[i].size() + 1);
      for (int r = 1; r < page.rows(); ++r) {
        QCOMPARE(page.text(r, 0), QString::number(pageClasses[i]));
        QCOMPARE(page.text(r, 2), pageNames[i][r - 1]);
      }
    }
  }

  // Score columns travel with their students; widths are the standard ones.
  void pageHasEveryColumnAndStandardWidths() {
    TestHost host;
    SharedState state;
    load(host, state, roster({{"1", "1"}, {"2", "1"}}, 5));
    const auto pages = BuildClassPages(state, host);
    QCOMPARE(int(pages.size()), 2);
    const StudentTable& page = *pages[1].table;
    QCOMPARE(page.rowTexts(1), (QStringList{"2", "1", "2-1", "70", "80"}));
    QList<int> widths;
    for (int c = 0; c < page.cols(); ++c) widths << page.colWidth(c);
    QCOMPARE(widths, (QList<int>{300, 300, 1300, 500, 500}));
    QCOMPARE(state.ClassCount, 2);
    QCOMPARE(state.ClassSizes.mid(0, 3), (QVector<int>{1, 1, 0}));
  }
};

QTEST_GUILESS_MAIN(NameEntryTest)
#include "name_entry_test.moc"
