#include "model/rules/quizzes/quiz_columns.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"

#include <QTest>

using namespace gakunen;
using namespace gakunen::quizzes;
using gakunen::testing::Cells;
using gakunen::testing::FillTable;
using gakunen::testing::Rows;
using gakunen::testing::TestHost;

namespace {

// A subject file: `students` students in classes of three, `columns` columns.
void fillSubjectFile(StudentTable& t, int students, int columns) {
  QStringList titles{"組", "番", "生徒氏名"};
  for (int c = 3; c < columns; ++c) titles << QStringLiteral("数学%1").arg(c);
  Rows rows{titles};
  for (int s = 1; s <= students; ++s) {
    QStringList row{QString::number(1 + (s - 1) / 3), QString::number(1 + (s - 1) % 3),
                    QStringLiteral("生徒%1").arg(s)};
    for (int c = 3; c < columns; ++c) row << QString::number(s * c);
    rows << row;
  }
  FillTable(t, rows);
}

}  // namespace

class QuizColumnsTest : public QObject {
  Q_OBJECT
 private slots:
  // One untitled, empty column at the right, counted in ColumnCount; the
  // table in hand decides where it goes, whatever ColumnCount said before.
  void addQuizColumn_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("staleColumnCount");
    QTest::addColumn<bool>("added");
    QTest::newRow("two tests") << 5 << 5 << true;
    QTest::newRow("roster only") << 3 << 3 << true;
    QTest::newRow("ColumnCount left smaller by other work") << 6 << 4 << true;
    QTest::newRow("ColumnCount left larger by other work") << 6 << 12 << true;
    QTest::newRow("22 columns: the 23rd fits") << 22 << 22 << true;
    QTest::newRow("23 columns: refused") << 23 << 23 << false;
  }
  void addQuizColumn() {
    QFETCH(int, columns);
    QFETCH(int, staleColumnCount);
    QFETCH(bool, added);
    TestHost host;
    fillSubjectFile(host.table(), 6, columns);
    const Rows before = Cells(host.table());
    SharedState state;
    state.ColumnCount = staleColumnCount;

    const auto refusal = AddQuizColumn(state, host);
    QCOMPARE(!refusal.has_value(), added);
    if (!added) {
      QCOMPARE(Cells(host.table()), before);
      QCOMPARE(state.ColumnCount, staleColumnCount);
      return;
    }
    QCOMPARE(host.table().cols(), columns + 1);
    QCOMPARE(state.ColumnCount, columns + 1);
    QCOMPARE(host.table().colWidth(columns), 500);
    for (int r = 0; r < host.table().rows(); ++r) {
      QCOMPARE(host.table().text(r, columns), QString());
      QCOMPARE(host.table().rowTexts(r).mid(0, columns), before[r]);
    }
  }

  // Scores go to the newest column only, straight down across classes; a
  // CurrentRow naming no student row writes nothing.
  void storeQuizScore_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<QString>("lastTitle");  // of the last column; "" keeps the quiz's own
    const int stored = int(ScoreEntry::Stored), ended = int(ScoreEntry::TableEnded),
              noRow = int(ScoreEntry::NoStudentRow), noColumn = int(ScoreEntry::NoScoreColumn);
    QTest::newRow("first student") << 7 << 1 << stored << 2 << QString();
    QTest::newRow("last of class 1 to class 2") << 7 << 3 << stored << 4 << QString();
    QTest::newRow("last student ends the table") << 7 << 6 << ended << 7 << QString();
    QTest::newRow("past the end") << 7 << 7 << noRow << 7 << QString();
    QTest::newRow("far past the end") << 7 << 250 << noRow << 250 << QString();
    QTest::newRow("title row") << 7 << 0 << noRow << 0 << QString();
    QTest::newRow("negative") << 7 << -2 << noRow << -2 << QString();
    QTest::newRow("roster without a score column") << 3 << 2 << noColumn << 2 << QString();
    QTest::newRow("評定 computed in the last column") << 13 << 2 << noColumn << 2 << QStringLiteral("評定");
    QTest::newRow("a viewpoint's letters in the last column")
        << 8 << 2 << noColumn << 2 << QStringLiteral("知識・技能");
  }
  void storeQuizScore() {
    QFETCH(int, columns);
    QFETCH(int, currentRow);
    QFETCH(int, result);
    QFETCH(int, nextRow);
    QFETCH(QString, lastTitle);
    StudentTable t;
    fillSubjectFile(t, 6, columns);
    if (!lastTitle.isEmpty()) t.setText(0, columns - 1, lastTitle);
    Rows expected = Cells(t);
    SharedState state;
    state.CurrentRow = currentRow;

    QCOMPARE(int(StoreQuizScore(state, t, QStringLiteral("欠"))), result);
    QCOMPARE(state.CurrentRow, nextRow);
    if (result == int(ScoreEntry::Stored) || result == int(ScoreEntry::TableEnded))
      expected[currentRow][columns - 1] = QStringLiteral("欠");  // stored as typed
    QCOMPARE(Cells(t), expected);
    QCOMPARE(t.rows(), 7);
  }
};

QTEST_GUILESS_MAIN(QuizColumnsTest)
#include "quiz_columns_test.moc"
