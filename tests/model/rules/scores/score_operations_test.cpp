#include "model/rules/scores/score_operations.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QSignalSpy>
#include <QTest>

using namespace gakunen;
using gakunen::testing::Cells;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;

namespace {

const QStringList kRoster = {"組", "番", "生徒氏名"};

// A roster of `students` in one class with `extraTitles` after the name;
// student cells of the extra columns come from `cells` row by row.
Rows scoreRows(const QStringList& extraTitles, const Rows& cells) {
  Rows rows{kRoster + extraTitles};
  for (int i = 0; i < cells.size(); ++i)
    rows.append(QStringList{"1", QString::number(i + 1), QStringLiteral("生徒%1").arg(i + 1)} + cells[i]);
  return rows;
}

QStringList column(const StudentTable& t, int col) {
  QStringList out;
  for (int r = 0; r < t.rows(); ++r) out << t.text(r, col);
  return out;
}

QList<int> widths(const StudentTable& t) {
  QList<int> out;
  for (int c = 0; c < t.cols(); ++c) out << t.colWidth(c);
  return out;
}

}  // namespace

class ScoreOperationsTest : public QObject {
  Q_OBJECT
 private slots:
  void testSubjects_data() {
    QTest::addColumn<Rows>("before");
    QTest::addColumn<QStringList>("lists");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<Rows>("studentCells");  // columns 3.. of the students after

    const Rows twoFresh = scoreRows({}, {{}, {}});
    QTest::newRow("five default subjects")
        << twoFresh << QStringList{"国語", "社会", "数学", "理科", "英語", "", "", "", ""}
        << QStringList{"国語", "社会", "数学", "理科", "英語"} << Rows{{"", "", "", "", ""}, {"", "", "", "", ""}};
    QTest::newRow("a gap keeps the old title of its column")
        << twoFresh << QStringList{"国語", "社会", "数学", "", "英語", "", "", "", ""}
        << QStringList{"国語", "社会", "数学", "", "英語"} << Rows{{"", "", "", "", ""}, {"", "", "", "", ""}};
    QTest::newRow("same subject twice") << twoFresh << QStringList{"数学", "数学", "", "", "", "", "", "", ""}
                                        << QStringList{"数学", "数学"} << Rows{{"", ""}, {"", ""}};
    QTest::newRow("typed title unchanged") << twoFresh << QStringList{" 国語Ａ ", "", "", "", "", "", "", "", ""}
                                           << QStringList{" 国語Ａ "} << Rows{{""}, {""}};
    QTest::newRow("only the ninth list") << twoFresh << QStringList{"", "", "", "", "", "", "", "", "技家"}
                                         << QStringList{"", "", "", "", "", "", "", "", "技家"}
                                         << Rows{QStringList(9), QStringList(9)};
    QTest::newRow("all lists empty leave the roster") << twoFresh << QStringList(9) << QStringList{} << Rows{{}, {}};
    QTest::newRow("choosing again keeps every typed score")
        << scoreRows({"国語", "社会", "数学", "理科", "英語"},
                     {{"80", "70", "60", "50", "40"}, {"1", "2", "3", "4", "5"}})
        << QStringList{"国語", "社会", "数学", "理科", "英語", "", "", "", ""}
        << QStringList{"国語", "社会", "数学", "理科", "英語"}
        << Rows{{"80", "70", "60", "50", "40"}, {"1", "2", "3", "4", "5"}};
    QTest::newRow("renaming a column keeps its scores")
        << scoreRows({"国語", "社会"}, {{"80", "70"}, {"1", "2"}})
        << QStringList{"国語", "美術", "", "", "", "", "", "", ""} << QStringList{"国語", "美術"}
        << Rows{{"80", "70"}, {"1", "2"}};
    QTest::newRow("fewer subjects drop the columns on the right")
        << scoreRows({"国語", "社会", "数学"}, {{"80", "70", "60"}})
        << QStringList{"国語", "", "", "", "", "", "", "", ""} << QStringList{"国語"} << Rows{{"80"}};
  }
  void testSubjects() {
    QFETCH(Rows, before);
    QFETCH(QStringList, lists);
    QFETCH(QStringList, titles);
    QFETCH(Rows, studentCells);
    TestHost host;
    FillTable(host.table(), before);
    SharedState state;
    state.ColumnCount = before[0].size();
    state.RowCount = before.size();

    ApplyTestSubjects(state, host, lists);

    const StudentTable& t = host.table();
    QCOMPARE(state.ColumnCount, 3 + titles.size());
    QCOMPARE(t.cols(), state.ColumnCount);
    QCOMPARE(t.rows(), before.size());
    QCOMPARE(t.rowTexts(0), kRoster + titles);
    for (int r = 1; r < t.rows(); ++r) {
      QCOMPARE(t.rowTexts(r).mid(0, 3), before[r].mid(0, 3));
      QCOMPARE(t.rowTexts(r).mid(3), studentCells[r - 1]);
    }
    QList<int> expectedWidths{300, 300, 1300};
    for (int c = 3; c < t.cols(); ++c) expectedWidths << 500;
    QCOMPARE(widths(t), expectedWidths);
    QCOMPARE(t.fixedCols(), titles.isEmpty() ? 0 : 3);
  }

  void columnsHoldingEntries_data() {
    QTest::addColumn<int>("newCount");
    QTest::addColumn<QStringList>("losing");
    QTest::newRow("nothing dropped") << 6 << QStringList{};
    QTest::newRow("empty column and title-only column are no loss") << 4 << QStringList{};
    QTest::newRow("scores and untitled data count") << 3 << QStringList{"国語"};
    QTest::newRow("everything after the roster") << 0 << QStringList{"組", "番", "生徒氏名", "国語"};
  }
  void columnsHoldingEntries() {
    QFETCH(int, newCount);
    QFETCH(QStringList, losing);
    StudentTable t;
    FillTable(t, scoreRows({"国語", "社会", ""}, {{"80", "", ""}, {"", "", ""}}));
    t.setText(0, 5, QString());
    QCOMPARE(ColumnsHoldingEntries(t, newCount), losing);
    t.setText(2, 5, QStringLiteral("x"));
    if (newCount <= 5) QVERIFY(ColumnsHoldingEntries(t, newCount).contains(QStringLiteral("6列目")));
  }

  void findSubject_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<int>("expected");  // -1: none
    QTest::newRow("first of two equal titles") << QStringList{"国語", "数学", "数学"} << "数学" << 4;
    QTest::newRow("absent subject") << QStringList{"国語", "数学"} << "保体" << -1;
    QTest::newRow("exact text only") << QStringList{"国語 ", "国語Ａ"} << "国語" << -1;
    QTest::newRow("roster columns are never entry columns") << QStringList{} << "生徒氏名" << -1;
  }
  void findSubject() {
    QFETCH(QStringList, titles);
    QFETCH(QString, subject);
    QFETCH(int, expected);
    StudentTable t;
    FillTable(t, scoreRows(titles, {QStringList(titles.size())}));
    const auto found = FindSubjectColumn(t, subject);
    QCOMPARE(found.value_or(-1), expected);
  }

  void storeEntry_data() {
    QTest::addColumn<int>("entryColumn");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<QStringList>("columnAfter");  // column 4, title first

    const QStringList untouched{"数学", "1", "2", "3"};
    QTest::newRow("first student") << 4 << 1 << "85" << int(EntryOutcome::Stored) << 2
                                   << QStringList{"数学", "85", "2", "3"};
    QTest::newRow("typed text kept as it is")
        << 4 << 2 << " 85点" << int(EntryOutcome::Stored) << 3 << QStringList{"数学", "1", " 85点", "3"};
    QTest::newRow("empty entry empties the cell")
        << 4 << 1 << "" << int(EntryOutcome::Stored) << 2 << QStringList{"数学", "", "2", "3"};
    QTest::newRow("last student ends the table")
        << 4 << 3 << "70" << int(EntryOutcome::TableEnd) << 4 << QStringList{"数学", "1", "2", "70"};
    QTest::newRow("past the last row") << 4 << 4 << "70" << int(EntryOutcome::PastTable) << 4 << untouched;
    QTest::newRow("far past the last row") << 4 << 400 << "70" << int(EntryOutcome::PastTable) << 400 << untouched;
    QTest::newRow("title row is not a student") << 4 << 0 << "70" << int(EntryOutcome::NoStudent) << 0 << untouched;
    QTest::newRow("negative row") << 4 << -3 << "70" << int(EntryOutcome::NoStudent) << -3 << untouched;
    QTest::newRow("no entry column yet") << 0 << 1 << "70" << int(EntryOutcome::NoColumn) << 1 << untouched;
    QTest::newRow("name column never") << 2 << 1 << "70" << int(EntryOutcome::NoColumn) << 1 << untouched;
    QTest::newRow("column beyond the table") << 5 << 1 << "70" << int(EntryOutcome::NoColumn) << 1 << untouched;
  }
  void storeEntry() {
    QFETCH(int, entryColumn);
    QFETCH(int, currentRow);
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(int, rowAfter);
    QFETCH(QStringList, columnAfter);
    StudentTable t;
    const Rows rows = scoreRows({"国語", "数学"}, {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    FillTable(t, rows);
    SharedState state;
    state.EntryColumn = entryColumn;
    state.CurrentRow = currentRow;

    QCOMPARE(int(StoreEntry(state, t, typed)), outcome);
    QCOMPARE(state.CurrentRow, rowAfter);
    QCOMPARE(state.RowCount, 4);
    QCOMPARE(column(t, 4), columnAfter);
    QCOMPARE(column(t, 3), (QStringList{"国語", "a", "b", "c"}));
    QCOMPARE(t.rows(), 4);
    QCOMPARE(t.cols(), 5);
  }

  // Year-group or frequency rows below the students end the entry as the
  // end of the table does; their figures are never overwritten.
  void entryStopsAtSummaryRows_data() {
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("rowAfter");
    QTest::newRow("last student before the summary") << 2 << int(EntryOutcome::TableEnd) << 3;
    QTest::newRow("the empty row after the students") << 3 << int(EntryOutcome::PastTable) << 3;
    QTest::newRow("a figure row") << 4 << int(EntryOutcome::PastTable) << 4;
    QTest::newRow("first student") << 1 << int(EntryOutcome::Stored) << 2;
  }
  void entryStopsAtSummaryRows() {
    QFETCH(int, currentRow);
    QFETCH(int, outcome);
    QFETCH(int, rowAfter);
    Rows rows = scoreRows({"国語", "合計", "平均"}, {{"80", "80", "80.0"}, {"60", "60", "60.0"}});
    rows.append({"", "", "", "", "", ""});
    rows.append({"", "", "学年合計点", "140", "140", "140"});
    StudentTable t;
    FillTable(t, rows);
    SharedState state;
    state.EntryColumn = 3;
    state.CurrentRow = currentRow;
    QCOMPARE(int(StoreEntry(state, t, QStringLiteral("99"))), outcome);
    QCOMPARE(state.CurrentRow, rowAfter);
    QCOMPARE(t.text(3, 3), QString());
    QCOMPARE(t.text(4, 3), QStringLiteral("140"));
    QCOMPARE(t.rows(), 5);
  }

  void totals_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("scores");  // one student
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("columns");  // after

    const QStringList three{"国語", "数学", "英語"};
    QTest::newRow("whole numbers") << three << QStringList{"80", "90", "75"} << "245" << 7;
    QTest::newRow("empty counts 0") << three << QStringList{"80", "", "70"} << "150" << 7;
    QTest::newRow("score typed with 点") << three << QStringList{"85点", "10", "5"} << "100" << 7;
    QTest::newRow("blanks inside digits") << three << QStringList{" 7", "1 2", "\t3"} << "22" << 7;
    QTest::newRow("words and full-width digits read 0") << three << QStringList{"欠席", "８０", "一"} << "0" << 7;
    QTest::newRow("fractions kept") << three << QStringList{"80.5", "90.25", "0.1"} << "170.85" << 7;
    QTest::newRow("negative score") << three << QStringList{"-5", "10", ""} << "5" << 7;
    QTest::newRow("hexadecimal literal") << three << QStringList{"&H10", "", ""} << "16" << 7;
    QTest::newRow("no scores") << three << QStringList{"", "", ""} << "0" << 7;
    QTest::newRow("existing 合計 recomputed in place")
        << QStringList{"国語", "数学", "合計"} << QStringList{"80", "90", "999"} << "170" << 6;
    QTest::newRow("table ending in 平均 gets a further 合計")
        << QStringList{"国語", "数学", "合計", "平均"} << QStringList{"80", "90", "170", "85.0"} << "425" << 8;
    QTest::newRow("roster without subjects") << QStringList{} << QStringList{} << "0" << 4;
  }
  void totals() {
    QFETCH(QStringList, titles);
    QFETCH(QStringList, scores);
    QFETCH(QString, total);
    QFETCH(int, columns);
    StudentTable t;
    FillTable(t, scoreRows(titles, {scores, scores}));
    SharedState state;
    state.ColumnCount = 3 + titles.size();
    state.RowCount = 3;

    QVERIFY(!ComputeTotals(state, t));
    QCOMPARE(state.ColumnCount, columns);
    QCOMPARE(t.cols(), columns);
    QCOMPARE(t.text(0, columns - 1), QStringLiteral("合計"));
    QCOMPARE(t.text(1, columns - 1), total);
    QCOMPARE(t.text(2, columns - 1), total);
    if (columns > 3 + titles.size()) QCOMPARE(t.colWidth(columns - 1), 600);
    for (int c = 3; c < 3 + titles.size() && titles[c - 3] != QStringLiteral("合計"); ++c)
      QCOMPARE(t.text(1, c), scores[c - 3]);
  }

  void averages_data() {
    QTest::addColumn<QStringList>("scores");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("average");

    QTest::newRow("absent student's blank") << QStringList{"80", "", "70"} << "150"
                                            << "75.0";
    QTest::newRow("no scores at all") << QStringList{"", "", ""} << "0"
                                      << ".0";
    QTest::newRow("one decimal") << QStringList{"90", "85", "75"} << "250"
                                 << "83.3";
    QTest::newRow("full marks") << QStringList{"100", "100", ""} << "200"
                                << "100.0";
    QTest::newRow("zero score counts as taken") << QStringList{"0", "", ""} << "0"
                                                << ".0";
    QTest::newRow("below one") << QStringList{"1", "0", ""} << "1"
                               << ".5";
    QTest::newRow("half rounds away from zero") << QStringList{"82.5", "82", ""} << "164.5"
                                                << "82.3";
    QTest::newRow("two thirds") << QStringList{"100", "100", "0"} << "200"
                                << "66.7";
    QTest::newRow("blank cell text is a taken test") << QStringList{" ", "90", ""} << "90"
                                                     << "45.0";
    QTest::newRow("total edited into words") << QStringList{"80", "90", ""} << "なし"
                                             << ".0";
    QTest::newRow("total edited with a unit") << QStringList{"80", "90", ""} << "171点"
                                              << "85.5";
    QTest::newRow("negative total") << QStringList{"-10", "", ""} << "-10"
                                    << "-10.0";
    QTest::newRow("empty total") << QStringList{"1", "", ""} << ""
                                 << ".0";
  }
  void averages() {
    QFETCH(QStringList, scores);
    QFETCH(QString, total);
    QFETCH(QString, average);
    StudentTable t;
    FillTable(t, scoreRows({"国語", "数学", "英語", "合計"}, {scores + QStringList{total}}));
    SharedState state;

    QVERIFY(!ComputeAverages(state, t));
    QCOMPARE(state.ColumnCount, 8);
    QCOMPARE(state.RowCount, 2);
    QCOMPARE(t.text(0, 7), QStringLiteral("平均"));
    QCOMPARE(t.colWidth(7), 500);
    QCOMPARE(t.text(1, 7), average);
    QCOMPARE(t.text(1, 6), total);
  }

  void sortByAverage_data() {
    QTest::addColumn<QStringList>("averages");
    QTest::addColumn<QStringList>("order");  // names after the sort

    QTest::newRow("descending numbers") << QStringList{"75.0", "100.0", ".0", "83.3"}
                                        << QStringList{"生徒2", "生徒4", "生徒1", "生徒3"};
    QTest::newRow("equal averages keep their order")
        << QStringList{"80.0", "90.0", "80.0", "90.0"} << QStringList{"生徒2", "生徒4", "生徒1", "生徒3"};
    QTest::newRow("numbers not compared as text")
        << QStringList{"9.0", "10.0", "100.0", "95.5"} << QStringList{"生徒3", "生徒4", "生徒2", "生徒1"};
    QTest::newRow("one student") << QStringList{"50.0"} << QStringList{"生徒1"};
  }
  void sortByAverage() {
    QFETCH(QStringList, averages);
    QFETCH(QStringList, order);
    Rows cells;
    for (const QString& a : averages) cells.append({a});
    StudentTable t;
    FillTable(t, scoreRows({"平均"}, cells));
    SharedState state;
    SortByLastColumn(state, t);
    QCOMPARE(t.rowTexts(0), kRoster + QStringList{"平均"});
    QCOMPARE(column(t, 2).mid(1), order);
    // Every row moves whole.
    for (int r = 1; r < t.rows(); ++r) QCOMPARE(t.text(r, 3), averages[order[r - 1].mid(2).toInt() - 1]);
  }

  void ranks_data() {
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<QStringList>("ranks");
    QTest::newRow("ties share, next skips")
        << QStringList{"450", "430", "430", "410"} << QStringList{"1", "2", "2", "4"};
    QTest::newRow("all equal") << QStringList{"300", "300", "300"} << QStringList{"1", "1", "1"};
    QTest::newRow("text comparison: 430 and 430.0 differ")
        << QStringList{"430", "430.0", "430"} << QStringList{"1", "2", "3"};
    QTest::newRow("only adjacent rows tie") << QStringList{"430", "420", "430"} << QStringList{"1", "2", "3"};
    QTest::newRow("a total reading like the title") << QStringList{"合計", "合計"} << QStringList{"1", "1"};
    QTest::newRow("tie at the end") << QStringList{"10", "5", "5"} << QStringList{"1", "2", "2"};
    QTest::newRow("empty totals tie") << QStringList{"", ""} << QStringList{"1", "1"};
  }
  void ranks() {
    QFETCH(QStringList, totals);
    QFETCH(QStringList, ranks);
    Rows cells;
    for (const QString& total : totals) cells.append({"80", total, "80.0"});
    StudentTable scores;
    FillTable(scores, scoreRows({"国語", "合計", "平均"}, cells));
    StudentTable ranking;
    SharedState state;
    BuildRankingTable(state, scores, ranking);
    QCOMPARE(column(ranking, 0), QStringList{"順位"} + ranks);
  }

  void rankingLayout() {
    StudentTable scores;
    const Rows rows =
        scoreRows({"国語", "数学", "合計", "平均"}, {{"90", "80", "170", "85.0"}, {"", "70", "70", "70.0"}});
    FillTable(scores, rows);
    StudentTable ranking;
    ranking.resize(40, 30);  // whatever an earlier ranking left
    SharedState state;
    state.ColumnCount = 7;
    state.RowCount = 3;

    BuildRankingTable(state, scores, ranking);

    QCOMPARE(state.ColumnCount, 8);
    QCOMPARE(state.RowCount, 3);
    QCOMPARE(ranking.rows(), 3);
    QCOMPARE(ranking.cols(), 8);
    QCOMPARE(ranking.rowTexts(0), QStringList{"順位"} + rows[0]);
    QCOMPARE(ranking.rowTexts(1), QStringList{"1"} + rows[1]);
    QCOMPARE(ranking.rowTexts(2), QStringList{"2"} + rows[2]);
    QCOMPARE(widths(ranking), (QList<int>{500, 300, 300, 1000, 500, 500, 500, 500}));
    QCOMPARE(ranking.fixedCols(), 4);
    QCOMPARE(Cells(scores), rows);  // the score table is only read
  }

  void fullWidthTableRefusesAnotherColumn_data() {
    QTest::addColumn<bool>("averages");
    QTest::addColumn<QString>("lastTitle");
    QTest::addColumn<bool>("refused");
    QTest::newRow("totals need a new column") << false << "備考" << true;
    QTest::newRow("totals recomputed in place") << false << "合計" << false;
    QTest::newRow("averages always need one") << true << "合計" << true;
  }
  void fullWidthTableRefusesAnotherColumn() {
    QFETCH(bool, averages);
    QFETCH(QString, lastTitle);
    QFETCH(bool, refused);
    QStringList titles;
    for (int c = 3; c < 22; ++c) titles << QStringLiteral("列%1").arg(c);
    titles << lastTitle;
    StudentTable t;
    FillTable(t, scoreRows(titles, {QStringList(20, QStringLiteral("5"))}));
    const Rows before = Cells(t);
    SharedState state;
    const auto message = averages ? ComputeAverages(state, t) : ComputeTotals(state, t);
    QCOMPARE(bool(message), refused);
    if (refused) {
      QVERIFY(message->contains(QStringLiteral("23")));
      QCOMPARE(Cells(t), before);
      QCOMPARE(state.ColumnCount, 23);
    } else {
      QCOMPARE(t.text(1, 22), QStringLiteral("95"));
    }
  }

  // After "学年平均" or "度数分布" the rows under the students hold figures:
  // totals and averages must neither write into them nor count them.
  void summaryRowsRefuseTotalsAndAverages_data() {
    QTest::addColumn<bool>("averages");
    QTest::addColumn<QStringList>("labels");
    const QStringList year{QStringLiteral("学年合計点"), QStringLiteral("学年受験人数")};
    const QStringList bands{QStringLiteral("90点以上"), QStringLiteral("80点代")};
    QTest::newRow("totals under year rows") << false << year;
    QTest::newRow("averages under year rows") << true << year;
    QTest::newRow("totals under frequency rows") << false << bands;
  }
  void summaryRowsRefuseTotalsAndAverages() {
    QFETCH(bool, averages);
    QFETCH(QStringList, labels);
    StudentTable t;
    FillTable(t, scoreRows({QStringLiteral("国語"), QStringLiteral("合計")}, {{"80", "80"}, {"70", "70"}}));
    t.setRows(t.rows() + 3);
    t.setText(t.rows() - 2, 2, labels[0]);
    t.setText(t.rows() - 2, 3, QStringLiteral("150"));
    t.setText(t.rows() - 1, 2, labels[1]);
    t.setText(t.rows() - 1, 3, QStringLiteral("2"));
    const Rows before = Cells(t);
    SharedState state;
    const auto message = averages ? ComputeAverages(state, t) : ComputeTotals(state, t);
    QVERIFY(message);
    QCOMPARE(Cells(t), before);
  }

  // The grid repaints once per operation: one reset, no per-cell signal.
  void oneRepaintPerOperation_data() {
    QTest::addColumn<int>("operation");
    QTest::newRow("集計") << 0;
    QTest::newRow("生徒平均") << 1;
    QTest::newRow("並べ替え") << 2;
    QTest::newRow("順位付け") << 3;
    QTest::newRow("テスト教科選択") << 4;
  }
  void oneRepaintPerOperation() {
    QFETCH(int, operation);
    TestHost host;
    StudentTable& t = host.table();
    Rows cells;
    for (int i = 0; i < 50; ++i) cells.append({QString::number(i), QString::number(100 - i), QString::number(i + 100)});
    FillTable(t, scoreRows({"国語", "数学", "合計"}, cells));
    StudentTable ranking;
    StudentTable& watched = operation == 3 ? ranking : t;
    QSignalSpy resets(&watched, &StudentTable::reset);
    QSignalSpy cellChanges(&watched, &StudentTable::cellChanged);
    QSignalSpy layouts(&watched, &StudentTable::layoutChanged);
    SharedState state;
    switch (operation) {
      case 0:
        QVERIFY(!ComputeTotals(state, t));
        break;
      case 1:
        QVERIFY(!ComputeAverages(state, t));
        break;
      case 2:
        SortByLastColumn(state, t);
        break;
      case 3:
        BuildRankingTable(state, t, ranking);
        break;
      case 4:
        ApplyTestSubjects(state, host, {"国語", "数学", "英語", "理科"});
        break;
    }
    QCOMPARE(resets.count(), 1);
    QCOMPARE(cellChanges.count(), 0);
    QVERIFY(layouts.count() <= 1);
  }
};

QTEST_GUILESS_MAIN(ScoreOperationsTest)
#include "score_operations_test.moc"
