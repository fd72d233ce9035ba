#include "model/rules/scores/frequency.h"
#include "model/rules/scores/score_printing.h"
#include "model/rules/scores/year_averages.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/recording_printer.h"
#include "support/table_fixtures.h"

#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// A score table: one row a student (class, number, name, then the cells).
Rows scoreRows(const QStringList& titles, const QList<QStringList>& students) {
  Rows rows{QStringList{"組", "番", "生徒氏名"} + titles};
  for (const QStringList& s : students) rows << s;
  return rows;
}

QStringList student(int cls, int number, const QStringList& cells) {
  return QStringList{QString::number(cls), QString::number(number), QStringLiteral("生徒%1-%2").arg(cls).arg(number)} +
         cells;
}

// Students of the given class sizes, each with `cells`.
QList<QStringList> classes(const QList<int>& sizes, const QStringList& cells = {"50"}) {
  QList<QStringList> out;
  for (int k = 0; k < sizes.size(); ++k)
    for (int n = 1; n <= sizes[k]; ++n) out << student(k + 1, n, cells);
  return out;
}

struct Host {
  TestHost host;
  SharedState state;
  explicit Host(const Rows& rows) {
    FillTable(host.grid, rows);
    DescribeTable(state, host.grid);
  }
  StudentTable& t() { return host.grid; }
  // Column c of rows from `first` on, `count` of them.
  QStringList column(int c, int first, int count) {
    QStringList out;
    for (int r = first; r < first + count; ++r) out << t().text(r, c);
    return out;
  }
};

}  // namespace

class SummariesTest : public QObject {
  Q_OBJECT
 private slots:
  void twoClassYearGroup() {
    Host h(scoreRows({"国語"},
                     {student(1, 1, {"80"}), student(1, 2, {"70"}), student(2, 1, {"90"}), student(2, 2, {""})}));
    QVERIFY(!AppendYearAverages(h.state, h.host));
    const int r0 = 5;
    QCOMPARE(h.t().rows(), r0 + 12);
    QCOMPARE(h.state.RowCount, r0 + 12);
    QCOMPARE(h.state.ModeCode, ModeCode::YearGroupRows);
    QCOMPARE(h.column(2, r0, 12), (QStringList{"", "学年合計点", "学年受験人数", "学年平均点", "", "1組合計点",
                                               "1組受験数", "1組平均点", "", "2組合計点", "2組受験数", "2組平均点"}));
    QCOMPARE(h.column(3, r0, 12), (QStringList{"", "240", "3", "80.0", "", "150", "2", "75.0", "", "90", "1", "90.0"}));
    for (int r = r0; r < r0 + 12; ++r) {
      QVERIFY(h.t().text(r, 0).isEmpty());
      QVERIFY(h.t().text(r, 1).isEmpty());
    }
  }

  // Year sums are rounded after every addition and the year average is a
  // whole number shown with ".0"; class figures are exact.
  void yearFigures_data() {
    QTest::addColumn<QStringList>("scores");  // one class
    QTest::addColumn<QString>("yearSum");
    QTest::addColumn<QString>("yearAverage");
    QTest::addColumn<QString>("classSum");
    QTest::addColumn<QString>("classAverage");
    QTest::newRow("64.5 shows 64.0") << QStringList{"64", "65"} << "129"
                                     << "64.0"
                                     << "129"
                                     << "64.5";
    QTest::newRow("65.5 shows 66.0") << QStringList{"65", "66"} << "131"
                                     << "66.0"
                                     << "131"
                                     << "65.5";
    QTest::newRow("64.6 shows 65.0") << QStringList{"64", "65", "65", "64", "65"} << "323"
                                     << "65.0"
                                     << "323"
                                     << "64.6";
    QTest::newRow("class average 64.25 shows 64.3") << QStringList{"64", "64", "64", "65"} << "257"
                                                    << "64.0"
                                                    << "257"
                                                    << "64.3";
    QTest::newRow("70.5 twice: 140 beside 141") << QStringList{"70.5", "70.5"} << "140"
                                                << "70.0"
                                                << "141"
                                                << "70.5";
    QTest::newRow("nobody took it") << QStringList{"", ""} << "0"
                                    << ""
                                    << "0"
                                    << "";
    QTest::newRow("a 0 is an examinee") << QStringList{"0", ""} << "0"
                                        << ".0"
                                        << "0"
                                        << ".0";
    QTest::newRow("85点 reads as 85") << QStringList{"85点", "75"} << "160"
                                      << "80.0"
                                      << "160"
                                      << "80.0";
  }
  void yearFigures() {
    QFETCH(QStringList, scores);
    QFETCH(QString, yearSum);
    QFETCH(QString, yearAverage);
    QFETCH(QString, classSum);
    QFETCH(QString, classAverage);
    QList<QStringList> students;
    for (int i = 0; i < scores.size(); ++i) students << student(1, i + 1, {scores[i]});
    Host h(scoreRows({"数学"}, students));
    QVERIFY(!AppendYearAverages(h.state, h.host));
    const int r0 = scores.size() + 1;
    QCOMPARE(h.t().text(r0 + 1, 3), yearSum);
    QCOMPARE(h.t().text(r0 + 3, 3), yearAverage);
    QCOMPARE(h.t().text(r0 + 5, 3), classSum);
    QCOMPARE(h.t().text(r0 + 7, 3), classAverage);
  }

  // Totals of a large year-group pass what 16 bits hold.
  void wideYearSums() {
    QList<QStringList> students = classes({40, 40, 40}, {"300", "301.5"});
    Host h(scoreRows({"合計", "平均"}, students));
    QVERIFY(!AppendYearAverages(h.state, h.host));
    const int r0 = 121;
    QCOMPARE(h.t().text(r0 + 1, 3), QStringLiteral("36000"));
    QCOMPARE(h.t().text(r0 + 3, 3), QStringLiteral("300.0"));
    QCOMPARE(h.t().text(r0 + 2, 4), QStringLiteral("120"));
    QCOMPARE(h.t().text(r0 + 5, 4), QStringLiteral("12060"));
  }

  void missingClassGivesEmptyAverage() {
    Host h(scoreRows({"国語"}, {student(1, 1, {"80"}), student(2, 1, {"60"}), student(4, 1, {"40"})}));
    QVERIFY(!AppendYearAverages(h.state, h.host));
    const int r0 = 4;
    QCOMPARE(h.t().rows(), r0 + 4 * 4 + 4);
    QCOMPARE(h.column(3, r0 + 4 * 3 + 1, 3), (QStringList{"0", "0", ""}));
    QCOMPARE(h.column(3, r0 + 4 * 4 + 1, 3), (QStringList{"40", "1", "40.0"}));
  }

  // Summary rows saved with a table would count as students a second time.
  void summaryRowsAreNotCountedAgain() {
    Host h(scoreRows({"国語", "合計"}, {student(1, 1, {"80", "80"}), student(2, 1, {"60", "60"})}));
    QVERIFY(!AppendYearAverages(h.state, h.host));
    const Rows after = Cells(h.t());
    QVERIFY(AppendYearAverages(h.state, h.host));
    QCOMPARE(Cells(h.t()), after);
    QVERIFY(!AppendFrequencyRows(h.state, h.host).refusal.isEmpty());
    QCOMPARE(Cells(h.t()), after);

    Host f(scoreRows({"国語", "合計"}, {student(1, 1, {"80", "80"})}));
    QVERIFY(AppendFrequencyRows(f.state, f.host).refusal.isEmpty());
    const Rows withBands = Cells(f.t());
    QVERIFY(AppendYearAverages(f.state, f.host));
    QVERIFY(!AppendFrequencyRows(f.state, f.host).refusal.isEmpty());
    QCOMPARE(Cells(f.t()), withBands);
  }

  void bands_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("subject");
    QTest::addColumn<int>("total");
    QTest::newRow("95") << 95.0 << 9 << 0;
    QTest::newRow("90") << 90.0 << 9 << 0;
    QTest::newRow("89.5") << 89.5 << 8 << 0;
    QTest::newRow("10") << 10.0 << 1 << 0;
    QTest::newRow("9.999") << 9.999 << 0 << 0;
    QTest::newRow("0") << 0.0 << 0 << 0;
    QTest::newRow("-5") << -5.0 << -1 << -1;
    QTest::newRow("399") << 399.0 << 9 << 3;
    QTest::newRow("400") << 400.0 << 9 << 4;
    QTest::newRow("just under 20") << 19.999999999999996 << 1 << 0;
  }
  void bands() {
    QFETCH(double, value);
    QFETCH(int, subject);
    QFETCH(int, total);
    QCOMPARE(SubjectBand(value), subject);
    QCOMPARE(TotalBand(value), total);
  }

  void frequencyRows() {
    const QList<QStringList> scores = {{"95", "400"}, {"90", "399"}, {"89.5", "-5"}, {"10", "100"},
                                       {"9", "0"},    {"", "99"},    {"-5", ""}};
    QList<QStringList> students;
    for (int i = 0; i < scores.size(); ++i) students << student(1, i + 1, {scores[i][0], "50", scores[i][1]});
    Host h(scoreRows({"国語", "数学", "合計"}, students));
    const FrequencyResult result = AppendFrequencyRows(h.state, h.host);
    QVERIFY(result.refusal.isEmpty());
    const int r0 = 8;
    QCOMPARE(h.t().rows(), r0 + 18);
    QCOMPARE(h.state.RowCount, r0 + 18);
    QCOMPARE(h.state.ModeCode, ModeCode::FrequencyRows);
    QCOMPARE(h.column(2, r0, 18),
             (QStringList{"", "90点以上", "80点代", "70点代", "60点代", "50点代", "40点代", "30点代", "20点代",
                          "10点代", "10点未満", "", "400点以上", "300点代", "200点代", "100点代", "100点未満", ""}));
    QCOMPARE(h.column(3, r0, 18),
             (QStringList{"", "2", "1", "0", "0", "0", "0", "0", "0", "1", "2", "", "", "", "", "", "", ""}));
    QCOMPARE(h.column(4, r0 + 1, 10), (QStringList{"0", "0", "0", "0", "7", "0", "0", "0", "0", "0"}));
    QCOMPARE(h.column(5, r0, 18),
             (QStringList{"", "", "", "", "", "", "", "", "", "", "", "", "1", "1", "0", "1", "3", ""}));

    QCOMPARE(result.charts.size(), 3);
    QCOMPARE(result.charts[0].title, QStringLiteral("国語"));
    QCOMPARE(result.charts[0].counts, (QList<int>{2, 1, 0, 0, 0, 0, 0, 0, 1, 2}));
    QVERIFY(!result.charts[0].total);
    QCOMPARE(result.charts[2].title, QStringLiteral("合計"));
    QCOMPARE(result.charts[2].counts, (QList<int>{3, 1, 0, 1, 1}));
    QVERIFY(result.charts[2].total);
  }

  void frequencyNeedsTotals() {
    Host h(scoreRows({"国語", "平均"}, {student(1, 1, {"80", "80.0"})}));
    const Rows before = Cells(h.t());
    QVERIFY(!AppendFrequencyRows(h.state, h.host).refusal.isEmpty());
    QCOMPARE(Cells(h.t()), before);
  }

  void classPages_data() {
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<QList<int>>("pageRows");
    QTest::newRow("30, 31 and 29") << QList<int>{30, 31, 29} << QList<int>{31, 32, 30};
    QTest::newRow("classes 1, 2 and 4") << QList<int>{2, 3, 0, 1} << QList<int>{3, 4, 1, 2};
    QTest::newRow("one class") << QList<int>{5} << QList<int>{6};
  }
  void classPages() {
    QFETCH(QList<int>, sizes);
    QFETCH(QList<int>, pageRows);
    Host h(scoreRows({"国語"}, classes(sizes)));
    const ScorePrintout printout = BuildScorePrintout(h.state, h.host);
    QCOMPARE(int(printout.classPages.size()), pageRows.size());
    QVERIFY(!printout.summary);
    int row = 1;
    for (int k = 0; k < pageRows.size(); ++k) {
      const StudentTable& page = *printout.classPages[k];
      QCOMPARE(page.rows(), pageRows[k]);
      QCOMPARE(page.rowTexts(0), h.t().rowTexts(0));
      QCOMPARE((QList<int>{page.colWidth(0), page.colWidth(1), page.colWidth(2), page.colWidth(3)}),
               (QList<int>{300, 300, 1300, 500}));
      for (int r = 1; r < page.rows(); ++r) QCOMPARE(page.rowTexts(r), h.t().rowTexts(row++));
    }
    RecordingPrinter printer;
    QVERIFY(PrintScorePrintout(printout, printer));
    QCOMPARE(printer.jobs.size(), 1);
    QCOMPARE(printer.jobs[0].size(), pageRows.size());
    QCOMPARE(printer.jobs[0][0].at, QPoint(10, 10));
    QCOMPARE(printer.jobs[0][0].setup.paper, 12);
  }

  void yearGroupPageEndsTheJob() {
    Host h(scoreRows({"国語", "合計", "平均"}, classes({3, 2, 4}, {"50", "50", "50.0"})));
    QVERIFY(!AppendYearAverages(h.state, h.host));
    const ScorePrintout printout = BuildScorePrintout(h.state, h.host);
    QCOMPARE(int(printout.classPages.size()), 3);
    QCOMPARE(printout.classPages[2]->rows(), 5);
    QVERIFY(printout.summary);
    QCOMPARE(printout.summary->rows(), 17);
    QCOMPARE(printout.summary->rowTexts(0), h.t().rowTexts(0));
    QCOMPARE(printout.summary->text(2, 2), QStringLiteral("学年合計点"));
    QCOMPARE(printout.summary->text(16, 2), QStringLiteral("3組平均点"));
    QCOMPARE(printout.summary->text(16, 5), QStringLiteral("50.0"));
    RecordingPrinter printer;
    QVERIFY(PrintScorePrintout(printout, printer));
    QCOMPARE(printer.jobs.size(), 1);
    QCOMPARE(printer.jobs[0].size(), 4);
  }

  void frequencyPageIsADocumentOfItsOwn() {
    Host h(scoreRows({"国語", "数学", "合計"}, classes({3, 2}, {"95", "45", "140"})));
    QVERIFY(AppendFrequencyRows(h.state, h.host).refusal.isEmpty());
    const ScorePrintout printout = BuildScorePrintout(h.state, h.host);
    QCOMPARE(int(printout.classPages.size()), 2);
    QVERIFY(printout.summary);
    const StudentTable& page = *printout.summary;
    QCOMPARE(page.rows(), 18);
    QCOMPARE(page.rowTexts(0), (QStringList{"", "", "", "国語", "数学", "合計"}));
    QCOMPARE(page.rowTexts(1), (QStringList{"", "", "90点以上", "5", "0", ""}));
    QCOMPARE(page.rowTexts(6), (QStringList{"", "", "40点代", "0", "5", ""}));
    QCOMPARE(page.rowTexts(15), (QStringList{"", "", "100点代", "", "", "5"}));
    QCOMPARE(page.rowTexts(17), (QStringList{"", "", "", "", "", ""}));
    RecordingPrinter printer;
    QVERIFY(PrintScorePrintout(printout, printer));
    QCOMPARE(printer.jobs.size(), 2);
    QCOMPARE(printer.jobs[0].size(), 2);
    QCOMPARE(printer.jobs[1].size(), 1);
  }

  void nothingToPrintWithoutClasses() {
    Host h(scoreRows({"国語"}, {{"", "1", "A", "50"}, {"16", "1", "B", "60"}, {"01", "2", "C", "70"}}));
    const ScorePrintout printout = BuildScorePrintout(h.state, h.host);
    QVERIFY(printout.classPages.empty());
    RecordingPrinter printer;
    QVERIFY(!PrintScorePrintout(printout, printer));
    QCOMPARE(printer.endedJobs, 0);
  }
};

QTEST_MAIN(SummariesTest)
#include "summaries_test.moc"
