#include "model/files/spreadsheet_import.h"
#include "model/files/data_file.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace gakunen;
using namespace gakunen::spreadsheet;
using gakunen::testing::Cells;
using gakunen::testing::Cp932;
using gakunen::testing::FillTable;
using gakunen::testing::ReadBytes;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;
using gakunen::testing::WriteBytes;

namespace {

const Rows kRoster{
    {"組", "番", "生徒氏名", "国語"},
    {"1", "1", "髙橋　一郎", "80"},
    {"1", "2", "山﨑　花子", ""},
    {"2", "1", "佐藤　さくら", "75"},
};

QString csv(const Rows& rows, const QString& lineEnd = QStringLiteral("\r\n")) {
  QStringList lines;
  for (const QStringList& r : rows) lines << r.join(u',');
  return lines.join(lineEnd) + lineEnd;
}

}  // namespace

class SpreadsheetImportTest : public QObject {
  Q_OBJECT
 private slots:
  // The same table whatever the encoding and line ends a spreadsheet chose.
  void encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString plain = csv(kRoster);
    QTest::newRow("code page 932") << Cp932(plain);
    QTest::newRow("code page 932, quoted") << gakunen::testing::EncodeCp932(kRoster);
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbf") + plain.toUtf8();
    QTest::newRow("UTF-8 without mark") << plain.toUtf8();
    QTest::newRow("LF line ends") << csv(kRoster, QStringLiteral("\n")).toUtf8();
    QString noFinal = plain;
    noFinal.chop(2);
    QTest::newRow("no line end after the last line") << Cp932(noFinal);
    QTest::newRow("blank lines at the end") << Cp932(plain + QStringLiteral("\r\n\r\n  \r\n"));
    QTest::newRow("blanks around bare fields") << Cp932(
        QStringLiteral("組 , 番,生徒氏名,国語\r\n1,1, 髙橋　一郎,80\r\n 1,2,山﨑　花子,\r\n2,1,佐藤　さくら , 75\r\n"));
  }
  void encodings() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roster.csv"));
    QVERIFY(WriteBytes(path, bytes));
    TestHost host;
    SharedState state;
    const auto failure = ImportSpreadsheet(state, host, path);
    QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
    QCOMPARE(Cells(host.table()), kRoster);
    QCOMPARE(state.ColumnCount, 4);
    QCOMPARE(state.RowCount, 4);
    QCOMPARE(host.table().fixedCols(), 2);
    QCOMPARE(host.table().colWidth(2), 1300);
    QVERIFY(!host.table().isModified());
  }

  // Imported and saved: the data file holds the table in code page 932,
  // every field quoted, and reads back the same.
  void savedAsDataFile() {
    QTemporaryDir dir;
    const QString csvPath = dir.filePath(QStringLiteral("roster.csv"));
    QVERIFY(
        WriteBytes(csvPath, QByteArray("\xef\xbb\xbf") +
                                QStringLiteral("組,番,生徒氏名,備考\r\n1,1,髙橋　一郎,\"欠席,遅刻\"\r\n").toUtf8()));
    TestHost host;
    SharedState state;
    QVERIFY(!ImportSpreadsheet(state, host, csvPath));
    const QString datPath = dir.filePath(QStringLiteral("roster"));
    QVERIFY(!WriteTableToFile(state, host, datPath));
    QCOMPARE(
        ReadBytes(datPath),
        Cp932(QStringLiteral("\"組\",\"番\",\"生徒氏名\",\"備考\"\r\n\"1\",\"1\",\"髙橋　一郎\",\"欠席,遅刻\"\r\n")));
    TestHost again;
    SharedState fresh;
    QVERIFY(!LoadDataFile(fresh, again, datPath));
    QCOMPARE(Cells(again.table()), Cells(host.table()));
  }

  // Lines the data file reader would take apart wrongly are found with their
  // line number; nothing is read then.
  void lineProblems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("titles");
    QTest::addColumn<int>("kind");  // -1: no problem
    QTest::addColumn<int>("line");
    const int count = int(LineProblem::Kind::FieldCount), numeric = int(LineProblem::Kind::NumericTitle),
              afterQuote = int(LineProblem::Kind::TextAfterQuote), unclosed = int(LineProblem::Kind::UnclosedQuote),
              blank = int(LineProblem::Kind::BlankLine);
    QTest::newRow("sound") << "組,番,氏名\r\n1,1,a\r\n1,2,b\r\n" << 3 << -1 << 0;
    QTest::newRow("quoted comma") << "組,番,氏名\r\n1,1,\"a,b\"\r\n" << 3 << -1 << 0;
    QTest::newRow("empty last cell") << "組,番,氏名,国語\r\n1,1,a,\r\n" << 4 << -1 << 0;
    QTest::newRow("blank lines at the end") << "組,番,氏名\r\n1,1,a\r\n\r\n\r\n" << 3 << -1 << 0;
    QTest::newRow("line one field short") << "組,番,氏名\r\n1,1,a\r\n1,2\r\n1,3,c\r\n" << 3 << count << 3;
    QTest::newRow("line one field long") << "組,番,氏名\r\n1,1,a,x\r\n" << 3 << count << 2;
    QTest::newRow("blank line inside") << "組,番,氏名\r\n1,1,a\r\n\r\n1,2,b\r\n" << 3 << blank << 3;
    QTest::newRow("trailing comma on the last line") << "組,番,氏名\r\n1,1,a,\r\n" << 3 << count << 2;
    QTest::newRow("title beginning with a digit") << "組,番,氏名,2学期\r\n1,1,a,5\r\n" << 3 << numeric << 1;
    QTest::newRow("doubled quote inside a cell") << "組,番,氏名\r\n1,1,\"a\"\"b\"\r\n" << 3 << afterQuote << 2;
    QTest::newRow("quote never closed") << "組,番,氏名\r\n1,1,a\r\n1,2,\"b\r\n" << 3 << unclosed << 3;
    QTest::newRow("line break kept in a quoted cell") << "組,番,氏名\r\n1,1,\"a\nb\"\r\n1,2,c,d\r\n" << 3 << count << 4;
  }
  void lineProblems() {
    QFETCH(QString, text);
    QFETCH(int, titles);
    QFETCH(int, kind);
    QFETCH(int, line);
    const auto problem = CheckLineStructure(text, titles);
    QCOMPARE(problem.has_value(), kind >= 0);
    if (!problem) return;
    QCOMPARE(int(problem->kind), kind);
    QCOMPARE(problem->line, line);
    QVERIFY(!problem->message(QStringLiteral("CSVファイル"), {}).isEmpty());
  }

  // A file that cannot be imported leaves the shown table and the counts as they were.
  void refusalKeepsTable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("short line") << Cp932(QStringLiteral("組,番,氏名\r\n1,1,a\r\n1,2\r\n"));
    QTest::newRow("titles only") << Cp932(QStringLiteral("組,番,氏名\r\n"));
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("neither code page 932 nor UTF-8") << QByteArray("\x82\xa0\x81\x20\xff,1\r\n", 8);
    QTest::newRow("24 titles") << Cp932(QStringLiteral("t,").repeated(24) + QStringLiteral("1\r\n"));
  }
  void refusalKeepsTable() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.csv"));
    QVERIFY(WriteBytes(path, bytes));
    TestHost host;
    FillTable(host.table(), kRoster);
    SharedState state;
    state.ColumnCount = 4;
    state.RowCount = 4;
    const auto failure = ImportSpreadsheet(state, host, path);
    QVERIFY(failure.has_value());
    QVERIFY(!failure->isEmpty());
    QCOMPARE(Cells(host.table()), kRoster);
    QCOMPARE(state.ColumnCount, 4);
    QCOMPARE(state.RowCount, 4);
  }

  void missingFile() {
    TestHost host;
    SharedState state;
    QVERIFY(ImportSpreadsheet(state, host, QStringLiteral("/nonexistent/folder/x.csv")).has_value());
    QCOMPARE(host.table().rows(), 0);
  }
};

QTEST_GUILESS_MAIN(SpreadsheetImportTest)
#include "spreadsheet_import_test.moc"
