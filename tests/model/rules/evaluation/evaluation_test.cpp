#include "model/rules/evaluation/evaluation.h"
#include "model/ports/scripted_dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// A ranked table of `n` students: rank, class, number, name, total, average.
// Student i (from 1) is in class classes[i-1] when given, else class 1.
Rows rankedRows(int n, const QList<int>& classes = {}) {
  Rows rows{{"順位", "組", "番", "生徒氏名", "合計", "平均"}};
  for (int i = 1; i <= n; ++i) {
    const int cls = classes.isEmpty() ? 1 : classes[i - 1];
    rows << QStringList{QString::number(i),       QString::number(cls),
                        QString::number(100 + i), QStringLiteral("生徒%1").arg(i),
                        QString::number(500 - i), QString::number(100 - i / 10.0)};
  }
  return rows;
}

// The levels of a column from row 1 down, run-length: "5x3 4x9 ..." ("-" for empty).
QString runs(const StudentTable& t, int col) {
  QStringList out;
  QString current;
  int count = 0;
  for (int r = 1; r < t.rows(); ++r) {
    const QString v = t.text(r, col).isEmpty() ? QStringLiteral("-") : t.text(r, col);
    if (count > 0 && v == current) {
      ++count;
      continue;
    }
    if (count > 0) out << QStringLiteral("%1x%2").arg(current).arg(count);
    current = v;
    count = 1;
  }
  if (count > 0) out << QStringLiteral("%1x%2").arg(current).arg(count);
  return out.join(u' ');
}

enum class Method { FiveByPercent, TenByPercent, TenByCount };

bool evaluate(Method m, SharedState& state, StudentTable& t, ScriptedDialogs& d) {
  switch (m) {
    case Method::FiveByPercent:
      return EvaluateFiveByPercent(state, t, d);
    case Method::TenByPercent:
      return EvaluateTenByPercent(state, t, d);
    case Method::TenByCount:
      return EvaluateTenByCount(state, t, d);
  }
  return false;
}

}  // namespace

Q_DECLARE_METATYPE(Method)

class EvaluationTest : public QObject {
  Q_OBJECT
 private slots:
  void shareRoundsHalfToEven_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("share");
    QTest::newRow("38 x 7 % = 2.66") << 38 << 7 << 3;
    QTest::newRow("38 x 24 % = 9.12") << 38 << 24 << 9;
    QTest::newRow("30 x 5 % = 1.5") << 30 << 5 << 2;
    QTest::newRow("50 x 5 % = 2.5") << 50 << 5 << 2;
    QTest::newRow("70 x 5 % = 3.5") << 70 << 5 << 4;
    QTest::newRow("10 x 25 % = 2.5") << 10 << 25 << 2;
    QTest::newRow("998 x 100 %") << 998 << 100 << 998;
    QTest::newRow("no students") << 0 << 40 << 0;
  }
  void shareRoundsHalfToEven() {
    QFETCH(int, students);
    QFETCH(int, percent);
    QFETCH(int, share);
    QCOMPARE(ShareOfStudents(students, percent), share);
  }

  void prompts() {
    QCOMPARE(PercentPrompt(5), QStringLiteral("段階5は、何％ですか？"));
    QCOMPARE(PercentPrompt(10), QStringLiteral("段階10は、何％ですか？"));
    QCOMPARE(HeadCountPrompt(10), QStringLiteral("段階 「 10 」は、何人ですか？"));
    QCOMPARE(HeadCountPrompt(1), QStringLiteral("段階 「 1 」は、何人ですか？"));
  }

  // Whole evaluations as the teacher answers them: the levels written from
  // row 1 down, or a refusal with the table as it was.
  void evaluations_data() {
    QTest::addColumn<Method>("method");
    QTest::addColumn<int>("students");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("levels");  // runs of the new column; "" when nothing written
    QTest::addColumn<bool>("refused");    // a message said why

    QTest::newRow("5 levels, 38, 7 and 24 %")
        << Method::FiveByPercent << 38 << QStringList{"7", "24"} << "5x3 4x9 3x14 2x9 1x3" << false;
    QTest::newRow("10 levels, 100 students") << Method::TenByPercent << 100 << QStringList{"5", "10", "10", "15", "10"}
                                             << "10x5 9x10 8x10 7x15 6x10 5x10 4x15 3x10 2x10 1x5" << false;
    QTest::newRow("30 x 5 % gives 2 on each end")
        << Method::FiveByPercent << 30 << QStringList{"5", "0"} << "5x2 3x26 1x2" << false;
    QTest::newRow("50 x 5 % gives 2 on each end")
        << Method::FiveByPercent << 50 << QStringList{"5", "0"} << "5x2 3x46 1x2" << false;
    QTest::newRow("fractional answers round half to even")
        << Method::FiveByPercent << 100 << QStringList{"6.5", "20.5"} << "5x6 4x20 3x48 2x20 1x6" << false;
    QTest::newRow("full-width digits") << Method::FiveByPercent << 100 << QStringList{"１０", "２０"}
                                       << "5x10 4x20 3x40 2x20 1x10" << false;
    QTest::newRow("middle band exactly empty")
        << Method::FiveByPercent << 10 << QStringList{"20", "30"} << "5x2 4x3 2x3 1x2" << false;
    QTest::newRow("middle band negative") << Method::FiveByPercent << 10 << QStringList{"30", "30"} << "" << true;
    QTest::newRow("ten levels, middle negative")
        << Method::TenByPercent << 20 << QStringList{"10", "10", "10", "10", "30"} << "" << true;
    QTest::newRow("negative percentage") << Method::FiveByPercent << 38 << QStringList{"-5", "24"} << "" << true;
    QTest::newRow("not a number") << Method::FiveByPercent << 38 << QStringList{"abc"} << "" << true;
    QTest::newRow("percent sign after the number") << Method::TenByPercent << 38 << QStringList{"5%"} << "" << true;
    QTest::newRow("cancel at the second question") << Method::FiveByPercent << 38 << QStringList{"7"} << "" << false;

    QTest::newRow("head-counts adding up to N")
        << Method::TenByCount << 20 << QStringList{"1", "2", "2", "2", "3", "3", "2", "2", "2", "1"}
        << "10x1 9x2 8x2 7x2 6x3 5x3 4x2 3x2 2x2 1x1" << false;
    QTest::newRow("head-counts short of N")
        << Method::TenByCount << 20 << QStringList{"1", "2", "2", "2", "3", "3", "2", "2", "1", "0"}
        << "10x1 9x2 8x2 7x2 6x3 5x3 4x2 3x2 2x1 -x2" << false;
    QTest::newRow("head-counts 1.5 and 2.5 read as 2")
        << Method::TenByCount << 10 << QStringList{"1.5", "2.5", "0", "0", "0", "0", "0", "0", "0", "0"}
        << "10x2 9x2 -x6" << false;
    QTest::newRow("head-counts over N") << Method::TenByCount << 10
                                        << QStringList{"5", "5", "1", "0", "0", "0", "0", "0", "0", "0"} << "" << true;
    QTest::newRow("negative head-count") << Method::TenByCount << 10 << QStringList{"5", "-1"} << "" << true;
    QTest::newRow("head-count not a number") << Method::TenByCount << 10 << QStringList{"五"} << "" << true;
    QTest::newRow("head-count cancelled at once") << Method::TenByCount << 10 << QStringList{} << "" << false;
  }
  void evaluations() {
    QFETCH(Method, method);
    QFETCH(int, students);
    QFETCH(QStringList, answers);
    QFETCH(QString, levels);
    QFETCH(bool, refused);

    SharedState state;
    StudentTable t;
    FillTable(t, rankedRows(students));
    const Rows before = Cells(t);
    ScriptedDialogs d;
    for (const QString& a : answers) d.queueAnswer(a);
    if (!refused) d.queueAnswerCancel();  // a run that stops early meets this cancel

    const bool written = evaluate(method, state, t, d);
    QCOMPARE(written, !levels.isEmpty());
    QCOMPARE(d.messages().isEmpty(), !refused);

    const bool countsMethod = method == Method::TenByCount;
    if (levels.isEmpty()) {
      // Percentages leave the table as it was; head-counts leave their
      // column, untitled and empty, as a cancel does.
      QCOMPARE(t.cols(), before[0].size() + (countsMethod ? 1 : 0));
      for (int r = 0; r < before.size(); ++r) QCOMPARE(t.rowTexts(r).mid(0, before[0].size()), before[r]);
      if (countsMethod) {
        for (int r = 0; r < t.rows(); ++r) QVERIFY(t.text(r, t.cols() - 1).isEmpty());
        QCOMPARE(state.ColumnCount, t.cols());
      }
      return;
    }
    QCOMPARE(t.rows(), students + 1);
    QCOMPARE(t.cols(), before[0].size() + 1);
    QCOMPARE(state.ColumnCount, t.cols());
    QCOMPARE(t.text(0, t.cols() - 1), QStringLiteral("評価"));
    QCOMPARE(t.colWidth(t.cols() - 1), 300);
    QCOMPARE(runs(t, t.cols() - 1), levels);

    // Rows standing in another order (as after "クラス順") get the same level
    // student by student: the levels follow the rank, not the row.
    StudentTable reversed;
    Rows rows = before;
    std::reverse(rows.begin() + 1, rows.end());
    FillTable(reversed, rows);
    ScriptedDialogs again;
    for (const QString& a : answers) again.queueAnswer(a);
    again.queueAnswerCancel();
    QVERIFY(evaluate(method, state, reversed, again));
    for (int r = 1; r < t.rows(); ++r)
      QCOMPARE(reversed.text(t.rows() - r, reversed.cols() - 1), t.text(r, t.cols() - 1));
  }

  void asksTheLevelsTopDown() {
    SharedState state;
    StudentTable t;
    FillTable(t, rankedRows(40));
    ScriptedDialogs d;
    for (const char* a : {"5", "10", "10", "15", "10"}) d.queueAnswer(QString::fromLatin1(a));
    QVERIFY(EvaluateTenByPercent(state, t, d));
    QCOMPARE(d.promptsSince({}),
             (QStringList{"段階10は、何％ですか？", "段階9は、何％ですか？", "段階8は、何％ですか？",
                          "段階7は、何％ですか？", "段階6は、何％ですか？"}));
  }

  void secondRunStandsBesideTheFirst() {
    SharedState state;
    StudentTable t;
    FillTable(t, rankedRows(38));
    ScriptedDialogs d;
    d.queueAnswer("7");
    d.queueAnswer("24");
    QVERIFY(EvaluateFiveByPercent(state, t, d));
    for (const char* a : {"5", "10", "10", "15", "10"}) d.queueAnswer(QString::fromLatin1(a));
    QVERIFY(EvaluateTenByPercent(state, t, d));
    QCOMPARE(t.cols(), 8);
    QCOMPARE(t.text(0, 6), QStringLiteral("評価"));
    QCOMPARE(t.text(0, 7), QStringLiteral("評価"));
    QCOMPARE(runs(t, 6), QStringLiteral("5x3 4x9 3x14 2x9 1x3"));
    // 38 students: 5 % is 1.9 → 2, 10 % 3.8 → 4, 15 % 5.7 → 6; the middle takes 38 - 2·16 - 4 = 2.
    QCOMPARE(runs(t, 7), QStringLiteral("10x2 9x4 8x4 7x6 6x4 5x2 4x6 3x4 2x4 1x2"));
  }

  void classTables_data() {
    QTest::addColumn<QList<int>>("classes");  // class of each ranked student
    QTest::addColumn<int>("classCount");
    QTest::addColumn<QList<int>>("sizes");  // rows of class tables 0.. (title included)
    QTest::newRow("three classes") << QList<int>{2, 1, 3, 1, 2, 3, 3} << 3 << QList<int>{3, 3, 4};
    QTest::newRow("classes 1, 2 and 4") << QList<int>{4, 1, 2, 4, 1} << 4 << QList<int>{3, 2, 1, 3};
    QTest::newRow("class 10 after class 9") << QList<int>{10, 9, 1} << 10 << QList<int>{2, 1, 1, 1, 1, 1, 1, 1, 2, 2};
  }
  void classTables() {
    QFETCH(QList<int>, classes);
    QFETCH(int, classCount);
    QFETCH(QList<int>, sizes);
    SharedState state;
    StudentTable ranking;
    FillTable(ranking, rankedRows(classes.size(), classes));
    std::vector<std::unique_ptr<StudentTable>> owned;
    std::vector<StudentTable*> tables;
    for (int i = 0; i < 15; ++i) {
      owned.push_back(std::make_unique<StudentTable>());
      tables.push_back(owned.back().get());
    }
    BuildClassTables(state, ranking, tables);

    QCOMPARE(state.ClassCount, classCount);
    for (int k = 1; k <= classCount; ++k) {
      const StudentTable& t = *tables[k - 1];
      QCOMPARE(t.rows(), sizes[k - 1]);
      QCOMPARE(state.ClassSizes[k - 1], sizes[k - 1] - 1);
      QCOMPARE(t.cols(), ranking.cols());
      QCOMPARE(t.rowTexts(0), (QStringList{"組", "番", "生徒氏名", "合計", "平均", "順位"}));
      QCOMPARE(t.colWidth(2), k == 1 ? 1300 : 1000);
      QCOMPARE(t.colWidth(0), 300);
      QCOMPARE(t.colWidth(4), 500);
      for (int r = 1; r < t.rows(); ++r) {
        QCOMPARE(t.text(r, 0), QString::number(k));
        if (r > 1) QVERIFY(t.text(r, 1).toInt() > t.text(r - 1, 1).toInt());
        // Student i has number 100 + i and rank i.
        QCOMPARE(t.text(r, 5).toInt() + 100, t.text(r, 1).toInt());
        QCOMPARE(t.text(r, 2), QStringLiteral("生徒%1").arg(t.text(r, 5)));
      }
    }
    // The ranking table is left in class order.
    for (int r = 2; r < ranking.rows(); ++r) QVERIFY(ranking.text(r, 1).toInt() >= ranking.text(r - 1, 1).toInt());
  }

  // Class cells other than "1" to "15" go to no table, and the tables still
  // hold the right students even when such rows sort before class 1.
  void classTablesSkipOddClassCells() {
    SharedState state;
    StudentTable ranking;
    Rows rows = rankedRows(6, {1, 1, 2, 1, 2, 2});
    rows[2][1] = "01";  // sorts as 1, but is not written plainly
    rows[3][1] = "";
    rows[5][1] = "16";
    FillTable(ranking, rows);
    std::vector<std::unique_ptr<StudentTable>> owned;
    std::vector<StudentTable*> tables;
    for (int i = 0; i < 15; ++i) {
      owned.push_back(std::make_unique<StudentTable>());
      tables.push_back(owned.back().get());
    }
    BuildClassTables(state, ranking, tables);
    QCOMPARE(state.ClassCount, 2);
    QCOMPARE(tables[0]->rows(), 3);
    QCOMPARE(tables[0]->text(1, 2), QStringLiteral("生徒1"));
    QCOMPARE(tables[0]->text(2, 2), QStringLiteral("生徒4"));
    QCOMPARE(tables[1]->rows(), 2);
    QCOMPARE(tables[1]->text(1, 2), QStringLiteral("生徒6"));
  }

  void fortyPerPage_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<QList<int>>("pageRows");  // rows of each page, the title row included
    QTest::newRow("40") << 40 << QList<int>{41};
    QTest::newRow("41") << 41 << QList<int>{41, 2};
    QTest::newRow("85") << 85 << QList<int>{41, 41, 6};
    QTest::newRow("1") << 1 << QList<int>{2};
    QTest::newRow("none") << 0 << QList<int>{};
  }
  void fortyPerPage() {
    QFETCH(int, students);
    QFETCH(QList<int>, pageRows);
    StudentTable ranking;
    FillTable(ranking, rankedRows(students));
    const auto pages = BuildFortyPerPage(ranking);
    QCOMPARE(int(pages.size()), pageRows.size());
    int next = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
      const StudentTable& page = *pages[p];
      QCOMPARE(page.rows(), pageRows[int(p)]);
      QCOMPARE(page.rowTexts(0), ranking.rowTexts(0));
      QCOMPARE((QList<int>{page.colWidth(0), page.colWidth(1), page.colWidth(2), page.colWidth(3), page.colWidth(4)}),
               (QList<int>{500, 300, 300, 1000, 500}));
      for (int r = 1; r < page.rows(); ++r) QCOMPARE(page.rowTexts(r), ranking.rowTexts(next++));
    }
    QCOMPARE(next, students + 1);
  }
};

QTEST_GUILESS_MAIN(EvaluationTest)
#include "evaluation_test.moc"
