#include "model/rules/subjectfiles/subject_columns.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace gakunen;
using namespace gakunen::subjectfiles;
using gakunen::testing::Cells;
using gakunen::testing::EncodeCp932;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;
using gakunen::testing::WriteBytes;

namespace {

// A test table with the given titles after 組, 番, 生徒氏名; each score cell
// names its row and column so that a copy from the wrong place shows.
Rows testRows(const QStringList& subjects, int students) {
  Rows rows{QStringList{"組", "番", "生徒氏名"} + subjects};
  for (int s = 1; s <= students; ++s) {
    QStringList row{QString::number(1 + (s - 1) / 3), QString::number(1 + (s - 1) % 3),
                    QStringLiteral("生徒%1").arg(s)};
    for (int c = 0; c < subjects.size(); ++c) row << QStringLiteral("%1-%2").arg(s).arg(c + 3);
    rows << row;
  }
  return rows;
}

QStringList column(const StudentTable& t, int c) {
  QStringList out;
  for (int r = 0; r < t.rows(); ++r) out << t.text(r, c);
  return out;
}

}  // namespace

class SubjectColumnsTest : public QObject {
  Q_OBJECT
 private slots:
  void findSubjectColumn_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<int>("expected");
    QTest::newRow("one match") << QStringList{"組", "番", "生徒氏名", "国語", "数学", "合計"} << "数学" << 4;
    QTest::newRow("two matches: the right-hand one")
        << QStringList{"組", "番", "生徒氏名", "英語", "数学", "英語", "合計"} << "英語" << 5;
    QTest::newRow("none") << QStringList{"組", "番", "生徒氏名", "国語", "数学"} << "理科" << -1;
    QTest::newRow("exact titles only") << QStringList{"組", "番", "生徒氏名", "数学一", " 数学", "数学 "} << "数学"
                                       << -1;
    QTest::newRow("roster columns are never a source") << QStringList{"国語", "番", "国語", "社会"} << "国語" << -1;
    QTest::newRow("roster only") << QStringList{"組", "番", "生徒氏名"} << "国語" << -1;
  }
  void findSubjectColumn() {
    QFETCH(QStringList, titles);
    QFETCH(QString, subject);
    QFETCH(int, expected);
    StudentTable t;
    FillTable(t, Rows{titles, QStringList(titles.size(), QStringLiteral("1"))});
    QCOMPARE(FindSubjectColumn(t, subject), expected);
  }

  // The subject table: roster columns, the chosen column with its title, the
  // test file's row order and count, widths 300/300/1000/500.
  void buildSubjectTable() {
    const Rows rows = testRows({"国語", "数学", "合計"}, 7);
    StudentTable source;
    FillTable(source, rows);
    StudentTable target;
    FillTable(target, testRows({"前", "の", "表", "で", "す"}, 20));  // an earlier, larger table
    BuildSubjectTable(source, 4, target);
    QCOMPARE(target.rows(), 8);
    QCOMPARE(target.cols(), 4);
    for (int r = 0; r < 8; ++r) {
      QCOMPARE(target.rowTexts(r).mid(0, 3), rows[r].mid(0, 3));
      QCOMPARE(target.text(r, 3), rows[r][4]);
    }
    QCOMPARE(target.colWidth(0), 300);
    QCOMPARE(target.colWidth(1), 300);
    QCOMPARE(target.colWidth(2), 1000);
    QCOMPARE(target.colWidth(3), 500);
  }

  // Rows paired by position; the subject table keeps every row and nothing is
  // written past its last row.
  void appendTestColumn_data() {
    QTest::addColumn<int>("subjectStudents");
    QTest::addColumn<int>("extractStudents");
    QTest::newRow("same count") << 6 << 6;
    QTest::newRow("other test shorter") << 6 << 4;
    QTest::newRow("other test longer") << 6 << 9;
    QTest::newRow("other test has only titles") << 3 << 0;
  }
  void appendTestColumn() {
    QFETCH(int, subjectStudents);
    QFETCH(int, extractStudents);
    StudentTable subject;
    FillTable(subject, testRows({"国語"}, subjectStudents));
    const Rows before = Cells(subject);
    StudentTable extract;
    FillTable(extract, testRows({"国語"}, extractStudents));
    for (int r = 1; r < extract.rows(); ++r) extract.setText(r, 3, QStringLiteral("x%1").arg(r));

    QCOMPARE(AppendTestColumn(subject, extract), 4);
    QCOMPARE(subject.rows(), subjectStudents + 1);
    QCOMPARE(subject.cols(), 5);
    QCOMPARE(subject.colWidth(4), 500);
    QStringList expected{QString()};  // the title is left for 列名変更
    for (int r = 1; r <= subjectStudents; ++r) expected << (r <= extractStudents ? QStringLiteral("x%1").arg(r) : "");
    QCOMPARE(column(subject, 4), expected);
    for (int r = 0; r < subject.rows(); ++r) QCOMPARE(subject.rowTexts(r).mid(0, 4), before[r]);
  }

  void studentCountMismatch_data() {
    QTest::addColumn<int>("subjectRows");
    QTest::addColumn<int>("extractRows");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same") << 9 << 9 << QString();
    QTest::newRow("fewer") << 9 << 7
                           << "追加するファイルの生徒数（6人）と教科用ファイルの生徒数（8人）が違います。"
                              "点数は上の行から順に、同じ位置の生徒に入ります。最後の2人の点数は空欄になります。";
    QTest::newRow("more")
        << 9 << 12
        << "追加するファイルの生徒数（11人）と教科用ファイルの生徒数（8人）が違います。"
           "点数は上の行から順に、同じ位置の生徒に入ります。教科用ファイルにない3人分の点数は追加しません。";
  }
  void studentCountMismatch() {
    QFETCH(int, subjectRows);
    QFETCH(int, extractRows);
    QFETCH(QString, expected);
    QCOMPARE(StudentCountMismatch(subjectRows, extractRows).value_or(QString()), expected);
  }

  // The other test file through the second channel: counted up to the first
  // field that is exactly 1, read, 3 fixed columns. Files it cannot read leave
  // the screen's table and the counts as they were.
  void readOtherTestFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    const Rows good = testRows({"国語", "数学"}, 5);
    QTest::newRow("quoted") << EncodeCp932(good) << true << 5 << 6;
    QTest::newRow("bare fields") << EncodeCp932(good, false) << true << 5 << 6;
    Rows class2 = good;
    class2.remove(1, 3);  // the first student now in class 2
    QTest::newRow("first student not in class 1") << EncodeCp932(class2) << false << 0 << 0;
    QTest::newRow("titles only") << EncodeCp932(Rows{good[0]}) << false << 0 << 0;
    QTest::newRow("not text") << QByteArray("\x81\x20\xff\xfe", 4) << false << 0 << 0;
  }
  void readOtherTestFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.dat"));
    QVERIFY(WriteBytes(path, bytes));
    TestHost host;
    FillTable(host.table(), testRows({"前"}, 2));
    const Rows before = Cells(host.table());
    SharedState state;
    state.ColumnCount = 4;
    state.RowCount = 3;

    const auto failure = ReadOtherTestFile(state, host, path);
    QCOMPARE(!failure.has_value(), read);
    if (!read) {
      QVERIFY(!failure->isEmpty());
      QCOMPARE(Cells(host.table()), before);
      QCOMPARE(state.ColumnCount, 4);
      return;
    }
    QCOMPARE(state.ColumnCount, columns);
    QCOMPARE(state.RowCount, rows);
    QCOMPARE(host.table().rows(), rows);
    QCOMPARE(host.table().cols(), columns);
    QCOMPARE(host.table().fixedCols(), 3);
    QCOMPARE(host.table().text(0, 4), QStringLiteral("数学"));
    QCOMPARE(host.table().text(5, 4), QStringLiteral("5-4"));
    QVERIFY(!host.table().isModified());
  }

  void missingFileIsReported() {
    TestHost host;
    SharedState state;
    const auto failure = ReadOtherTestFile(state, host, QStringLiteral("/nonexistent/dir/none.dat"));
    QVERIFY(failure.has_value());
    QCOMPARE(host.table().rows(), 0);
  }
};

QTEST_GUILESS_MAIN(SubjectColumnsTest)
#include "subject_columns_test.moc"
