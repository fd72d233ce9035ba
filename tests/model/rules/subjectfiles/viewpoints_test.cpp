#include "model/rules/subjectfiles/viewpoints.h"
#include "model/rules/subjectfiles/viewpoint_settings.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace gakunen;
using namespace gakunen::subjectfiles;
using gakunen::testing::Cells;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;

namespace {

// "K 100 1": the column's viewpoint (K 知識・技能, T 思考・判断・表現,
// M 主体的に学習に取り組む態度, - none), full marks and weight.
ViewpointSetup setupOf(const QStringList& columns, const QString& thresholds = QStringLiteral("80 40")) {
  ViewpointSetup setup;
  for (int i = 0; i < columns.size(); ++i) {
    const QStringList parts = columns[i].split(u' ');
    setup.columns[3 + i] = {static_cast<Viewpoint>(QStringLiteral("-KTM").indexOf(parts[0])), parts[1], parts[2]};
  }
  setup.thresholdA = thresholds.section(u' ', 0, 0);
  setup.thresholdB = thresholds.section(u' ', 1, 1);
  return setup;
}

// One student of class 1 with these cells after class, number and name.
void fillStudent(StudentTable& t, const QStringList& cells) {
  QStringList titles{"組", "番", "生徒氏名"};
  for (int i = 0; i < cells.size(); ++i) titles << QStringLiteral("テ%1").arg(i + 1);
  FillTable(t, Rows{titles, QStringList{"1", "1", "生徒"} + cells});
}

// Letters and 評定 of a row, an empty letter shown as "-".
QString resultsOf(const StudentTable& t, int row) {
  const auto columns = ResultColumns(t);
  QString letters;
  for (int v = 0; v < kViewpoints; ++v) {
    const QString letter = t.text(row, columns[v]);
    letters += letter.isEmpty() ? QStringLiteral("-") : letter;
  }
  return letters + u' ' + t.text(row, columns[kGradeResult]);
}

// Two tests, three quizzes and a 提出物 column over the three viewpoints:
// 中間 K 100 x1, 期末 T 100 x1, 小1 K 10 x2, 小2 T 10 x1, 小3 M 20 x1, 提出物 M 5 x2.
const QStringList kSubjectSetup{"K 100 1", "T 100 1", "K 10 2", "T 10 1", "M 20 1", "M 5 2"};
const Rows kSubjectFile{
    {"組", "番", "生徒氏名", "中間", "期末", "小1", "小2", "小3", "提出物"},
    {"1", "1", "青木", "85", "78", "9", "8", "18", "5"},
    {"1", "2", "井上", "70", "", "5", "10", "欠", "3"},
    {"1", "3", "上田", "40", "30", "4", "2", "8", "0"},
    {"2", "1", "江藤", "76", "88", "10", "10", "20", "5"},
    {"2", "2", "大野", "20", "25", "3", "1", "5", "1"},
    {"2", "3", "加藤", "", "", "", "", "", "4"},
};

}  // namespace

class ViewpointsTest : public QObject {
  Q_OBJECT
 private slots:
  // One student's letters from the set-up's own numbers.
  void shares_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("thresholds");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("expected");  // K T M letters and 評定
    QTest::addColumn<int>("unread");
    const QStringList each100{"K 100 1", "T 100 1", "M 100 1"};
    QTest::newRow("thresholds reached exactly")
        << each100 << "80 40" << QStringList{"80", "40", "39.999"} << "ABC 3" << 0;
    QTest::newRow("just below each") << each100 << "80 40" << QStringList{"79.999", "39.999", "0"} << "BCC 2" << 0;
    QTest::newRow("decimal thresholds") << each100 << "79.5 39.5" << QStringList{"79.5", "39.5", "39.499"} << "ABC 3"
                                        << 0;
    QTest::newRow("B equal to A leaves no B") << each100 << "60 60" << QStringList{"60", "59.5", "100"} << "ACA 3" << 0;
    QTest::newRow("thresholds of 0") << each100 << "0 0" << QStringList{"0", "0", "0"} << "AAA 5" << 0;
    QTest::newRow("full marks other than 100")
        << QStringList{"K 50 1", "T 30 1", "M 7 1"} << "80 40" << QStringList{"40", "12", "2.8"} << "ABB 4" << 0;
    // (1.1 x 80 + 1.2 x 8) / (1.1 x 100 + 1.2 x 10) is 80 % exactly, and
    // (1.1 x 40 + 1.2 x 4) / (...) 40 %; in binary fractions both fall short.
    QTest::newRow("weights in tenths reach A and B")
        << QStringList{"K 100 1.1", "K 10 1.2", "T 100 1.1", "T 10 1.2", "M 100 1"} << "80 40"
        << QStringList{"80", "8", "40", "4", "79.999"} << "ABB 4" << 0;
    // (50 + 2 x 10) / (100 + 2 x 10) = 58.3 %
    QTest::newRow("a quiz weighted twice") << QStringList{"K 100 1", "K 10 2", "T 100 1", "M 100 1"} << "80 40"
                                           << QStringList{"50", "10", "80", "100"} << "BAA 4" << 0;
    // 40 / 50: the empty test counts neither in the points nor in the full marks.
    QTest::newRow("empty cells are not taken") << QStringList{"K 100 1", "K 50 1", "T 100 1", "M 100 1"} << "80 40"
                                               << QStringList{"", "40", " ", "45"} << "A-B " << 0;
    QTest::newRow("text and negative scores are not taken")
        << QStringList{"K 100 1", "K 100 1", "T 100 1", "M 100 1"} << "80 40" << QStringList{"欠", "-5", "40", "100"}
        << "-BA " << 2;
    QTest::newRow("full-width digits and exponents are not read")
        << QStringList{"K 100 1", "K 100 1", "T 100 1", "M 100 1"} << "80 40" << QStringList{"９０", "1e2", "40", "99"}
        << "-BA " << 2;
    QTest::newRow("a score over full marks; decimals beyond three rounded")
        << QStringList{"K 10 1", "T 10 1", "M 10 1"} << "80 40" << QStringList{"12", "4", "3.9999"} << "ABB 4" << 0;
    QTest::newRow("a column of no viewpoint is left out")
        << QStringList{"K 100 1", "- 100 1", "T 100 1", "M 100 1"} << "80 40" << QStringList{"90", "abc", "90", "90"}
        << "AAA 5" << 0;
  }
  void shares() {
    QFETCH(QStringList, setup);
    QFETCH(QString, thresholds);
    QFETCH(QStringList, cells);
    QFETCH(QString, expected);
    QFETCH(int, unread);
    StudentTable t;
    fillStudent(t, cells);
    const ViewpointRun run = ApplyViewpoints(t, setupOf(setup, thresholds), {});
    QCOMPARE(run.refusal, QString());
    QCOMPARE(run.unreadCells, unread);
    QCOMPARE(run.appendedColumns, kResults);
    QCOMPARE(t.rowTexts(0).mid(3 + cells.size()), ViewpointResultTitles());
    QCOMPARE(resultsOf(t, 1), expected);
  }

  // Each combination in every order of its letters, by the default table and
  // by one whose neighbouring entries all differ.
  void conversion_data() {
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("byDefault");
    QTest::addColumn<QString>("byOther");
    const char* defaults[] = {"5", "4", "4", "3", "3", "3", "3", "2", "2", "1"};
    for (int i = 0; i < kCombinations; ++i)
      QTest::newRow(qPrintable(LetterCombinations()[i]))
          << LetterCombinations()[i] << QString::fromLatin1(defaults[i]) << QString::number(1 + i % 5);
    QTest::newRow("an empty letter") << "AA"
                                     << ""
                                     << "";
    QTest::newRow("not a letter") << "ABD"
                                  << ""
                                  << "";
  }
  void conversion() {
    QFETCH(QString, letters);
    QFETCH(QString, byDefault);
    QFETCH(QString, byOther);
    ViewpointSetup other;
    for (int i = 0; i < kCombinations; ++i) other.conversion[i] = 1 + i % 5;
    QString order = letters;
    std::sort(order.begin(), order.end());
    do {
      const std::array<QString, kViewpoints> three{order.mid(0, 1), order.mid(1, 1), order.mid(2, 1)};
      QCOMPARE(GradeOf(three, ViewpointSetup{}), byDefault);
      QCOMPARE(GradeOf(three, other), byOther);
    } while (std::next_permutation(order.begin(), order.end()));
  }

  // The subject file computed by hand; a second run overwrites the same
  // columns and keeps what was typed by hand.
  void subjectFile() {
    StudentTable t;
    FillTable(t, kSubjectFile);
    const ViewpointSetup setup = setupOf(kSubjectSetup);
    const ViewpointRun run = ApplyViewpoints(t, setup, {});
    QCOMPARE(run.refusal, QString());
    QCOMPARE(run.unreadCells, 1);  // 井上's 小3
    QCOMPARE(t.cols(), 13);
    const QStringList expected{
        "ABA 4",  // K (85 + 18) / 120 = 85.8 %, T 86 / 110 = 78.2 %, M (18 + 10) / 30 = 93.3 %
        "BAB 4",  // K 80 / 120 = 66.7 %, T 10 / 10 (期末 empty), M 6 / 10 (小3 not read)
        "BCC 2",  // K 48 / 120 = 40 % exactly, T 32 / 110, M 8 / 30
        "AAA 5",  // K 96 / 120 = 80 % exactly, T 98 / 110, M 30 / 30
        "CCC 1",  // K 26 / 120, T 26 / 110, M 7 / 30
        "--A ",   // only 提出物: M 8 / 10
    };
    for (int r = 1; r <= 6; ++r) QCOMPARE(resultsOf(t, r), expected[r - 1]);

    HandMarks marks;
    QVERIFY(!ApplyHandChange(t, 1, 12, QStringLiteral("５"), setup, marks));
    QVERIFY(!ApplyHandChange(t, 5, 9, QStringLiteral("ｂ"), setup, marks));
    QCOMPARE(resultsOf(t, 5), QStringLiteral("BCC 2"));  // an unmarked 評定 follows at once
    const Rows typed = Cells(t);
    const ViewpointRun again = ApplyViewpoints(t, setup, marks);
    QCOMPARE(again.appendedColumns, 0);
    QCOMPARE(Cells(t), typed);
    QCOMPARE(resultsOf(t, 1), QStringLiteral("ABA 5"));
    QCOMPARE(MarkedCells(t, marks), (QList<std::pair<int, int>>{{1, 12}, {5, 9}}));
    // Recomputed when the marks are let go.
    ApplyViewpoints(t, setup, {});
    QCOMPARE(resultsOf(t, 1), expected[0]);
    QCOMPARE(resultsOf(t, 5), expected[4]);
  }

  // Refused with a reason, the table untouched.
  void refusals_data() {
    QTest::addColumn<int>("dataColumns");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("thresholds");
    QTest::addColumn<QString>("refusal");  // a part of it; empty: computed
    const QStringList each{"K 100 1", "T 100 1", "M 100 1"};
    QTest::newRow("a viewpoint without a column") << 3 << QStringList{"K 100 1", "T 100 1", "- 100 1"} << "80 40"
                                                  << "「主体的に学習に取り組む態度」に割り当てた列がありません。";
    QTest::newRow("no column at all") << 3 << QStringList{} << "80 40"
                                      << "「知識・技能」「思考・判断・表現」「主体的に学習に取り組む態度」に";
    QTest::newRow("full marks 0") << 3 << QStringList{"K 0 1", "T 100 1", "M 100 1"} << "80 40"
                                  << "「テ1」の満点「0」は正の数ではありません。";
    QTest::newRow("full marks negative") << 3 << QStringList{"K 100 1", "T -5 1", "M 100 1"} << "80 40"
                                         << "「テ2」の満点「-5」";
    QTest::newRow("full marks text") << 3 << QStringList{"K 100 1", "T 100 1", "M 百 1"} << "80 40"
                                     << "「テ3」の満点「百」";
    QTest::newRow("full marks 10000") << 3 << QStringList{"K 10000 1", "T 100 1", "M 100 1"} << "80 40"
                                      << "の満点「10000」";
    QTest::newRow("weight 0") << 3 << QStringList{"K 100 0", "T 100 1", "M 100 1"} << "80 40"
                              << "の重み「0」は使えません";
    QTest::newRow("weight over 100") << 3 << QStringList{"K 100 100.001", "T 100 1", "M 100 1"} << "80 40"
                                     << "の重み「100.001」";
    QTest::newRow("B above A") << 3 << each << "40 80"
                               << "Bの基準（80％）がAの基準（40％）より高くなっています。";
    QTest::newRow("A over 100") << 3 << each << "101 40"
                                << "Aの基準「101」は0から100までの数";
    QTest::newRow("B not a number") << 3 << each << "80 四十"
                                    << "Bの基準「四十」";
    QTest::newRow("16 data columns and the results make 23") << 16 << each << "80 40"
                                                             << "";
    QTest::newRow("17 data columns pass 23") << 17 << each << "80 40"
                                             << "表が24列になり、保存できる23列を超えます。";
    QTest::newRow("20 data columns pass 23") << 20 << each << "80 40"
                                             << "表が27列になり";
  }
  void refusals() {
    QFETCH(int, dataColumns);
    QFETCH(QStringList, setup);
    QFETCH(QString, thresholds);
    QFETCH(QString, refusal);
    StudentTable t;
    fillStudent(t, QStringList(dataColumns, QStringLiteral("50")));
    const Rows before = Cells(t);
    const ViewpointRun run = ApplyViewpoints(t, setupOf(setup, thresholds), {});
    if (refusal.isEmpty()) {
      QCOMPARE(run.refusal, QString());
      QCOMPARE(t.cols(), 23);
      return;
    }
    QVERIFY2(run.refusal.contains(refusal), qPrintable(run.refusal));
    QCOMPARE(Cells(t), before);
  }

  // What may be typed over a result cell, and where.
  void handChanges_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");  // results of row 1; empty: refused
    // One student, 80 / 50 / 30 in K, T, M: "ABC 3" before any change; results in columns 6 to 9.
    QTest::newRow("full-width letter") << 1 << 6 << "Ｃ"
                                       << "CBC 2";
    QTest::newRow("small letter, blanks") << 1 << 7 << " a "
                                          << "AAC 3";
    QTest::newRow("emptied letter empties 評定") << 1 << 8 << ""
                                                 << "AB- ";
    QTest::newRow("full-width 評定") << 1 << 9 << "５"
                                     << "ABC 5";
    QTest::newRow("not a letter") << 1 << 6 << "D"
                                  << "";
    QTest::newRow("評定 6") << 1 << 9 << "6"
                            << "";
    QTest::newRow("評定 as a letter") << 1 << 9 << "A"
                                      << "";
    QTest::newRow("a score column") << 1 << 3 << "A"
                                    << "";
    QTest::newRow("the title row") << 0 << 6 << "A"
                                   << "";
    QTest::newRow("below the table") << 2 << 6 << "A"
                                     << "";
  }
  void handChanges() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    StudentTable t;
    fillStudent(t, {"80", "50", "30"});
    const ViewpointSetup setup = setupOf({"K 100 1", "T 100 1", "M 100 1"});
    ApplyViewpoints(t, setup, {});
    const Rows before = Cells(t);
    HandMarks marks;
    const auto refusal = ApplyHandChange(t, row, col, typed, setup, marks);
    if (expected.isEmpty()) {
      QVERIFY(refusal.has_value());
      QCOMPARE(Cells(t), before);
      QVERIFY(marks.empty());
      return;
    }
    QVERIFY(!refusal);
    QCOMPARE(resultsOf(t, 1), expected);
    QCOMPARE(MarkedCells(t, marks), (QList<std::pair<int, int>>{{1, col}}));
  }

  // The settings file beside the data file reads back as written; one that
  // is not of its form is refused whole.
  void settings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("usable");
    QTest::newRow("empty object: all defaults") << QByteArray("{}") << true;
    QTest::newRow("not JSON") << QByteArray("viewpoint=1") << false;
    QTest::newRow("a column beyond 23") << QByteArray(R"({"columns":[{"column":23,"viewpoint":"なし"}]})") << false;
    QTest::newRow("an unknown viewpoint") << QByteArray(R"({"columns":[{"column":3,"viewpoint":"知識"}]})") << false;
    QTest::newRow("full marks as a number")
        << QByteArray(R"({"columns":[{"column":3,"viewpoint":"なし","fullMarks":5}]})") << false;
    QTest::newRow("a grade of 6") << QByteArray(R"({"conversion":{"AAA":6}})") << false;
    QTest::newRow("an unknown combination") << QByteArray(R"({"conversion":{"AAD":3}})") << false;
    QTest::newRow("a mark of an unknown column") << QByteArray(R"({"handChanged":[{"result":"合計"}]})") << false;
  }
  void settings() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, usable);
    QTemporaryDir dir;
    const QString dataFile = dir.filePath(QStringLiteral("数学.DAT"));
    QCOMPARE(ViewpointSettingsPath(dataFile), dir.filePath(QStringLiteral("数学.kanten.json")));
    QCOMPARE(ViewpointSettingsPath(QStringLiteral("/a/数学")), QStringLiteral("/a/数学.kanten.json"));
    QVERIFY(!ReadViewpointSettings(dataFile).record);
    QCOMPARE(ReadViewpointSettings(dataFile).problem, QString());

    ViewpointRecord written{setupOf(kSubjectSetup, QStringLiteral("75.5 35")), {{"1", "2", 3}, {"2", "10", 0}}};
    written.setup.conversion[4] = 2;
    written.setup.columns[9] = {Viewpoint::None, QStringLiteral("100"), QStringLiteral("1")};  // nothing to keep
    QVERIFY(!WriteViewpointSettings(dataFile, written));
    const SettingsRead back = ReadViewpointSettings(dataFile);
    QVERIFY(back.record);
    QCOMPARE(EncodeViewpointSettings(*back.record), EncodeViewpointSettings(written));
    QCOMPARE(back.record->setup.columns.size(), size_t(6));
    QCOMPARE(back.record->marks.size(), size_t(2));
    QCOMPARE(back.record->setup.conversion, written.setup.conversion);

    QVERIFY(testing::WriteBytes(ViewpointSettingsPath(dataFile), bytes));
    const SettingsRead read = ReadViewpointSettings(dataFile);
    QCOMPARE(read.record.has_value(), usable);
    QCOMPARE(read.problem.isEmpty(), usable);
    if (usable) QCOMPARE(EncodeViewpointSettings(*read.record), EncodeViewpointSettings({}));
  }
};

QTEST_GUILESS_MAIN(ViewpointsTest)
#include "viewpoints_test.moc"
