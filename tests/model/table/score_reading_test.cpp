#include "model/table/score_reading.h"
#include "model/rules/scores/score_operations.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;

Q_DECLARE_METATYPE(gakunen::ScoreReading)

class ScoreReadingTest : public QObject {
  Q_OBJECT
 private slots:
  // A cell reads as a score when empty or when it begins, by the rule
  // totals read it with, with a number from 0 to 100.
  void reading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<ScoreReading>("reading");
    QTest::addColumn<QString>("note");
    const QString zero = QStringLiteral("点数として読めません。集計では0点として数えます。");
    QTest::newRow("empty") << "" << ScoreReading::Score << "";
    QTest::newRow("0") << "0" << ScoreReading::Score << "";
    QTest::newRow("100") << "100" << ScoreReading::Score << "";
    QTest::newRow("85 with 点") << "85点" << ScoreReading::Score << "";
    QTest::newRow("blanks around") << " 7 " << ScoreReading::Score << "";
    QTest::newRow("hexadecimal") << "&H10" << ScoreReading::Score << "";
    QTest::newRow("word") << "abc" << ScoreReading::NotANumber << zero;
    QTest::newRow("blank only") << " " << ScoreReading::NotANumber << zero;
    QTest::newRow("欠") << "欠" << ScoreReading::NotANumber << zero;
    QTest::newRow("&H without digits") << "&Hz" << ScoreReading::NotANumber << zero;
    QTest::newRow("full-width digits") << "８５" << ScoreReading::NotANumber
                                       << QStringLiteral(
                                              "全角の数字は点数として読めません。集計では0点として数えます。");
    QTest::newRow("just over") << "100.5" << ScoreReading::OffScale
                               << QStringLiteral("0～100点の範囲外です。集計では100.5点として数えます。");
    QTest::newRow("far over") << "27098" << ScoreReading::OffScale
                              << QStringLiteral("0～100点の範囲外です。集計では27098点として数えます。");
    QTest::newRow("negative") << "-1" << ScoreReading::OffScale
                              << QStringLiteral("0～100点の範囲外です。集計では-1点として数えます。");
  }
  void reading() {
    QFETCH(QString, text);
    QFETCH(ScoreReading, reading);
    QFETCH(QString, note);
    QCOMPARE(ReadScore(text), reading);
    QCOMPARE(ScoreNote(text), note);
  }

  void halfWidthDigits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("nothing to change") << "85点"
                                       << "85点";
    QTest::newRow("one digit") << "０"
                               << "0";
    QTest::newRow("every digit, other letters kept") << "０１２３４５６７８９．５Ａ"
                                                     << "0123456789．5Ａ";
  }
  void halfWidthDigits() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(HalfWidthDigits(typed), stored);
  }

  // The marked cells and the count after "集計" cover the subjects of the
  // students only: never the totals, nor the figures below the students.
  void scoreCellsAndCountedAsZero_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("countedAsZero");
    QTest::addColumn<QList<QPoint>>("marked");  // (column, row) of every score cell with a note
    QTest::newRow("one student, one word")
        << Rows{{"組", "番", "生徒氏名", "国語", "合計"}, {"1", "1", "青木", "abc", "0"}} << 1 << QList<QPoint>{{3, 1}};
    QTest::newRow("over the scale is counted, not zero")
        << Rows{{"組", "番", "生徒氏名", "国語", "数学", "合計"}, {"1", "1", "青木", "150", "８５", "150"}} << 1
        << QList<QPoint>{{3, 1}, {4, 1}};
    QTest::newRow("not totalled yet: nothing counted")
        << Rows{{"組", "番", "生徒氏名", "国語"}, {"1", "1", "青木", "x"}} << 0 << QList<QPoint>{{3, 1}};
    Rows many{{"組", "番", "生徒氏名", "国語", "数学", "合計"}};
    QList<QPoint> marks;
    for (int i = 1; i <= 40; ++i) {
      const bool word = i % 4 == 0;
      many << QStringList{QString::number(1 + i / 20), QString::number(i), "生徒", word ? "欠" : "50", "60", "999"};
      if (word) marks << QPoint(3, i);
    }
    many << QStringList{"", "", "合計", "", "5000", ""};  // a figure row under the students
    QTest::newRow("a year-group, totals and figures unmarked") << many << 10 << marks;
  }
  void scoreCellsAndCountedAsZero() {
    QFETCH(Rows, rows);
    QFETCH(int, countedAsZero);
    QFETCH(QList<QPoint>, marked);
    StudentTable table;
    FillTable(table, rows);
    QCOMPARE(CountedAsZero(table), countedAsZero);
    QList<QPoint> found;
    for (int r = 0; r < table.rows(); ++r)
      for (int c = 0; c < table.cols(); ++c)
        if (IsScoreCell(table, r, c) && !ScoreNote(table.text(r, c)).isEmpty()) found << QPoint(c, r);
    QCOMPARE(found, marked);
  }
};

QTEST_MAIN(ScoreReadingTest)
#include "score_reading_test.moc"
