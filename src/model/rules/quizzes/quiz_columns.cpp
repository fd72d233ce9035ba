#include "model/rules/quizzes/quiz_columns.h"

#include "model/rules/subjectfiles/viewpoints.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/student_table.h"

namespace gakunen::quizzes {

namespace {
constexpr int kMaxTableColumns = 23;
}

std::optional<QString> AddQuizColumn(SharedState& state, TableHost& screen) {
  StudentTable& table = screen.table();
  if (table.cols() >= kMaxTableColumns)
    return QStringLiteral(
               "列の数が%1列になっているため、これ以上小テストの列を追加できません。"
               "（保存できる表は%1列までです）")
        .arg(kMaxTableColumns);
  // The table in hand decides, so that a count left by other work cannot drop columns.
  state.ColumnCount = table.cols() + 1;
  SetGridColumns(state, screen);
  table.setColWidth(state.ColumnCount - 1, 500);
  return std::nullopt;
}

ScoreEntry StoreQuizScore(SharedState& state, StudentTable& table, const QString& score) {
  // The letters and 評定 at the right are computed: scores typed there would be lost.
  if (table.cols() <= 3 || subjectfiles::ViewpointResultTitles().contains(table.text(0, table.cols() - 1)))
    return ScoreEntry::NoScoreColumn;
  if (state.CurrentRow < 1 || state.CurrentRow >= table.rows()) return ScoreEntry::NoStudentRow;
  table.setText(state.CurrentRow, table.cols() - 1, score);
  ++state.CurrentRow;
  return state.CurrentRow >= table.rows() ? ScoreEntry::TableEnded : ScoreEntry::Stored;
}

}  // namespace gakunen::quizzes
