#include "model/rules/classdivision/balance_report.h"
#include "model/rules/classdivision/class_tables_fixture.h"
#include "model/rules/classdivision/division_work.h"
#include "model/rules/classdivision/new_class_work.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

using namespace gakunen;
using gakunen::testing::Cells;
using gakunen::testing::ClassTables;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;

namespace {

// A made-up year-group as a score file gives it to the division: class,
// number, name, two tests, then 性別, 配慮 and 離す as far as asked for.
// `pairs` codes are each given to two students, `crowd` students share the
// code "多"; every fifteenth student needs support.
struct YearGroup {
  int students = 120;
  int oldClasses = 4;
  bool conditions = true;
  int pairs = 0;
  int crowd = 0;
  quint32 seed = 1;
};

Rows yearGroupRows(const YearGroup& y) {
  QRandomGenerator random(y.seed);
  QStringList titles{"組", "番", "生徒氏名", "国語", "数学"};
  if (y.conditions)
    titles << "性別"
           << "配慮"
           << "離す";
  Rows rows{titles};
  for (int i = 0; i < y.students; ++i) {
    QStringList row{QString::number(i % y.oldClasses + 1), QString::number(i / y.oldClasses + 1),
                    QStringLiteral("生徒%1").arg(i + 1), QString::number(random.bounded(101)),
                    QString::number(random.bounded(101))};
    if (y.conditions) row << (random.bounded(2) ? "男" : "女") << (i % 15 == 7 ? "○" : "") << "";
    rows.append(row);
  }
  if (y.conditions) {
    // Codes on students spread over the year-group, the pair's two often
    // dealt to the same class.
    for (int p = 0; p < y.pairs; ++p)
      for (int member : {0, 1}) {
        const int student = (p * 37 + member * (2 * y.students / 3 + 1)) % y.students;
        rows[student + 1][7] = QStringLiteral("P%1").arg(p + 1);
      }
    for (int c = 0; c < y.crowd; ++c) rows[(c * 11 + 5) % y.students + 1][7] = QStringLiteral("多");
  }
  return rows;
}

// The class list as the division makes it: totals, ranking, serpentine
// dealing, grouping and the list with its conditions.
void divide(const Rows& year, int classes, SharedState& state, TestHost& list, ClassTables& tables) {
  StudentTable base;
  FillTable(base, year);
  StudentTable division;
  ExtractColumn(base, base.rows(), 3, division);
  state.RowCount = division.rows();
  state.BaseColumnCount = division.cols();
  StudentTable extract;
  ExtractColumn(base, base.rows(), 4, extract);
  AppendExtractedColumn(state, division, extract);
  AddTotalColumn(state, division);
  RankByLastColumn(state, division);
  DealToClasses(state, division, classes);
  GroupByNewClass(state, division);
  BuildClassList(state, division, tables.pointers, list.grid);
}

int column(const StudentTable& t, const QString& title) {
  for (int c = 0; c < t.cols(); ++c)
    if (t.text(0, c) == title) return c;
  return -1;
}

// Per class (index = class - 1) the number of rows for which `counts` holds.
QList<int> perClass(const StudentTable& list, int classes, const std::function<bool(int row)>& counts) {
  QList<int> out(classes, 0);
  for (int r = 1; r < list.rows(); ++r)
    if (counts(r)) ++out[list.text(r, 0).toInt() - 1];
  return out;
}

bool withinOne(const QList<int>& counts) {
  const auto [lo, hi] = std::minmax_element(counts.begin(), counts.end());
  return *hi - *lo <= 1;
}

// Every row's cells but its class and number: who the students are.
QStringList studentsOf(const StudentTable& list) {
  QStringList out;
  for (int r = 1; r < list.rows(); ++r) out << list.rowTexts(r).mid(2).join(u',');
  out.sort();
  return out;
}

}  // namespace

class ClassBalanceTest : public QObject {
  Q_OBJECT
 private slots:
  // The conditions on their way from the score files to the division table:
  // after the tests, never in the totals, never past 23 columns.
  void conditionsInTheDivisionTable_data() {
    QTest::addColumn<QStringList>("base");   // the division table's titles after 組, 番, 生徒氏名
    QTest::addColumn<QStringList>("added");  // the added file's, empty for none
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("refused");  // the condition the message names

    QTest::newRow("the added file's conditions follow the tests, in their order")
        << QStringList{"国語"} << QStringList{"数学", "離す", "性別"}
        << QStringList{"国語", "数学", "性別", "離す", "合計"} << QString();
    QTest::newRow("an added test goes before them; a missing condition comes along")
        << QStringList{"国語", "性別"} << QStringList{"数学", "配慮", "性別"}
        << QStringList{"国語", "数学", "性別", "配慮", "合計"} << QString();
    QStringList fifteen, seventeen;
    for (int i = 0; i < 17; ++i) (i < 15 ? fifteen : seventeen) << "国語";
    seventeen = fifteen + seventeen;
    QTest::newRow("exactly as wide as a saved table with 合計 and 組")
        << (fifteen + QStringList{"性別"}) << QStringList{"数学", "配慮"}
        << (fifteen + QStringList{"数学", "性別", "配慮", "合計"}) << QString();
    QTest::newRow("one column more is refused, not cut")
        << (seventeen + QStringList{"性別"}) << QStringList{"数学", "配慮"}
        << (seventeen + QStringList{"数学", "性別", "合計"}) << QString("配慮");
  }
  void conditionsInTheDivisionTable() {
    QFETCH(QStringList, base);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);
    QFETCH(QString, refused);
    // Every score 1, every code 7: a total that counts a code is wrong.
    auto file = [](const QStringList& titles) {
      Rows rows{QStringList{"組", "番", "生徒氏名"} + titles};
      QStringList row{"1", "1", "青木"};
      for (const QString& t : titles) row << (t == "性別" ? "男" : t == "配慮" ? "○" : t == "離す" ? "7" : "1");
      rows << row;
      StudentTable* table = new StudentTable;
      FillTable(*table, rows);
      return std::unique_ptr<StudentTable>(table);
    };
    const auto baseTable = file(base);
    SharedState state;
    StudentTable& division = *baseTable;
    state.RowCount = division.rows();
    state.BaseColumnCount = division.cols();
    std::optional<QString> message;
    if (!added.isEmpty()) {
      const auto addedTable = file(added);
      StudentTable extract;
      ExtractColumn(*addedTable, addedTable->rows(), 3, extract);
      message = AppendExtractedColumn(state, division, extract);
    }
    AddTotalColumn(state, division);
    QCOMPARE(division.rowTexts(0).mid(3), expected);
    QCOMPARE(state.BaseColumnCount, division.cols());
    QCOMPARE(division.text(1, division.cols() - 1), QString::number(expected.count("国語") + expected.count("数学")));
    QCOMPARE(message.has_value(), !refused.isEmpty());
    if (message) QVERIFY(message->contains("「" + refused + "」"));
    QVERIFY(division.cols() + 1 <= 23 || !refused.isEmpty());
  }

  // The class list's own columns: readings at column 5, conditions after
  // them, all of them saved, and nothing past 23 columns.
  void conditionsInTheClassList_data() {
    QTest::addColumn<QStringList>("titles");  // after 新組, 番号, 生徒氏名, 合計, 旧組
    QTest::addColumn<QString>("press");       // "ふりがな" or a condition
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("refused");

    QStringList eighteen, seventeen;
    for (int i = 0; i < 18; ++i) eighteen << QStringLiteral("x%1").arg(i);
    seventeen = eighteen.mid(1);
    QTest::newRow("readings go before the conditions")
        << QStringList{"性別", "離す"} << "ふりがな" << QStringList{"ふりがな", "性別", "離す"} << false;
    QTest::newRow("readings kept") << QStringList{"ふりがな", "性別"} << "ふりがな" << QStringList{"ふりがな", "性別"}
                                   << false;
    QTest::newRow("a condition is appended") << QStringList() << "配慮" << QStringList{"配慮"} << false;
    QTest::newRow("a condition the list has is used") << QStringList{"配慮"} << "配慮" << QStringList{"配慮"} << false;
    QTest::newRow("no condition past 23 columns") << eighteen << "性別" << eighteen << true;
    QTest::newRow("no readings past 23 columns")
        << (QStringList{"性別"} + seventeen) << "ふりがな" << (QStringList{"性別"} + seventeen) << true;
  }
  void conditionsInTheClassList() {
    QFETCH(QStringList, titles);
    QFETCH(QString, press);
    QFETCH(QStringList, expected);
    QFETCH(bool, refused);
    const QStringList ranked{"新組", "番号", "生徒氏名", "合計", "旧組"};
    TestHost host;
    Rows rows{ranked + titles};
    for (int i = 1; i <= 3; ++i) {
      QStringList row{"1", QString::number(i), QStringLiteral("生徒%1").arg(i), "100", "1"};
      for (const QString& t : titles) row << t + QString::number(i);
      rows << row;
    }
    FillTable(host.grid, rows);
    SharedState state;
    bool wasRefused = false;
    if (press == "ふりがな") {
      wasRefused = PrepareReadingColumn(state, host).has_value();
    } else {
      const ConditionColumnOutcome out = PrepareConditionColumn(state, host, *ConditionOfTitle(press));
      wasRefused = out.column < 0;
      if (!wasRefused) QCOMPARE(host.grid.text(0, out.column), press);
    }
    QCOMPARE(wasRefused, refused);
    QCOMPARE(host.grid.rowTexts(0), ranked + expected);
    // Every cell stayed with its column.
    for (int c = 5; c < host.grid.cols(); ++c)
      if (titles.contains(host.grid.text(0, c))) QCOMPARE(host.grid.text(2, c), host.grid.text(0, c) + "2");
    if (!refused) QCOMPARE(ClassListSaveColumns(host.grid), host.grid.cols());
  }

  void goalsHoldFromTheListsOwnCounts_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("oldClasses");
    QTest::addColumn<int>("classes");
    QTest::addColumn<bool>("conditions");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("crowd");
    // "class,number,target" moves made by hand before balancing.
    QTest::addColumn<QStringList>("moves");
    // Codes whose students cannot all be kept apart, as the message names them.
    QTest::addColumn<QStringList>("unsplittable");
    // Whether every class's mean can come within a point of the year's.
    QTest::addColumn<bool>("meansMet");

    QTest::newRow("two classes, twelve students")
        << 12 << 2 << 2 << true << 1 << 0 << QStringList() << QStringList() << false;
    QTest::newRow("4 classes") << 132 << 4 << 4 << true << 6 << 0 << QStringList() << QStringList() << true;
    QTest::newRow("8 classes, 12 pairs") << 280 << 7 << 8 << true << 12 << 0 << QStringList() << QStringList() << true;
    QTest::newRow("15 classes, a whole year-group")
        << 998 << 14 << 15 << true << 40 << 0 << QStringList() << QStringList() << true;
    QTest::newRow("a code shared by more students than classes")
        << 132 << 4 << 4 << true << 4 << 6 << QStringList() << QStringList{"多"} << true;
    QTest::newRow("hand-moved students stay; a pair put together by hand stays together")
        << 240 << 6 << 8 << true << 8 << 0 << QStringList{"2,5,1", "1,1,2", "P1"} << QStringList{"P1"} << true;
    QTest::newRow("without conditions: old classes and means only")
        << 240 << 6 << 8 << false << 0 << 0 << QStringList() << QStringList() << true;
  }
  void goalsHoldFromTheListsOwnCounts() {
    QFETCH(int, students);
    QFETCH(int, oldClasses);
    QFETCH(int, classes);
    QFETCH(bool, conditions);
    QFETCH(int, pairs);
    QFETCH(int, crowd);
    QFETCH(QStringList, moves);
    QFETCH(QStringList, unsplittable);
    QFETCH(bool, meansMet);

    const Rows year = yearGroupRows({students, oldClasses, conditions, pairs, crowd, quint32(students + classes)});
    SharedState state;
    TestHost host;
    ClassTables tables;
    divide(year, classes, state, host, tables);
    StudentTable& list = host.grid;
    const int sexColumn = column(list, "性別");
    const int careColumn = column(list, "配慮");
    const int apartColumn = column(list, "離す");
    QCOMPARE(sexColumn >= 0, conditions);

    // Hand moves: by class and number, or the second student of a code put
    // into the class of the first.
    QSet<QString> handMoved;
    QMap<QString, int> movedTo;
    for (const QString& move : moves) {
      int row = -1;
      QString target;
      if (move.contains(u',')) {
        const QStringList parts = move.split(u',');
        const MoveOutcome out = MoveStudent(list, parts[0], parts[1], parts[2]);
        row = out.row;
        target = parts[2];
      } else {
        QList<int> rows;
        for (int r = 1; r < list.rows(); ++r)
          if (list.text(r, apartColumn) == move) rows << r;
        QCOMPARE(rows.size(), 2);
        // An exchange, so that the class sizes stay even: a classmate of the
        // first goes where the second was.
        target = list.text(rows[0], 0);
        int classmate = 1;
        while (list.text(classmate, 0) != target || classmate == rows[0]) ++classmate;
        list.setText(classmate, 0, list.text(rows[1], 0));
        handMoved.insert(StudentKey(list, classmate));
        movedTo[list.text(classmate, 2)] = list.text(rows[1], 0).toInt();
        row = rows[1];
        list.setText(row, 0, target);
        handMoved.insert(StudentKey(list, rows[0]));
        movedTo[list.text(rows[0], 2)] = target.toInt();
      }
      QVERIFY(row > 0);
      handMoved.insert(StudentKey(list, row));
      movedTo[list.text(row, 2)] = target.toInt();
    }
    const QList<int> sizes = perClass(list, classes, [](int) { return true; });
    const QStringList who = studentsOf(list);
    auto deviations = [&] {
      double yearSum = 0;
      for (int r = 1; r < list.rows(); ++r) yearSum += list.text(r, 3).toDouble();
      const double yearMean = yearSum / (list.rows() - 1);
      QList<double> out;
      for (int k = 1; k <= classes; ++k) {
        double sum = 0;
        int n = 0;
        for (int r = 1; r < list.rows(); ++r)
          if (list.text(r, 0).toInt() == k) sum += list.text(r, 3).toDouble(), ++n;
        out << std::abs(sum / n - yearMean);
      }
      return out;
    };
    const QList<double> dealt = deviations();
    const double dealtWorst = *std::max_element(dealt.begin(), dealt.end());

    const QStringList unmet = BalanceClassList(state, host, handMoved, tables.pointers);

    // Only exchanges: the same students, the same class sizes.
    QCOMPARE(studentsOf(list), who);
    QCOMPARE(perClass(list, classes, [](int) { return true; }), sizes);
    QCOMPARE(state.ClassCount, classes);
    for (int r = 1; r < list.rows(); ++r)
      if (movedTo.contains(list.text(r, 2))) QCOMPARE(list.text(r, 0).toInt(), movedTo[list.text(r, 2)]);

    // Grouped by class, each class by total and numbered from 1.
    for (int r = 1; r < list.rows(); ++r) {
      const bool first = r == 1 || list.text(r - 1, 0) != list.text(r, 0);
      if (!first) {
        QVERIFY(list.text(r - 1, 0).toInt() <= list.text(r, 0).toInt());
        QVERIFY(list.text(r - 1, 3).toDouble() >= list.text(r, 3).toDouble());
      }
      QCOMPARE(list.text(r, 1).toInt(), first ? 1 : list.text(r - 1, 1).toInt() + 1);
    }

    // 離す: no class holds two of a code unless the code has more students
    // than there are classes, or a hand put them together.
    QStringList together;
    if (apartColumn >= 0) {
      QMap<QString, QList<int>> codes;
      for (int r = 1; r < list.rows(); ++r)
        if (!list.text(r, apartColumn).isEmpty()) {
          QList<int>& counts = codes[list.text(r, apartColumn)];
          counts.resize(classes);
          ++counts[list.text(r, 0).toInt() - 1];
        }
      for (auto it = codes.begin(); it != codes.end(); ++it) {
        const int size = std::accumulate(it->begin(), it->end(), 0);
        const int most = *std::max_element(it->begin(), it->end());
        QVERIFY2(most <= (size + classes - 1) / classes || unsplittable.contains(it.key()), qPrintable(it.key()));
        if (most > 1) together << it.key();
      }
    }
    together.sort();
    QCOMPARE(together, unsplittable);
    for (const QString& code : unsplittable)
      QVERIFY(
          std::any_of(unmet.begin(), unmet.end(), [&](const QString& m) { return m.contains("「" + code + "」"); }));

    if (conditions) {
      QVERIFY(withinOne(perClass(list, classes, [&](int r) { return list.text(r, sexColumn) == "男"; })));
      QVERIFY(withinOne(perClass(list, classes, [&](int r) { return list.text(r, sexColumn) == "女"; })));
      QVERIFY(withinOne(perClass(list, classes, [&](int r) { return !list.text(r, careColumn).isEmpty(); })));
    }
    for (int o = 1; o <= oldClasses; ++o)
      QVERIFY2(withinOne(perClass(list, classes, [&](int r) { return list.text(r, 4).toInt() == o; })),
               qPrintable(QStringLiteral("old class %1").arg(o)));

    // Means: within a point of the year's, or named; never farther off than
    // the dealing was.
    const QList<double> after = deviations();
    int meansOff = 0;
    for (int k = 1; k <= classes; ++k) {
      QVERIFY(after[k - 1] <= std::max(1.0, dealtWorst) + 1e-9);
      if (after[k - 1] <= 1.0) continue;
      ++meansOff;
      const QString named = QStringLiteral("%1組の合計の平均").arg(k);
      QVERIFY(std::any_of(unmet.begin(), unmet.end(), [&](const QString& m) { return m.startsWith(named); }));
    }
    QCOMPARE(meansOff == 0, meansMet);
    QCOMPARE(unmet.size(), unsplittable.size() + meansOff);

    // The class tables that are printed hold the balanced classes.
    for (int k = 1; k <= classes; ++k) QCOMPARE(tables[k - 1].rows(), sizes[k - 1] + 1);

    // The same file gives the same classes.
    SharedState again;
    TestHost second;
    ClassTables moreTables;
    divide(year, classes, again, second, moreTables);
    QSet<QString> secondMoved;
    if (!moves.isEmpty()) return;  // the moves above were made on the first list only
    BalanceClassList(again, second, secondMoved, moreTables.pointers);
    QCOMPARE(Cells(second.grid), Cells(list));
  }
};

QTEST_GUILESS_MAIN(ClassBalanceTest)
#include "class_balance_test.moc"
