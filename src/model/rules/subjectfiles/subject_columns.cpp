#include "model/rules/subjectfiles/subject_columns.h"

#include "model/files/data_file.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <QFileInfo>

#include <algorithm>

namespace gakunen::subjectfiles {

const QStringList& SubjectChoices() {
  static const QStringList subjects = {
      QStringLiteral("国語"), QStringLiteral("社会"), QStringLiteral("数学"),
      QStringLiteral("理科"), QStringLiteral("英語"), QStringLiteral("音楽"),
      QStringLiteral("美術"), QStringLiteral("保体"), QStringLiteral("技家"),
  };
  return subjects;
}

int FindSubjectColumn(const StudentTable& source, const QString& subject) {
  // A later column of the same subject is the more recent test.
  for (int c = source.cols() - 1; c >= 3; --c)
    if (source.text(0, c) == subject) return c;
  return -1;
}

QString MissingSubjectMessage(const QString& subject) {
  return QStringLiteral("このファイルには「%1」の列がありません。別の教科を選ぶか、ファイルを確かめてください。")
      .arg(subject);
}

void BuildSubjectTable(const StudentTable& source, int sourceColumn, StudentTable& target) {
  BulkChange bulk(target);
  CopyStudentsWithColumn(source, source.rows(), sourceColumn, target);
  target.setColWidth(0, 300);
  target.setColWidth(1, 300);
  target.setColWidth(2, 1000);
  target.setColWidth(3, 500);
}

int AppendTestColumn(StudentTable& subject, const StudentTable& extract) {
  BulkChange bulk(subject);
  const int column = subject.cols();
  subject.setCols(column + 1);
  subject.setColWidth(column, 500);
  // Paired by position; the shorter table decides how many students get a score.
  const int rows = std::min(subject.rows(), extract.rows());
  for (int r = 1; r < rows; ++r) subject.setText(r, column, extract.text(r, 3));
  return column;
}

std::optional<QString> StudentCountMismatch(int subjectRows, int extractRows) {
  const int inSubject = std::max(subjectRows - 1, 0);
  const int inExtract = std::max(extractRows - 1, 0);
  if (inSubject == inExtract) return std::nullopt;
  QString text = QStringLiteral(
                     "追加するファイルの生徒数（%1人）と教科用ファイルの生徒数（%2人）が違います。"
                     "点数は上の行から順に、同じ位置の生徒に入ります。")
                     .arg(inExtract)
                     .arg(inSubject);
  if (inExtract > inSubject)
    text += QStringLiteral("教科用ファイルにない%1人分の点数は追加しません。").arg(inExtract - inSubject);
  else
    text += QStringLiteral("最後の%1人の点数は空欄になります。").arg(inSubject - inExtract);
  return text;
}

QString ColumnLimitMessage() {
  return QStringLiteral("列の数が%1列になっているため、これ以上テストを追加できません。（保存できる表は%1列までです）")
      .arg(kMaxTableColumns);
}

std::optional<QString> ReadOtherTestFile(SharedState& state, TableHost& screen, const QString& path, QString* notice) {
  DataFileChannel second;
  if (auto e = second.open(path)) return e->message();
  const int columnsBefore = state.ColumnCount;
  const auto cellsBefore = state.RowCells;
  auto restore = [&] {
    state.ColumnCount = columnsBefore;
    state.RowCells = cellsBefore;
  };
  if (auto e = CountHeaderColumnsSecond(state, second)) {
    restore();
    e->path = path;
    return e->message();
  }
  // The count on this channel stops at the first 1, which in a file whose
  // first student is not in class 1 lies inside the first student's row: the
  // titles would then take in data and every row would be read askew.
  for (int c = 0; c < state.ColumnCount; ++c) {
    if (TextValue(state.RowCells[c]) > 0) {
      restore();
      return QStringLiteral(
                 "ファイル「%1」は最初の生徒が1組ではないため、見出しの行を正しく読み取れません。"
                 "データは追加しませんでした。")
          .arg(QFileInfo(path).fileName());
    }
  }
  if (auto problem = second.checkLines(state.ColumnCount)) {
    restore();
    return LoadError{LoadError::Kind::BadLine, path, {}, problem}.message();
  }
  second.rewind();
  StudentTable& table = screen.table();
  int unread = 0;
  {
    BulkChange bulk(table);
    unread = ReadAndSizeTable(state, screen, second, true);
    table.setFixedCols(3);
  }
  table.setModified(false);
  if (notice) *notice = unread > 0 ? UnreadRowsNotice(path, unread) : QString();
  return std::nullopt;
}

}  // namespace gakunen::subjectfiles
