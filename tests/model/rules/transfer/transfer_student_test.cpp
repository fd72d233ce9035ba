#include "model/rules/transfer/transfer_student.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using gakunen::testing::Cells;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;

namespace {

// A roster from a short plan: "1:1-3,5 2:1-30" is class 1 with numbers 1,
// 2, 3 and 5, then class 2 with 1 to 30. Names are "c-n"; a score column
// follows so that the new row's other cells can be checked.
void fillRoster(TestHost& host, SharedState& state, const QString& plan) {
  Rows rows{{"組", "番", "生徒氏名", "国語"}};
  for (const QString& part : plan.split(u' ', Qt::SkipEmptyParts)) {
    const QString cls = part.section(u':', 0, 0);
    for (const QString& range : part.section(u':', 1).split(u',')) {
      const int first = range.section(u'-', 0, 0).toInt();
      const int last = range.contains(u'-') ? range.section(u'-', 1).toInt() : first;
      for (int n = first; n <= last; ++n)
        rows << QStringList{cls, QString::number(n), cls + u'-' + QString::number(n), QStringLiteral("50")};
    }
  }
  gakunen::testing::FillTable(host.table(), rows);
  gakunen::testing::DescribeTable(state, host.table());
}

int rowOf(const StudentTable& t, const QString& cls, const QString& number) {
  for (int r = 1; r < t.rows(); ++r)
    if (t.text(r, 0) == cls && t.text(r, 1) == number) return r;
  return -1;
}

}  // namespace

class TransferStudentTest : public QObject {
  Q_OBJECT
 private slots:
  // Where the new student lands: after the student `afterName`, or before
  // `beforeName` when there is nobody of the class to follow.
  void placement_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("classText");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("afterName");
    QTest::addColumn<QString>("beforeName");

    QTest::newRow("after the last of class 2") << "1:1-30 2:1-30 3:1-29"
                                               << "2"
                                               << "31"
                                               << "2-30"
                                               << "3-1";
    QTest::newRow("girls from 21") << "1:1-18,21-24 2:1-2"
                                   << "1"
                                   << "25"
                                   << "1-24"
                                   << "2-1";
    QTest::newRow("a boy between the ranges") << "1:1-18,21-38"
                                              << "1"
                                              << "19"
                                              << "1-18"
                                              << "1-21";
    QTest::newRow("into a gap of numbers") << "1:1-3,5-6"
                                           << "1"
                                           << "4"
                                           << "1-3"
                                           << "1-5";
    QTest::newRow("gap wider than one") << "1:1-2,9-10"
                                        << "1"
                                        << "5"
                                        << "1-2"
                                        << "1-9";
    QTest::newRow("number 1 opens the class") << "1:1-3 2:2-4"
                                              << "2"
                                              << "1"
                                              << "1-3"
                                              << "2-2";
    QTest::newRow("number 1 of the first class") << "1:2-3"
                                                 << "1"
                                                 << "1"
                                                 << ""
                                                 << "1-2";
    QTest::newRow("last class, last row") << "1:1-2 2:1-2"
                                          << "2"
                                          << "3"
                                          << "2-2"
                                          << "";
    QTest::newRow("full-width digits") << "1:1-2 2:1-2"
                                       << "２"
                                       << "３"
                                       << "2-2"
                                       << "";
    QTest::newRow("blanks around the answer") << "1:1-2 2:1-2"
                                              << " 1 "
                                              << "3"
                                              << "1-2"
                                              << "2-1";
  }
  void placement() {
    QFETCH(QString, plan);
    QFETCH(QString, classText);
    QFETCH(QString, numberText);
    QFETCH(QString, afterName);
    QFETCH(QString, beforeName);
    TestHost host;
    SharedState state;
    fillRoster(host, state, plan);
    const Rows before = Cells(host.table());
    const int rowCount = state.RowCount;

    const auto refusal = InsertTransferStudent(state, host, classText, numberText, QStringLiteral("転入　太郎"));
    QVERIFY2(!refusal, qPrintable(refusal.value_or(QString())));

    const StudentTable& t = host.table();
    QCOMPARE(state.RowCount, rowCount + 1);
    QCOMPARE(t.rows(), rowCount + 1);
    const int at = state.CurrentRow;
    QCOMPARE(t.rowTexts(at),
             (QStringList{QString::number(classText.trimmed().normalized(QString::NormalizationForm_KC).toInt()),
                          QString::number(numberText.normalized(QString::NormalizationForm_KC).toInt()),
                          QStringLiteral("転入　太郎"), QString()}));
    QCOMPARE(t.text(at - 1, 2), afterName.isEmpty() ? QStringLiteral("生徒氏名") : afterName);
    QCOMPARE(t.text(at + 1, 2), beforeName);
    // Everybody else keeps row contents and order, numbers included.
    Rows after = Cells(t);
    after.removeAt(at);
    QCOMPARE(after, before);
    QVERIFY(host.tableVisible);
    QCOMPARE(state.CurrentForm, static_cast<TableHost*>(&host));
  }

  // Refused students leave the table, RowCount and CurrentRow as they were.
  void refusals_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("classText");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("messagePart");

    QTest::newRow("number already taken") << "1:1-3 2:1-3"
                                          << "2"
                                          << "2"
                                          << "すでに2番";
    QTest::newRow("class without students") << "1:1-3 2:1-3"
                                            << "4"
                                            << "1"
                                            << "4組の生徒は表にいません";
    QTest::newRow("class 0 (blank class cells)") << "1:1-3"
                                                 << "0"
                                                 << "1"
                                                 << "クラス「0」";
    QTest::newRow("class not a number") << "1:1-3"
                                        << "一"
                                        << "1"
                                        << "クラス「一」";
    QTest::newRow("number not a number") << "1:1-3"
                                         << "1"
                                         << "四番"
                                         << "出席番号「四番」";
    QTest::newRow("number 0") << "1:1-3"
                              << "1"
                              << "0"
                              << "出席番号「0」";
    QTest::newRow("negative number") << "1:1-3"
                                     << "1"
                                     << "-4"
                                     << "出席番号「-4」";
    QTest::newRow("number too large") << "1:1-3"
                                      << "1"
                                      << "99999"
                                      << "出席番号「99999」";
  }
  void refusals() {
    QFETCH(QString, plan);
    QFETCH(QString, classText);
    QFETCH(QString, numberText);
    QFETCH(QString, messagePart);
    TestHost host;
    SharedState state;
    fillRoster(host, state, plan);
    state.CurrentRow = 2;
    const Rows before = Cells(host.table());
    const int rowCount = state.RowCount;

    const auto refusal = InsertTransferStudent(state, host, classText, numberText, QStringLiteral("転入生"));
    QVERIFY(refusal);
    QVERIFY2(refusal->contains(messagePart), qPrintable(*refusal));
    QVERIFY(refusal->contains(QStringLiteral("追加しませんでした")));
    QCOMPARE(Cells(host.table()), before);
    QCOMPARE(state.RowCount, rowCount);
    QCOMPARE(state.CurrentRow, 2);
    QVERIFY(host.tableVisible);
  }

  void emptyFieldDoesNothing_data() {
    QTest::addColumn<QString>("classText");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("name");
    QTest::newRow("class") << ""
                           << "4"
                           << "転入生";
    QTest::newRow("number") << "1"
                            << ""
                            << "転入生";
    QTest::newRow("name") << "1"
                          << "4"
                          << "";
  }
  void emptyFieldDoesNothing() {
    QFETCH(QString, classText);
    QFETCH(QString, numberText);
    QFETCH(QString, name);
    TestHost host;
    SharedState state;
    fillRoster(host, state, "1:1-3");
    const Rows before = Cells(host.table());
    QVERIFY(!InsertTransferStudent(state, host, classText, numberText, name));
    QCOMPARE(Cells(host.table()), before);
    QCOMPARE(state.RowCount, 4);
  }

  // The name goes in exactly as typed: blanks, commas, rare kanji.
  void nameKeptAsTyped() {
    TestHost host;
    SharedState state;
    fillRoster(host, state, "1:1-2");
    const QString name = QStringLiteral(" 髙橋, 﨑子 ");
    QVERIFY(!InsertTransferStudent(state, host, "1", "3", name));
    QCOMPARE(host.table().text(rowOf(host.table(), "1", "3"), 2), name);
  }

  // A file keeps 998 students when it is opened again: a 999th would be
  // saved and then lost, so the table refuses him.
  void fullTableRefuses() {
    TestHost host;
    SharedState state;
    fillRoster(host, state, "1:1-500 2:1-498");
    QCOMPARE(state.RowCount, 999);
    const auto refusal = InsertTransferStudent(state, host, "2", "499", "転入生");
    QVERIFY(refusal);
    QVERIFY(refusal->contains(QStringLiteral("998")));
    QCOMPARE(host.table().rows(), 999);

    host.table().removeRow(998);
    state.RowCount = 998;
    QVERIFY(!InsertTransferStudent(state, host, "2", "498", "転入生"));
    QCOMPARE(state.RowCount, 999);
  }

  // Rows below RowCount (totals a screen appended) are not part of any class.
  void rowsPastRowCountIgnored() {
    TestHost host;
    SharedState state;
    fillRoster(host, state, "1:1-2 2:1-2");
    host.table().insertRow(host.table().rows(), {"2", "3", "合計"});
    QVERIFY(!InsertTransferStudent(state, host, "2", "3", "転入生"));
    QCOMPARE(state.CurrentRow, 5);
    QCOMPARE(host.table().text(6, 2), QStringLiteral("合計"));
  }
};

QTEST_GUILESS_MAIN(TransferStudentTest)
#include "transfer_student_test.moc"
