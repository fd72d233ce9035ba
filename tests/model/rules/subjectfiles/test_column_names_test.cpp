#include "model/rules/subjectfiles/test_column_names.h"
#include "model/ports/scripted_dialogs.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using namespace gakunen::subjectfiles;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;

namespace {

// 組, 番, 生徒氏名 and `tests` test columns titled テ1, テ2, ...
void fillTests(StudentTable& t, int tests) {
  QStringList titles{"組", "番", "生徒氏名"};
  QStringList row{"1", "1", "生徒"};
  for (int k = 1; k <= tests; ++k) {
    titles << QStringLiteral("テ%1").arg(k);
    row << QString::number(k * 10);
  }
  FillTable(t, Rows{titles, row});
}

QStringList titles(const StudentTable& t) { return t.rowTexts(0); }

const QString kCancel = QStringLiteral("<cancel>");

}  // namespace

class TestColumnNamesTest : public QObject {
  Q_OBJECT
 private slots:
  // Test k is column k + 2; answers naming no test column are refused.
  void readTestNumber_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("expectedColumn");  // -1: refused
    QTest::newRow("first test") << "1" << 4 << 3;
    QTest::newRow("second of two") << "2" << 5 << 4;
    QTest::newRow("third: the first quiz") << "3" << 7 << 5;
    QTest::newRow("blanks and full-width digits") << " ２ " << 5 << 4;
    QTest::newRow("a half rounds to even") << "2.5" << 6 << 4;
    QTest::newRow("beyond the table") << "2" << 4 << -1;
    QTest::newRow("zero") << "0" << 6 << -1;
    QTest::newRow("negative") << "-1" << 6 << -1;
    QTest::newRow("kanji numeral") << "二" << 6 << -1;
    QTest::newRow("text") << "中間" << 6 << -1;
    QTest::newRow("roster has no tests") << "1" << 3 << -1;
    QTest::newRow("twentieth test of 23 columns") << "20" << 23 << 22;
    QTest::newRow("beyond the twenty names") << "21" << 24 << -1;
  }
  void readTestNumber() {
    QFETCH(QString, answer);
    QFETCH(int, columns);
    QFETCH(int, expectedColumn);
    const TestNumberChoice choice = ReadTestNumber(answer, columns);
    if (expectedColumn < 0) {
      QVERIFY(!choice.ok());
      QVERIFY(!choice.refusal.isEmpty());
      return;
    }
    QVERIFY2(choice.ok(), qPrintable(choice.refusal));
    QCOMPARE(choice.column, expectedColumn);
    QCOMPARE(choice.test, expectedColumn - 2);
  }

  // A title beginning with a number above 0 would end the header there when
  // the file is read again; kanji numerals and a leading 0 do not.
  void checkTestName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("kanji") << "中間" << true;
    QTest::newRow("kanji numeral") << "二学期" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("leading zero") << "0回" << true;
    QTest::newRow("full-width digit") << "２学期" << true;
    QTest::newRow("digit") << "2学期" << false;
    QTest::newRow("blank then digit") << " 1回" << false;
  }
  void checkTestName() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(!CheckTestName(name).has_value(), accepted);
  }

  // The whole question sequence, with the two screens' treatment of an empty name.
  void renameSequence_data() {
    QTest::addColumn<QStringList>("answers");  // kCancel: the box cancelled
    QTest::addColumn<bool>("clearsOnEmpty");
    QTest::addColumn<QStringList>("expectedTitles");
    QTest::addColumn<int>("expectedMessages");
    QTest::addColumn<QString>("expectedName");  // TestNames[k - 1]

    using A = QStringList;
    const QStringList unchanged{"組", "番", "生徒氏名", "テ1", "テ2"};
    QTest::newRow("named") << A{"2", "中間"} << false << QStringList{"組", "番", "生徒氏名", "テ1", "中間"} << 2
                           << "中間";
    QTest::newRow("empty name keeps the title") << A{"1", ""} << false << unchanged << 2 << "";
    QTest::newRow("empty name clears the title (quizzes)")
        << A{"1", ""} << true << QStringList{"組", "番", "生徒氏名", "", "テ2"} << 2 << "";
    QTest::newRow("cancelled number") << A{kCancel} << false << unchanged << 0 << "";
    QTest::newRow("cancelled name, quizzes")
        << A{"2", kCancel} << true << QStringList{"組", "番", "生徒氏名", "テ1", ""} << 2 << "";
    QTest::newRow("number beyond the tests: refused, no advice") << A{"3"} << true << unchanged << 1 << "";
    QTest::newRow("not a number") << A{"abc"} << false << unchanged << 1 << "";
    QTest::newRow("name starting with a digit") << A{"1", "3学期"} << true << unchanged << 3 << "";
  }
  void renameSequence() {
    QFETCH(QStringList, answers);
    QFETCH(bool, clearsOnEmpty);
    QFETCH(QStringList, expectedTitles);
    QFETCH(int, expectedMessages);
    QFETCH(QString, expectedName);

    ScriptedDialogs dialogs;
    for (const QString& a : answers) a == kCancel ? dialogs.queueAnswerCancel() : dialogs.queueAnswer(a);
    StudentTable t;
    fillTests(t, 2);
    QStringList names{"残り"};
    RenameTestColumn(dialogs, t, names, clearsOnEmpty ? EmptyTestName::ClearTitle : EmptyTestName::KeepTitle);

    QCOMPARE(titles(t), expectedTitles);
    QCOMPARE(dialogs.messages().size(), expectedMessages);
    if (expectedMessages >= 2) {
      QCOMPARE(dialogs.messages()[0].text, QStringLiteral("2文字で入力してください。"));
      QCOMPARE(dialogs.messages()[1].text, QStringLiteral("漢数字を使用してください。"));
    }
    QCOMPARE(dialogs.pendingAnswers(), 0);
    QVERIFY(!dialogs.hasFailure());
    // Emptied at every use, then the name just given at index k - 1.
    QCOMPARE(names.size(), kTestNameSlots);
    const int k = answers.isEmpty() ? 0 : answers[0].toInt();
    for (int i = 0; i < names.size(); ++i) QCOMPARE(names[i], i == k - 1 ? expectedName : QString());
    // The prompt for the name carries the test number.
    if (expectedMessages >= 2)
      QCOMPARE(dialogs.prompts().last().prompt,
               QString::number(k) + QStringLiteral("番目のテストの名前を入力してください。"));
  }
};

QTEST_MAIN(TestColumnNamesTest)
#include "test_column_names_test.moc"
