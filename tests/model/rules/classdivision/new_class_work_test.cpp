#include "model/rules/classdivision/new_class_work.h"
#include "model/rules/classdivision/balance_report.h"
#include "model/rules/classdivision/class_tables_fixture.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

#include <array>
#include <memory>

using namespace gakunen;
using gakunen::testing::Cells;
using gakunen::testing::ClassTables;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;

namespace {

const QStringList kTitles{"新組", "番号", "生徒氏名", "合計", "旧組"};

// A class list: for each new class k the given totals, numbered 1.. in
// that order, names "k-i", old class "o" + i cycling through three classes.
Rows classList(const QList<QStringList>& totalsPerClass) {
  Rows rows{kTitles};
  for (int k = 1; k <= totalsPerClass.size(); ++k) {
    const QStringList& totals = totalsPerClass[k - 1];
    for (int i = 1; i <= totals.size(); ++i)
      rows.append({QString::number(k), QString::number(i), QStringLiteral("%1-%2").arg(k).arg(i), totals[i - 1],
                   QString::number((i - 1) % 3 + 1)});
  }
  return rows;
}

QStringList column(const StudentTable& t, int col, int from = 1) {
  QStringList out;
  for (int r = from; r < t.rows(); ++r) out << t.text(r, col);
  return out;
}

}  // namespace

class NewClassWorkTest : public QObject {
  Q_OBJECT
 private slots:
  void readingOrder_data() {
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("letters before voicing, hiragana before katakana")
        << QStringList{"サトウ", "さとう", "ざいつ", "さいとう"}
        << QStringList{"ざいつ", "さいとう", "さとう", "サトウ"};
    QTest::newRow("plain syllabary order")
        << QStringList{"うみ", "あお", "いえ"} << QStringList{"あお", "いえ", "うみ"};
    QTest::newRow("a voiced kana right after its plain one, not after ん")
        << QStringList{"ばば", "はなこ", "はば", "ひろし"} << QStringList{"はなこ", "はば", "ばば", "ひろし"};
    QTest::newRow("small kana sort with their full-size letter, the small one first")
        << QStringList{"しよう", "しゅん", "しょう", "しゆう"} << QStringList{"しゆう", "しゅん", "しょう", "しよう"};
    QTest::newRow("the long-vowel mark reads as the vowel before it")
        << QStringList{"らくだ", "らいす", "らーめん"} << QStringList{"らーめん", "らいす", "らくだ"};
    QTest::newRow("a shorter reading first") << QStringList{"たなかや", "たなか"} << QStringList{"たなか", "たなかや"};
  }
  void readingOrder() {
    QFETCH(QStringList, readings);
    QFETCH(QStringList, expected);
    StudentTable t;
    Rows rows{{"新組", "番号", "ふりがな"}};
    for (int i = 0; i < readings.size(); ++i) rows.append({"1", QString::number(i + 1), readings[i]});
    FillTable(t, rows);
    SortRowsByReading(t, 2);
    QCOMPARE(column(t, 2), expected);
    // The rows moved whole.
    for (int r = 1; r < t.rows(); ++r) QCOMPARE(t.text(r, 2), readings[t.text(r, 1).toInt() - 1]);
  }

  void equalReadingsKeepTheirOrder() {
    StudentTable t;
    FillTable(t,
              {{"番号", "ふりがな"}, {"1", "たなか"}, {"2", "あべ"}, {"3", "たなか"}, {"4", "たなか"}, {"5", "あべ"}});
    SortRowsByReading(t, 1);
    QCOMPARE(column(t, 0), (QStringList{"2", "5", "1", "3", "4"}));
    QVERIFY(CompareReadings(QStringLiteral("ざいつ"), QStringLiteral("さいとう")) < 0);
    QCOMPARE(CompareReadings(QStringLiteral("たなか"), QStringLiteral("たなか")), 0);
  }

  void moves_data() {
    QTest::addColumn<QStringList>("answers");  // class, number, target
    QTest::addColumn<int>("movedRow");         // -1: refused
    QTest::addColumn<QString>("refusalPart");  // or the new class written

    QTest::newRow("class 1 number 2 to class 2") << QStringList{"1", "2", "2"} << 2 << QStringLiteral("2");
    QTest::newRow("last of class 2 to class 1") << QStringList{"2", "3", "1"} << 6 << QStringLiteral("1");
    QTest::newRow("full-width answers read as numbers") << QStringList{"２", "１", "３"} << 4 << QStringLiteral("3");
    QTest::newRow("a class with no rows")
        << QStringList{"4", "1", "2"} << -1 << QStringLiteral("4組の生徒は表にいません");
    QTest::newRow("class 0 never matches the blank rows") << QStringList{"0", "1", "2"} << -1 << QStringLiteral("0組");
    QTest::newRow("number beyond the block") << QStringList{"1", "4", "2"} << -1 << QStringLiteral("1から3まで");
    QTest::newRow("number 0") << QStringList{"2", "0", "1"} << -1 << QStringLiteral("2組に0番目");
    QTest::newRow("answer not a number") << QStringList{"1", "に", "2"} << -1 << QStringLiteral("「に」");
    QTest::newRow("target 0") << QStringList{"1", "1", "0"} << -1 << QStringLiteral("1から15まで");
    QTest::newRow("target 16") << QStringList{"1", "1", "16"} << -1 << QStringLiteral("16組には入れられません");
  }
  void moves() {
    QFETCH(QStringList, answers);
    QFETCH(int, movedRow);
    QFETCH(QString, refusalPart);
    StudentTable t;
    Rows rows = classList({{"300", "250", "200"}, {"290", "240", "190"}});
    rows.append({"", "", "", "", ""});  // a blank row left at the bottom
    FillTable(t, rows);
    const MoveOutcome outcome = MoveStudent(t, answers[0], answers[1], answers[2]);
    QCOMPARE(outcome.row, movedRow);
    if (movedRow < 0) {
      QVERIFY2(outcome.refusal.contains(refusalPart), qPrintable(outcome.refusal));
      QCOMPARE(Cells(t), rows);
      return;
    }
    QVERIFY(outcome.refusal.isEmpty());
    Rows expected = rows;
    expected[movedRow][0] = refusalPart;
    QCOMPARE(Cells(t), expected);
  }

  // Without regrouping, positions count from the first row of the class's
  // block as the list stands; a student already moved away is not moved again.
  void twoMovesWithoutRegrouping() {
    StudentTable t;
    FillTable(t, classList({{"300", "250", "200"}, {"290", "240", "190"}}));
    QCOMPARE(MoveStudent(t, "1", "2", "2").row, 2);
    // The student moved away still holds the second row of class 1's block.
    const MoveOutcome again = MoveStudent(t, "1", "2", "3");
    QCOMPARE(again.row, -1);
    QVERIFY2(again.refusal.contains(QStringLiteral("組並べ替え")), qPrintable(again.refusal));
    QCOMPARE(MoveStudent(t, "1", "3", "2").row, 3);
    QCOMPARE(column(t, 0), (QStringList{"1", "2", "2", "2", "2", "2"}));
    // Class 2's block now starts at row 2.
    QCOMPARE(MoveStudent(t, "2", "1", "1").row, 2);
    // Class 1's block is rows 1 and 2 only.
    QCOMPARE(MoveStudent(t, "1", "3", "3").row, -1);
    QCOMPARE(column(t, 0), (QStringList{"1", "1", "2", "2", "2", "2"}));
  }

  void moveRegroupAndRankByTotal() {
    TestHost host;
    FillTable(host.grid, classList({{"300", "250", "200"}, {"290", "240", "190"}}));
    SharedState s;
    s.RowCount = 3;  // left by another table: regrouping describes the list itself
    QCOMPARE(MoveStudent(host.grid, "1", "2", "2").row, 2);
    RegroupByClass(s, host);
    QCOMPARE(s.ClassCount, 2);
    QCOMPARE(s.ClassSizes.mid(0, 3), (QVector<int>{2, 4, 0}));
    QCOMPARE(column(host.grid, 2), (QStringList{"1-1", "1-3", "1-2", "2-1", "2-2", "2-3"}));

    ClassTables tables;
    StudentTable result;
    QVERIFY(!CheckNewClassOrder(host.grid, NewClassOrder::ByTotal));
    RankNewClasses(s, host.grid, NewClassOrder::ByTotal, tables.pointers, result);
    QCOMPARE(Cells(tables[1]), (Rows{kTitles,
                                     {"2", "1", "2-1", "290", "1"},
                                     {"2", "2", "1-2", "250", "2"},
                                     {"2", "3", "2-2", "240", "2"},
                                     {"2", "4", "2-3", "190", "3"}}));
    QCOMPARE(tables[2].rows(), 0);
    QCOMPARE(column(result, 1), (QStringList{"1", "2", "1", "2", "3", "4"}));
    QCOMPARE(column(result, 2), (QStringList{"1-1", "1-3", "2-1", "1-2", "2-2", "2-3"}));
    QCOMPARE(result.rowTexts(0), kTitles);
    QCOMPARE(s.ColumnCount, 5);
    QCOMPARE(s.RowCount, 7);
    QCOMPARE(result.colWidth(2), 1000);
    QCOMPARE(result.colWidth(3), 500);
  }

  // A move made after the regrouping still reaches the result: the students
  // of a class are the rows that name it, wherever they stand.
  void rankingFollowsAMoveNotYetRegrouped() {
    StudentTable list;
    FillTable(list, classList({{"300", "250"}, {"290", "240"}, {"280", "230"}}));
    QCOMPARE(MoveStudent(list, "3", "2", "1").row, 6);  // the last row
    SharedState s;
    ClassTables tables;
    StudentTable result;
    RankNewClasses(s, list, NewClassOrder::ByTotal, tables.pointers, result);
    QCOMPARE(s.ClassCount, 3);
    QCOMPARE(s.ClassSizes.mid(0, 3), (QVector<int>{3, 2, 1}));
    QCOMPARE(column(tables[0], 2), (QStringList{"1-1", "1-2", "3-2"}));
    QCOMPARE(column(result, 0), (QStringList{"1", "1", "1", "2", "2", "3"}));
  }

  void rankByReading() {
    StudentTable list;
    Rows rows = classList({{"300", "250", "200"}, {"290", "240", "190"}});
    rows[0].append("ふりがな");
    const QStringList readings{"たなか", "あべ", "かとう", "うみ", "あお", "いえ"};
    for (int r = 1; r < rows.size(); ++r) rows[r].append(readings[r - 1]);
    FillTable(list, rows);
    SharedState s;
    ClassTables tables;
    StudentTable result;
    QVERIFY(!CheckNewClassOrder(list, NewClassOrder::ByReading));
    RankNewClasses(s, list, NewClassOrder::ByReading, tables.pointers, result);
    QCOMPARE(tables[0].text(0, 5), QStringLiteral("ふりがな"));
    QCOMPARE(tables[1].text(0, 5), QStringLiteral("ひらがな"));
    QCOMPARE(result.text(0, 5), QStringLiteral("ふりがな"));
    QCOMPARE(Cells(tables[1]).mid(1), (Rows{{"2", "1", "2-2", "240", "2", "あお"},
                                            {"2", "2", "2-3", "190", "3", "いえ"},
                                            {"2", "3", "2-1", "290", "1", "うみ"}}));
    QCOMPARE(column(result, 5), (QStringList{"あべ", "かとう", "たなか", "あお", "いえ", "うみ"}));
    QCOMPARE(column(result, 1), (QStringList{"1", "2", "3", "1", "2", "3"}));
    QCOMPARE(s.ColumnCount, 6);
    QCOMPARE(result.colWidth(5), 700);
    QCOMPARE(tables[0].colWidth(5), 700);
  }

  void orderRefusals_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<bool>("byTotalRefused");
    QTest::addColumn<bool>("byReadingRefused");

    Rows ranked = classList({{"300", "200"}});
    Rows withReading = ranked;
    withReading[0].append("ふりがな");
    for (int r = 1; r < withReading.size(); ++r) withReading[r].append("よみ");
    Rows otherSixth = ranked;
    otherSixth[0].append("備考");
    for (int r = 1; r < otherSixth.size(); ++r) otherSixth[r].append("");
    Rows clean{{"組", "番", "生徒氏名"}, {"1", "1", "a"}, {"1", "2", "b"}};
    Rows noClass{kTitles, {"", "", "", "", ""}, {"16", "1", "x", "5", "1"}};

    QTest::newRow("ranked list, no readings") << ranked << false << true;
    QTest::newRow("with readings") << withReading << false << false;
    QTest::newRow("a sixth column that is not the readings") << otherSixth << false << true;
    QTest::newRow("the clean copy") << clean << true << true;
    QTest::newRow("no student with a new class") << noClass << true << true;
    for (const char* cls : {"0", "16", "-1", "一", " 2", ""}) {
      Rows stray = withReading;
      stray[2][0] = QString::fromUtf8(cls);
      QTest::addRow("one student in class \"%s\"", cls) << stray << true << true;
    }
  }
  void orderRefusals() {
    QFETCH(Rows, rows);
    QFETCH(bool, byTotalRefused);
    QFETCH(bool, byReadingRefused);
    StudentTable list;
    FillTable(list, rows);
    QCOMPARE(CheckNewClassOrder(list, NewClassOrder::ByTotal).has_value(), byTotalRefused);
    QCOMPARE(CheckNewClassOrder(list, NewClassOrder::ByReading).has_value(), byReadingRefused);
  }

  void readingColumn() {
    TestHost host;
    FillTable(host.grid, classList({{"300", "250", "200"}, {"290", "240"}}));
    SharedState s;
    QVERIFY(!PrepareReadingColumn(s, host));
    QCOMPARE(s.ModeCode, ModeCode::ReadingColumn);
    QCOMPARE(host.grid.cols(), 6);
    QCOMPARE(host.grid.text(0, 5), QStringLiteral("ふりがな"));
    QCOMPARE(s.ClassSizes.mid(0, 3), (QVector<int>{3, 2, 0}));

    s.CurrentRow = 4;  // class 2 number 1
    QCOMPARE(EnterReading(s, host.grid, "うみ"), ReadingStep::Next);
    QCOMPARE(EnterReading(s, host.grid, "あお"), ReadingStep::Finished);
    QCOMPARE(s.CurrentRow, 6);
    QCOMPARE(EnterReading(s, host.grid, "いえ"), ReadingStep::NoRow);
    QCOMPARE(column(host.grid, 5), (QStringList{"", "", "", "うみ", "あお"}));

    // Pressed again: still one reading column, its readings kept.
    s.ModeCode = ModeCode::None;
    QVERIFY(!PrepareReadingColumn(s, host));
    QCOMPARE(host.grid.cols(), 6);
    QCOMPARE(column(host.grid, 5), (QStringList{"", "", "", "うみ", "あお"}));
    QCOMPARE(s.ModeCode, ModeCode::ReadingColumn);
  }

  void readingColumnRefused_data() {
    QTest::addColumn<Rows>("rows");
    Rows otherSixth = classList({{"300"}});
    otherSixth[0].append("備考");
    otherSixth[1].append("転出予定");
    QTest::newRow("the clean copy") << Rows{{"組", "番", "生徒氏名"}, {"1", "1", "a"}};
    QTest::newRow("a sixth column that is not the readings") << otherSixth;
  }
  void readingColumnRefused() {
    QFETCH(Rows, rows);
    TestHost host;
    FillTable(host.grid, rows);
    SharedState s;
    QVERIFY(PrepareReadingColumn(s, host).has_value());
    QCOMPARE(Cells(host.grid), rows);
    QCOMPARE(s.ModeCode, ModeCode::None);
  }

  void saveColumns_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("expected");
    QTest::newRow("ranked list") << kTitles << 5;
    QTest::newRow("with readings") << (kTitles + QStringList{"ふりがな"}) << 6;
    QTest::newRow("a sixth column of something else") << (kTitles + QStringList{"備考"}) << 5;
    QTest::newRow("the clean copy") << QStringList{"組", "番", "生徒氏名"} << 3;
  }
  void saveColumns() {
    QFETCH(QStringList, titles);
    QFETCH(int, expected);
    StudentTable list;
    FillTable(list, {titles});
    QCOMPARE(ClassListSaveColumns(list), expected);
  }

  // Three classes of 30, 31 and 29 through the clean copy.
  void cleanCopy() {
    QList<QStringList> totals;
    for (int size : {30, 31, 29}) {
      QStringList t;
      for (int i = 0; i < size; ++i) t << QString::number(300 - i);
      totals << t;
    }
    StudentTable list;
    FillTable(list, classList(totals));
    SharedState s;
    ClassTables ranked;
    TestHost afterSwap;
    RankNewClasses(s, list, NewClassOrder::ByTotal, ranked.pointers, afterSwap.grid);

    ClassTables clean;
    clean[5].assign(2, 2, {"stale", "", "", ""});
    StudentTable cleanList;
    s.RowCount = 5;
    const QList<int> shortClasses = MakeCleanCopy(s, afterSwap, ranked.pointers, clean.pointers, cleanList);
    QVERIFY(shortClasses.isEmpty());
    QCOMPARE(s.ColumnCount, 3);
    QCOMPARE(s.ClassCount, 3);
    QCOMPARE(cleanList.rows(), 91);
    QCOMPARE(cleanList.cols(), 3);
    QCOMPARE(cleanList.rowTexts(0), (QStringList{"組", "番", "生徒氏名"}));
    QCOMPARE(cleanList.rowTexts(30), (QStringList{"1", "30", "1-30"}));
    QCOMPARE(cleanList.rowTexts(31), (QStringList{"2", "1", "2-1"}));
    QCOMPARE(cleanList.rowTexts(61), (QStringList{"2", "31", "2-31"}));
    QCOMPARE(cleanList.rowTexts(62), (QStringList{"3", "1", "3-1"}));
    QCOMPARE(cleanList.rowTexts(90), (QStringList{"3", "29", "3-29"}));
    QCOMPARE(clean[0].rows(), 31);
    QCOMPARE(clean[1].rows(), 32);
    QCOMPARE(clean[2].rows(), 30);
    QCOMPARE(clean[2].cols(), 3);
    QCOMPARE(clean[5].rows(), 0);
    for (StudentTable* t : {&cleanList, &clean[1]}) {
      QCOMPARE(t->colWidth(0), 300);
      QCOMPARE(t->colWidth(1), 300);
      QCOMPARE(t->colWidth(2), 1300);
    }
  }

  // The list counts more students of a class than its class table holds:
  // nothing is read past the table, and the class is reported.
  void cleanCopyNeverReadsPastAClassTable() {
    StudentTable list;
    FillTable(list, classList({{"300", "250", "200"}, {"290", "240"}}));
    SharedState s;
    ClassTables ranked;
    TestHost afterSwap;
    RankNewClasses(s, list, NewClassOrder::ByTotal, ranked.pointers, afterSwap.grid);
    ranked[0].setRows(2);  // class 1's table lost two students

    ClassTables clean;
    StudentTable cleanList;
    QCOMPARE(MakeCleanCopy(s, afterSwap, ranked.pointers, clean.pointers, cleanList), QList<int>{1});
    QCOMPARE(clean[0].rows(), 2);
    QCOMPARE(column(cleanList, 2), (QStringList{"1-1", "2-1", "2-2", "", ""}));
    QCOMPARE(s.ClassSizes.mid(0, 2), (QVector<int>{1, 2}));
  }

  void summary() {
    StudentTable list;
    FillTable(list, {kTitles,
                     {"1", "1", "a", "300", "1"},
                     {"1", "2", "b", "251", "2"},
                     {"1", "3", "c", "", "1"},
                     {"3", "1", "d", "100", "10"},
                     {"3", "2", "e", "abc", "2"},
                     {"", "", "", "", ""}});
    StudentTable summary;
    FillBalanceReport(list, summary);
    QCOMPARE(Cells(summary), (Rows{{"新組", "人数", "平均", "旧1組", "旧2組", "旧10組"},
                                   {"1", "3", "275.5＊", "2＊", "1", "0"},
                                   {"2", "0", "", "0＊", "0", "0"},
                                   {"3", "2", "50.0＊", "0＊", "1", "1"},
                                   {"計", "5", "162.8", "2", "2", "1"}}));

    // A move shows at once.
    QCOMPARE(MoveStudent(list, "1", "1", "2").row, 1);
    FillBalanceReport(list, summary);
    QCOMPARE(summary.rowTexts(1), (QStringList{"1", "2", "251.0＊", "1", "1", "0"}));
    QCOMPARE(summary.rowTexts(2), (QStringList{"2", "1", "300.0＊", "1", "0", "0"}));

    // The clean copy has neither totals nor old classes, so no means either.
    StudentTable clean;
    FillTable(clean, {{"組", "番", "生徒氏名"}, {"1", "1", "a"}, {"2", "1", "b"}, {"2", "2", "c"}});
    FillBalanceReport(clean, summary);
    QCOMPARE(Cells(summary), (Rows{{"新組", "人数"}, {"1", "1"}, {"2", "2"}, {"計", "3"}}));
  }
};

QTEST_GUILESS_MAIN(NewClassWorkTest)
#include "new_class_work_test.moc"
