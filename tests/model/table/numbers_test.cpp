#include "model/table/numbers.h"

#include <QTest>

using namespace gakunen;

class NumbersTest : public QObject {
  Q_OBJECT
 private slots:
  void textValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "12" << 12.0;
    QTest::newRow("leading blank") << " 7" << 7.0;
    QTest::newRow("kanji numeral") << "一" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("digit then kanji") << "3組" << 3.0;
    QTest::newRow("blank inside") << "1 2" << 12.0;
    QTest::newRow("tab and line feed inside") << "\t4\n5" << 45.0;
    QTest::newRow("title") << "生徒氏名" << 0.0;
    QTest::newRow("score with unit") << "85点" << 85.0;
    QTest::newRow("decimal") << "64.25" << 64.25;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus") << "+8" << 8.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent not read") << "1e3" << 1.0;
    QTest::newRow("full-width digits") << "８５" << 0.0;
    QTest::newRow("carriage return not skipped") << "\r5" << 0.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex 16-bit wraps") << "&HFFFF" << -1.0;
    QTest::newRow("hex long") << "&H10000" << 65536.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("ampersand other") << "&X1" << 0.0;
    QTest::newRow("zero text") << "0" << 0.0;
    QTest::newRow("leading zero") << "03" << 3.0;
  }
  void textValue() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(TextValue(text), value);
  }

  void readsAsNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::newRow("integer") << "85" << true;
    QTest::newRow("decimal") << "83.3" << true;
    QTest::newRow("average pattern below one") << ".5" << true;
    QTest::newRow("blanks around") << " 12 " << true;
    QTest::newRow("negative") << "-4" << true;
    QTest::newRow("exponent") << "1E3" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << " " << false;
    QTest::newRow("unit") << "85点" << false;
    QTest::newRow("name") << "山田" << false;
    QTest::newRow("full-width") << "８５" << false;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("sign alone") << "+" << false;
  }
  void readsAsNumber() {
    QFETCH(QString, text);
    QFETCH(bool, number);
    QCOMPARE(ReadsAsNumber(text), number);
  }

  void formatAverage_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 75.0 << "75.0";
    QTest::newRow("zero") << 0.0 << ".0";
    QTest::newRow("below one") << 0.5 << ".5";
    QTest::newRow("thirds") << 250.0 / 3 << "83.3";
    QTest::newRow("hundred") << 100.0 << "100.0";
    QTest::newRow("half up in decimal") << 64.25 << "64.3";
    QTest::newRow("binary below half") << 0.15 << ".2";
    QTest::newRow("sum over twenty") << 1285.0 / 20 << "64.3";
    QTest::newRow("odd quotient") << 1001.0 / 20 << "50.1";
    QTest::newRow("carry") << 99.95 << "100.0";
    QTest::newRow("small") << 0.04 << ".0";
    QTest::newRow("small half") << 0.05 << ".1";
    QTest::newRow("negative") << -2.25 << "-2.3";
    QTest::newRow("large") << 12345.67 << "12345.7";
  }
  void formatAverage() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatAverage(value), text);
  }

  void formatGeneral_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 450.0 << "450";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("fraction") << 140.5 << "140.5";
    QTest::newRow("fifteen digits") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("negative") << -12.0 << "-12";
    QTest::newRow("1e15, no exponent") << 1e15 << "1000000000000000";
    QTest::newRow("1e20, no exponent") << 1e20 << "100000000000000000000";
    QTest::newRow("huge negative sum") << -2.5e22 << "-25000000000000000000000";
    QTest::newRow("beyond 15 digits, rounded") << 1234567890123456789.0 << "1234567890123460000";
    QTest::newRow("tiny fraction") << 1.5e-7 << "0.00000015";
    QTest::newRow("large with a fraction") << 123456789012.25 << "123456789012.25";
  }
  // Whatever the size, the text reads back as the value it shows.
  void formatGeneral() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatGeneral(value), text);
    QCOMPARE(TextValue(text), std::stod(text.toStdString()));
  }

  void readWholeAnswer_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "3" << true << 3;
    QTest::newRow("blanks") << " 30 " << true << 30;
    QTest::newRow("half to even down") << "2.5" << true << 2;
    QTest::newRow("half to even up") << "1.5" << true << 2;
    QTest::newRow("fraction") << "2.6" << true << 3;
    QTest::newRow("full-width digits") << "３１" << true << 31;
    QTest::newRow("full-width blank") << "　５" << true << 5;
    QTest::newRow("negative") << "-1" << true << -1;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("text") << "三" << false << 0;
    QTest::newRow("unit") << "5組" << false << 0;
    QTest::newRow("exponent") << "1e3" << false << 0;
    QTest::newRow("too large") << "40000" << false << 0;
  }
  void readWholeAnswer() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto answer = ReadWholeAnswer(text);
    QCOMPARE(answer.has_value(), valid);
    if (valid) QCOMPARE(*answer, value);
  }

  void roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("2.4") << 2.4 << 2.0;
  }
  void roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
  }
};

QTEST_GUILESS_MAIN(NumbersTest)
#include "numbers_test.moc"
