#include "model/rules/classdivision/division_work.h"
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

namespace {

// A division table: titles 組, 番, 生徒氏名 and the test titles, one row per
// student with class, number, name and the scores.
Rows divisionRows(const QStringList& tests, const QList<QStringList>& students) {
  Rows rows{QStringList{QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名")} + tests};
  for (const QStringList& s : students) rows.append(s);
  return rows;
}

// Students numbered 1.. in class 1 named s1, s2, ... with one score each.
QList<QStringList> studentsWithScores(const QStringList& scores) {
  QList<QStringList> out;
  for (int i = 0; i < scores.size(); ++i)
    out.append({QStringLiteral("1"), QString::number(i + 1), QStringLiteral("s%1").arg(i + 1), scores[i]});
  return out;
}

QStringList column(const StudentTable& t, int col, int from = 1) {
  QStringList out;
  for (int r = from; r < t.rows(); ++r) out << t.text(r, col);
  return out;
}

// The state a fresh division table leaves.
SharedState stateFor(const StudentTable& t) {
  SharedState s;
  s.RowCount = t.rows();
  s.ColumnCount = t.cols();
  s.BaseColumnCount = t.cols();
  return s;
}

}  // namespace

class DivisionWorkTest : public QObject {
  Q_OBJECT
 private slots:
  void basisColumn_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("expected");  // -1: none

    const QString total = QStringLiteral("合計");
    const QString japanese = QStringLiteral("国語");
    QTest::newRow("the rightmost of two totals")
        << QStringList{"組", "番", "生徒氏名", "国語", "合計", "数学", "合計", "平均"} << 8 << total << 6;
    QTest::newRow("a subject") << QStringList{"組", "番", "生徒氏名", "国語", "数学", "合計"} << 6 << japanese << 3;
    QTest::newRow("class, number and name are never the basis")
        << QStringList{"合計", "合計", "合計", "国語"} << 4 << total << -1;
    QTest::newRow("a title in the name column loses to a later one")
        << QStringList{"組", "番", "国語", "国語"} << 4 << japanese << 3;
    QTest::newRow("no such column") << QStringList{"組", "番", "生徒氏名", "国語"} << 4 << total << -1;
    QTest::newRow("exact comparison: blanks and widths count")
        << QStringList{"組", "番", "生徒氏名", "合計 ", " 合計", "合　計"} << 6 << total << -1;
    QTest::newRow("columns beyond ColumnCount are not looked at")
        << QStringList{"組", "番", "生徒氏名", "合計", "数学", "合計"} << 5 << total << 3;
    QTest::newRow("ColumnCount beyond the table is harmless")
        << QStringList{"組", "番", "生徒氏名", "合計"} << 23 << total << 3;
  }
  void basisColumn() {
    QFETCH(QStringList, titles);
    QFETCH(int, columnCount);
    QFETCH(QString, caption);
    QFETCH(int, expected);
    StudentTable t;
    FillTable(t, {titles});
    const auto found = FindBasisColumn(t, columnCount, caption);
    QCOMPARE(found.value_or(-1), expected);
  }

  void extractCopiesTitlesAndRows() {
    StudentTable base;
    FillTable(base, {{"組", "番", "生徒氏名", "国語", "合計", "平均"},
                     {"1", "1", "髙橋　蓮", "80", "400", "80.0"},
                     {"1", "2", "山﨑　葵", "", "350", "70.0"},
                     {"2", "1", "佐藤　湊", "90", "420", "84.0"}});
    StudentTable division;
    FillTable(division, {{"stale", "x", "y", "z", "w", "v", "u"}});
    ExtractColumn(base, 4, 4, division);
    QCOMPARE(Cells(division), (Rows{{"組", "番", "生徒氏名", "合計"},
                                    {"1", "1", "髙橋　蓮", "400"},
                                    {"1", "2", "山﨑　葵", "350"},
                                    {"2", "1", "佐藤　湊", "420"}}));
    QCOMPARE(division.colWidth(0), 300);
    QCOMPARE(division.colWidth(1), 300);
    QCOMPARE(division.colWidth(2), 1000);
    QCOMPARE(division.colWidth(3), 500);
  }

  void appendPairsRowsByPosition_data() {
    QTest::addColumn<int>("divisionStudents");
    QTest::addColumn<int>("addedStudents");
    QTest::addColumn<QStringList>("expectedColumn");
    QTest::addColumn<bool>("warned");

    QTest::newRow("same students") << 3 << 3 << QStringList{"数学", "a1", "a2", "a3"} << false;
    QTest::newRow("added file shorter: last students stay empty")
        << 4 << 2 << QStringList{"数学", "a1", "a2", "", ""} << true;
    QTest::newRow("added file longer: nothing past the last row") << 2 << 4 << QStringList{"数学", "a1", "a2"} << true;
    QTest::newRow("added file with titles only") << 2 << 0 << QStringList{"数学", "", ""} << true;
  }
  void appendPairsRowsByPosition() {
    QFETCH(int, divisionStudents);
    QFETCH(int, addedStudents);
    QFETCH(QStringList, expectedColumn);
    QFETCH(bool, warned);

    QList<QStringList> students;
    for (int i = 1; i <= divisionStudents; ++i)
      students.append({"1", QString::number(i), QStringLiteral("n%1").arg(i), "50"});
    StudentTable division;
    FillTable(division, divisionRows({"国語"}, students));
    StudentTable extract;
    Rows extractRows{{"組", "番", "生徒氏名", "数学"}};
    for (int i = 1; i <= addedStudents; ++i)
      extractRows.append({"1", QString::number(i), QStringLiteral("n%1").arg(i), QStringLiteral("a%1").arg(i)});
    FillTable(extract, extractRows);

    SharedState s;
    s.BaseColumnCount = 4;
    s.RowCount = extract.rows();  // the added file was the last one loaded
    QCOMPARE(RowMismatchMessage(extract.rows(), division.rows()).has_value(), warned);
    AppendExtractedColumn(s, division, extract);

    QCOMPARE(division.rows(), divisionStudents + 1);
    QCOMPARE(division.cols(), 5);
    QCOMPARE(column(division, 4, 0), expectedColumn);
    QCOMPARE(division.colWidth(4), 500);
    QCOMPARE(s.BaseColumnCount, 5);
    // Totals, dealing and saving must reach every student of the division table.
    QCOMPARE(s.RowCount, divisionStudents + 1);
    QCOMPARE(column(division, 3), QStringList(divisionStudents, "50"));
  }

  void mismatchMessageNamesBothCounts() {
    const QString shorter = RowMismatchMessage(3, 5).value_or(QString());
    QVERIFY(shorter.contains(QStringLiteral("2人")));
    QVERIFY(shorter.contains(QStringLiteral("4人")));
    QVERIFY(shorter.contains(QStringLiteral("空")));
    const QString longer = RowMismatchMessage(6, 4).value_or(QString());
    QVERIFY(longer.contains(QStringLiteral("5人")));
    QVERIFY(longer.contains(QStringLiteral("追加されません")));
  }

  void twoAdditionsGoToColumnsFourAndFive() {
    StudentTable division;
    FillTable(division, divisionRows({"国語"}, studentsWithScores({"70", "60"})));
    SharedState s = stateFor(division);
    for (const char* title : {"数学", "国語"}) {
      StudentTable extract;
      FillTable(extract, {{"組", "番", "生徒氏名", title}, {"1", "1", "s1", "10"}, {"1", "2", "s2", "20"}});
      AppendExtractedColumn(s, division, extract);
    }
    QCOMPARE(s.BaseColumnCount, 6);
    QCOMPARE(division.rowTexts(0), (QStringList{"組", "番", "生徒氏名", "国語", "数学", "国語"}));
    AddTotalColumn(s, division);
    QCOMPARE(column(division, 6), (QStringList{"90", "100"}));
  }

  void totals_data() {
    QTest::addColumn<QStringList>("tests");
    QTest::addColumn<QList<QStringList>>("scores");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one test: its value read as a number")
        << QStringList{"国語"} << QList<QStringList>{{"85"}, {"85点"}, {"abc"}, {""}, {" 7"}, {"０"}}
        << QStringList{"85", "85", "0", "0", "7", "0"};
    QTest::newRow("several tests, empty cells count 0")
        << QStringList{"国語", "数学", "英語"}
        << QList<QStringList>{{"80", "90", "100"}, {"", "50", ""}, {"0", "0", "0"}} << QStringList{"270", "50", "0"};
    QTest::newRow("fractions only when a score has one")
        << QStringList{"国語", "数学"} << QList<QStringList>{{"12.5", "3"}, {"12.0", "3"}, {"-5", "10"}}
        << QStringList{"15.5", "15", "5"};
    QTest::newRow("two columns titled alike both count")
        << QStringList{"国語", "国語"} << QList<QStringList>{{"40", "45"}} << QStringList{"85"};
  }
  void totals() {
    QFETCH(QStringList, tests);
    QFETCH(QList<QStringList>, scores);
    QFETCH(QStringList, expected);
    QList<QStringList> students;
    for (int i = 0; i < scores.size(); ++i)
      students.append(QStringList{"1", QString::number(i + 1), QStringLiteral("s%1").arg(i + 1)} + scores[i]);
    StudentTable t;
    FillTable(t, divisionRows(tests, students));
    SharedState s = stateFor(t);
    const int before = s.BaseColumnCount;
    AddTotalColumn(s, t);
    QCOMPARE(s.BaseColumnCount, before + 1);
    QCOMPARE(t.cols(), before + 1);
    QCOMPARE(t.text(0, before), QStringLiteral("合計"));
    QCOMPARE(t.colWidth(before), 600);
    QCOMPARE(column(t, before), expected);
  }

  void rankingKeepsTiesInOrder() {
    StudentTable t;
    FillTable(t, divisionRows({"合計"}, studentsWithScores({"300", "450", "", "300", "450", "9", "10"})));
    SharedState s = stateFor(t);
    RankByLastColumn(s, t);
    QCOMPARE(column(t, 2), (QStringList{"s2", "s5", "s1", "s4", "s7", "s6", "s3"}));
    QCOMPARE(t.rowTexts(0), (QStringList{"組", "番", "生徒氏名", "合計"}));
  }

  void serpentine_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("1") << 1 << QStringList{"1", "1"};
    QTest::newRow("3") << 3 << QStringList{"1", "2", "3", "3", "2", "1"};
    QTest::newRow("4") << 4 << QStringList{"1", "2", "3", "4", "4", "3", "2", "1"};
    QTest::newRow("12 passes 10") << 12 << QStringList{"1",  "2",  "3",  "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                                       "12", "11", "10", "9", "8", "7", "6", "5", "4", "3",  "2",  "1"};
  }
  void serpentine() {
    QFETCH(int, n);
    QFETCH(QStringList, expected);
    QCOMPARE(SerpentineSequence(n), expected);
  }

  void dealing_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("students");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one class") << 1 << 5 << QStringList{"1", "1", "1", "1", "1"};
    QTest::newRow("3 classes, 7 students") << 3 << 7 << QStringList{"1", "2", "3", "3", "2", "1", "1"};
    QTest::newRow("3 classes, 8 students") << 3 << 8 << QStringList{"1", "2", "3", "3", "2", "1", "1", "2"};
    QTest::newRow("4 classes, 10 students") << 4 << 10 << QStringList{"1", "2", "3", "4", "4", "3", "2", "1", "1", "2"};
    QTest::newRow("more classes than students") << 5 << 3 << QStringList{"1", "2", "3"};
    QTest::newRow("no students") << 2 << 0 << QStringList{};
  }
  void dealing() {
    QFETCH(int, n);
    QFETCH(int, students);
    QFETCH(QStringList, expected);
    QStringList scores;
    for (int i = 0; i < students; ++i) scores << QString::number(100 - i);
    StudentTable t;
    FillTable(t, divisionRows({"国語", "合計"}, [&] {
                auto rows = studentsWithScores(scores);
                for (auto& r : rows) r << r[3];
                return rows;
              }()));
    SharedState s = stateFor(t);
    DealToClasses(s, t, n);
    QCOMPARE(s.BaseColumnCount, 6);
    QCOMPARE(t.text(0, 5), QStringLiteral("組"));
    QCOMPARE(t.colWidth(5), 300);
    QCOMPARE(column(t, 5), expected);
    // Only the new column is written.
    QCOMPARE(column(t, 4), scores);
  }

  void classCountAnswer_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("expected");  // 0: refused
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("15 is the most") << "15" << 15;
    QTest::newRow("full-width digit") << "４" << 4;
    QTest::newRow("a half rounds to even") << "2.5" << 2;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("negative") << "-3" << 0;
    QTest::newRow("16: no class table for it") << "16" << 0;
    QTest::newRow("not a number") << "三" << 0;
    QTest::newRow("number with text") << "3クラス" << 0;
  }
  void classCountAnswer() {
    QFETCH(QString, answer);
    QFETCH(int, expected);
    QString refusal;
    const auto n = ReadNewClassCount(answer, &refusal);
    QCOMPARE(n.value_or(0), expected);
    QCOMPARE(refusal.isEmpty(), expected != 0);
  }

  void renameTarget_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("tests");
    QTest::addColumn<int>("expected");  // -1: refused
    QTest::newRow("test 1 is column 3") << "1" << 1 << 3;
    QTest::newRow("test 3 of 3") << "3" << 3 << 5;
    QTest::newRow("beyond the last test") << "4" << 3 << -1;
    QTest::newRow("0") << "0" << 3 << -1;
    QTest::newRow("negative") << "-1" << 3 << -1;
    QTest::newRow("not a number") << "一" << 3 << -1;
    QTest::newRow("above twenty") << "21" << 22 << -1;
  }
  void renameTarget() {
    QFETCH(QString, answer);
    QFETCH(int, tests);
    QFETCH(int, expected);
    const RenameTarget t = FindRenameColumn(answer, tests);
    QCOMPARE(t.column, expected);
    QCOMPARE(t.refusal.isEmpty(), expected >= 0);
  }

  void testTitles_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("kanji numeral") << "二回" << true;
    QTest::newRow("subject") << "数学" << true;
    QTest::newRow("digit first") << "2回" << false;
    QTest::newRow("blank then digit") << " 3" << false;
    QTest::newRow("zero first still counts as a title") << "0回" << true;
    QTest::newRow("full-width digit") << "２回" << true;
  }
  void testTitles() {
    QFETCH(QString, title);
    QFETCH(bool, accepted);
    QCOMPARE(!CheckTestTitle(title).has_value(), accepted);
  }

  void groupingByNewClass() {
    StudentTable t;
    FillTable(t, divisionRows({"合計", "組"}, {{"1", "1", "a", "9", "10"},
                                               {"1", "2", "b", "8", "9"},
                                               {"1", "3", "c", "7", "1"},
                                               {"1", "4", "d", "6", "10"},
                                               {"1", "5", "e", "5", "2"},
                                               {"1", "6", "f", "4", "1"}}));
    SharedState s = stateFor(t);
    GroupByNewClass(s, t);
    QCOMPARE(column(t, 2), (QStringList{"c", "f", "e", "b", "a", "d"}));
  }

  void classList() {
    // Grouped by new class; within a class the totals are not in order yet,
    // and two students of class 2 are tied.
    StudentTable division;
    FillTable(division, divisionRows({"国語", "合計", "組"}, {{"3", "1", "a", "", "200", "1"},
                                                              {"2", "5", "b", "", "250", "1"},
                                                              {"1", "9", "c", "", "240", "1"},
                                                              {"1", "2", "d", "", "180", "2"},
                                                              {"2", "2", "e", "", "300", "2"},
                                                              {"3", "3", "f", "", "180", "2"},
                                                              {"4", "4", "g", "", "10", "3"}}));
    SharedState s = stateFor(division);
    s.ClassCount = 9;  // stale from an earlier table
    ClassTables tables;
    FillTable(tables[5], {{"stale"}});
    StudentTable list;
    FillTable(list, {{"1", "2", "3", "4", "5", "6"}, {"x", "x", "x", "x", "x", "x"}});

    BuildClassList(s, division, tables.pointers, list);

    QCOMPARE(s.ClassCount, 3);
    QCOMPARE(s.ClassSizes, (QVector<int>{3, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(s.ColumnCount, 5);
    QCOMPARE(Cells(tables[0]), (Rows{{"新組", "番号", "生徒氏名", "合計", "旧組"},
                                     {"1", "1", "b", "250", "2"},
                                     {"1", "2", "c", "240", "1"},
                                     {"1", "3", "a", "200", "3"}}));
    QCOMPARE(Cells(tables[1]), (Rows{{"新組", "番号", "生徒氏名", "合計", "旧組"},
                                     {"2", "1", "e", "300", "2"},
                                     {"2", "2", "d", "180", "1"},
                                     {"2", "3", "f", "180", "3"}}));
    QCOMPARE(Cells(tables[2]), (Rows{{"新組", "番号", "生徒氏名", "合計", "旧組"}, {"3", "1", "g", "10", "4"}}));
    QCOMPARE(tables[5].rows(), 0);
    QCOMPARE(tables[0].colWidth(2), 1000);
    QCOMPARE(tables[0].colWidth(4), 500);

    QCOMPARE(Cells(list), (Rows{{"新組", "番号", "生徒氏名", "合計", "旧組"},
                                {"1", "1", "b", "250", "2"},
                                {"1", "2", "c", "240", "1"},
                                {"1", "3", "a", "200", "3"},
                                {"2", "1", "e", "300", "2"},
                                {"2", "2", "d", "180", "1"},
                                {"2", "3", "f", "180", "3"},
                                {"3", "1", "g", "10", "4"}}));
    QCOMPARE(list.colWidth(2), 1000);
    QCOMPARE(list.colWidth(0), 500);
  }

  void classListSkipsRowsWithoutANewClass() {
    // Class cells other than exactly "1" to "15" reach no class table; the
    // list keeps RowCount rows, its last ones empty.
    StudentTable division;
    FillTable(division, divisionRows({"合計", "組"}, {{"1", "1", "a", "5", "1"},
                                                      {"1", "2", "b", "6", "16"},
                                                      {"1", "3", "c", "7", "01"},
                                                      {"1", "4", "d", "8", ""},
                                                      {"1", "5", "e", "9", "15"}}));
    SharedState s = stateFor(division);
    ClassTables tables;
    StudentTable list;
    BuildClassList(s, division, tables.pointers, list);
    QCOMPARE(s.ClassCount, 15);
    QCOMPARE(s.ClassSizes[0], 1);
    QCOMPARE(s.ClassSizes[14], 1);
    QCOMPARE(list.rows(), 6);
    QCOMPARE(column(list, 2), (QStringList{"a", "e", "", "", ""}));
    QCOMPARE(tables[14].rows(), 2);
    QCOMPARE(tables[1].rows(), 1);  // a class in between with no students: titles only
  }

  // The whole chain on a year-group: every student reaches exactly one new
  // class, classes differ by at most one student, each block is ranked.
  void wholeYearGroup_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("classes");
    QTest::newRow("120 into 4") << 120 << 4;
    QTest::newRow("998 into 7") << 998 << 7;
    QTest::newRow("31 into 15") << 31 << 15;
  }
  void wholeYearGroup() {
    QFETCH(int, students);
    QFETCH(int, classes);
    testing::TableSpec spec;
    spec.students = students;
    spec.classes = 5;
    spec.columns = 13;
    spec.seed = 7;
    const Rows base = testing::MakeRows(spec);
    StudentTable baseTable;
    FillTable(baseTable, base);
    StudentTable division;
    ExtractColumn(baseTable, baseTable.rows(), 3, division);
    SharedState s = stateFor(division);
    for (int subject : {4, 5}) {
      StudentTable extract;
      ExtractColumn(baseTable, baseTable.rows(), subject, extract);
      AppendExtractedColumn(s, division, extract);
    }
    AddTotalColumn(s, division);
    RankByLastColumn(s, division);
    DealToClasses(s, division, classes);
    GroupByNewClass(s, division);
    ClassTables tables;
    StudentTable list;
    BuildClassList(s, division, tables.pointers, list);

    QCOMPARE(s.ClassCount, classes);
    QCOMPARE(list.rows(), students + 1);
    int smallest = students, largest = 0;
    for (int k = 1; k <= classes; ++k) {
      const StudentTable& t = tables[k - 1];
      QCOMPARE(t.rows(), s.ClassSizes[k - 1] + 1);
      smallest = std::min(smallest, s.ClassSizes[k - 1]);
      largest = std::max(largest, s.ClassSizes[k - 1]);
      for (int i = 1; i < t.rows(); ++i) {
        QCOMPARE(t.text(i, 1), QString::number(i));
        if (i > 1) QVERIFY(t.text(i - 1, 3).toDouble() >= t.text(i, 3).toDouble());
      }
    }
    QVERIFY(largest - smallest <= 1);
    QStringList listed = column(list, 2);
    QStringList originals;
    for (int r = 1; r < base.size(); ++r) originals << base[r][2];
    listed.sort();
    originals.sort();
    QCOMPARE(listed, originals);
  }
};

QTEST_GUILESS_MAIN(DivisionWorkTest)
#include "division_work_test.moc"
