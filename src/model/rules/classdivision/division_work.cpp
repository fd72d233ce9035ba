#include "model/rules/classdivision/division_work.h"

#include "model/rules/classdivision/conditions.h"
#include "model/session/shared_state.h"
#include "model/table/class_sizes.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <algorithm>
#include <vector>

namespace gakunen {

namespace {

constexpr int kFirstTestColumn = 3;

// Class tables and the class list are one student per row in these columns.
constexpr int kClassListColumns = 5;

const QStringList& classListTitles() {
  static const QStringList titles = {QStringLiteral("新組"), QStringLiteral("番号"), QStringLiteral("生徒氏名"),
                                     QStringLiteral("合計"), QStringLiteral("旧組")};
  return titles;
}

void setClassListWidths(StudentTable& table) {
  for (int c = 0; c < kClassListColumns; ++c) table.setColWidth(c, 500);
  table.setColWidth(2, 1000);
}

// Rows of the table that hold students as RowCount describes them; a
// RowCount beyond the table never reaches past its last row.
int studentRowEnd(const SharedState& state, const StudentTable& table) {
  return std::clamp(state.RowCount, 1, std::max(table.rows(), 1));
}

// Appends a column at BaseColumnCount with its title and width, and makes
// BaseColumnCount count it; returns the column.
int appendDivisionColumn(SharedState& state, StudentTable& division, const QString& title, int width) {
  const int column = state.BaseColumnCount;
  division.setCols(column + 1);
  if (!title.isNull()) division.setText(0, column, title);
  division.setColWidth(column, width);
  state.BaseColumnCount = column + 1;
  return column;
}

}  // namespace

const QStringList& DivisionChoiceCaptions() {
  static const QStringList captions = {QStringLiteral("合計"), QStringLiteral("国語"), QStringLiteral("社会"),
                                       QStringLiteral("数学"), QStringLiteral("理科"), QStringLiteral("英語"),
                                       QStringLiteral("音楽"), QStringLiteral("美術"), QStringLiteral("保体"),
                                       QStringLiteral("技家")};
  return captions;
}

std::optional<int> FindBasisColumn(const StudentTable& table, int columnCount, const QString& caption) {
  std::optional<int> found;
  const int end = std::min(columnCount, table.cols());
  for (int c = kFirstTestColumn; c < end; ++c)
    if (table.text(0, c) == caption) found = c;
  return found;
}

QString MissingColumnMessage(const QString& caption) {
  return QStringLiteral("「%1」の列がありません。表にある列を選んでください。").arg(caption);
}

void ExtractColumn(const StudentTable& source, int rowCount, int column, StudentTable& target) {
  BulkChange bulk(target);
  CopyStudentsWithColumn(source, rowCount, column, target);
  for (int c = 0; c < 4; ++c) target.setColWidth(c, 500);
  target.setColWidth(2, 1000);
  target.setColWidth(0, 300);
  target.setColWidth(1, 300);
  // The conditions travel with the students, in the order of the conditions.
  const ConditionColumns conditions = FindConditionColumns(source, kFirstTestColumn, source.cols());
  for (int from : conditions.column) {
    if (from < 0 || from == column) continue;
    const int to = target.cols();
    target.setCols(to + 1);
    target.setColWidth(to, 500);
    for (int r = 0; r < target.rows(); ++r) target.setText(r, to, source.text(r, from));
  }
}

std::optional<QString> RowMismatchMessage(int addedRows, int divisionRows) {
  if (addedRows == divisionRows) return std::nullopt;
  const int added = std::max(addedRows - 1, 0);
  const int division = std::max(divisionRows - 1, 0);
  QString text = QStringLiteral("追加するデータの生徒数（%1人）が、クラス分けの表の生徒数（%2人）と違います。")
                     .arg(added)
                     .arg(division);
  text += QStringLiteral("データは上の行から順に組み合わせて追加します。");
  if (added < division)
    text += QStringLiteral("最後の%1人の欄は空になります。").arg(division - added);
  else
    text += QStringLiteral("表に入らない最後の%1人のデータは追加されません。").arg(added - division);
  return text;
}

std::optional<QString> AppendExtractedColumn(SharedState& state, StudentTable& division, const StudentTable& extract) {
  BulkChange bulk(division);
  const int rows = std::min(extract.rows(), division.rows());
  // Tests stay together from column 3 on, so that test k is column k + 2;
  // the conditions follow them.
  const ConditionColumns held = FindConditionColumns(division, kFirstTestColumn + 1, state.BaseColumnCount);
  const int column = held.first() >= 0 ? held.first() : state.BaseColumnCount;
  InsertColumns(division, column, 1, 500);
  ++state.BaseColumnCount;
  for (int r = 0; r < rows; ++r) division.setText(r, column, extract.text(r, 3));

  // Conditions the division does not hold yet are taken from the added file,
  // as far as the table can still be saved once 合計 and 組 are added.
  QStringList refused;
  const ConditionColumns offered = FindConditionColumns(extract, 4, extract.cols());
  for (Condition c : {Condition::Sex, Condition::Care, Condition::Apart}) {
    if (offered[c] < 0 || held[c] >= 0) continue;
    if (state.BaseColumnCount + 1 + 2 > kWidestDivisionTable) {
      refused << ConditionTitle(c);
      continue;
    }
    const int to = appendDivisionColumn(state, division, QString(), 500);
    for (int r = 0; r < rows; ++r) division.setText(r, to, extract.text(r, offered[c]));
  }
  // The columns now belong to the division table, and every later step
  // (totals, dealing, saving) must reach all of its students.
  state.RowCount = division.rows();
  if (refused.isEmpty()) return std::nullopt;
  return QStringLiteral("表が%1列を超えて保存できなくなるため、「%2」の列は追加しませんでした。")
      .arg(kWidestDivisionTable)
      .arg(refused.join(QStringLiteral("」「")));
}

RenameTarget FindRenameColumn(const QString& answer, int testColumns) {
  RenameTarget target;
  const auto number = ReadWholeAnswer(answer);
  if (!number) {
    target.refusal = QStringLiteral("「%1」はテストの番号として読めません。数字で入力してください。").arg(answer);
    return target;
  }
  // TestNames holds twenty names; no division rests on more tests than that.
  const int last = std::min(testColumns, 20);
  if (*number < 1 || *number > last) {
    target.refusal = last == 1 ? QStringLiteral("%1番目のテストはありません。テストは1つだけです。").arg(*number)
                               : QStringLiteral("%1番目のテストはありません。1から%2までの番号を入力してください。")
                                     .arg(*number)
                                     .arg(last);
    return target;
  }
  target.column = *number + 2;
  return target;
}

std::optional<QString> CheckTestTitle(const QString& title) {
  if (ConditionOfTitle(title))
    return QStringLiteral("「%1」は条件の列の名前です。テストには別の名前を付けてください。").arg(title);
  if (TextValue(title) <= 0) return std::nullopt;
  return QStringLiteral(
             "「%1」は数字で始まるため、保存したファイルを読み込むときにこの列から先が読めなくなります。"
             "漢数字を使用してください。")
      .arg(title);
}

void AddTotalColumn(SharedState& state, StudentTable& division) {
  BulkChange bulk(division);
  const ConditionColumns conditions = FindConditionColumns(division, kFirstTestColumn + 1, state.BaseColumnCount);
  const int column = appendDivisionColumn(state, division, QStringLiteral("合計"), 600);
  // A mark or a code is no score.
  const int lastTest = conditions.first() >= 0 ? conditions.first() : column;
  const int end = studentRowEnd(state, division);
  for (int r = 1; r < end; ++r) {
    double sum = 0;
    for (int c = kFirstTestColumn; c < lastTest; ++c) sum += TextValue(division.text(r, c));
    division.setText(r, column, FormatGeneral(sum));
  }
}

void RankByLastColumn(const SharedState& state, StudentTable& division) {
  division.sortRows(state.BaseColumnCount - 1, SortOrder::Descending);
}

QStringList SerpentineSequence(int n) {
  QStringList sequence;
  if (n < 1) return sequence;
  sequence.reserve(2 * n);
  for (int i = 0; i < 2 * n; ++i) sequence.append(QString::number(i < n ? i + 1 : 2 * n - i));
  return sequence;
}

std::optional<int> ReadNewClassCount(const QString& answer, QString* refusal) {
  const auto n = ReadWholeAnswer(answer);
  if (!n) {
    *refusal = QStringLiteral("「%1」はクラス数として読めません。1から%2までの数を入力してください。")
                   .arg(answer)
                   .arg(kMaxNewClasses);
    return std::nullopt;
  }
  if (*n < 1 || *n > kMaxNewClasses) {
    *refusal = QStringLiteral("クラス数は1から%1までで入力してください。").arg(kMaxNewClasses);
    return std::nullopt;
  }
  return n;
}

void DealToClasses(SharedState& state, StudentTable& division, int classCount) {
  const QStringList sequence = SerpentineSequence(classCount);
  if (sequence.isEmpty()) return;
  BulkChange bulk(division);
  const int column = appendDivisionColumn(state, division, QStringLiteral("組"), 300);
  const int end = studentRowEnd(state, division);
  const qsizetype period = sequence.size();
  for (int r = 1; r < end; ++r) division.setText(r, column, sequence[(r - 1) % period]);
}

void GroupByNewClass(const SharedState& state, StudentTable& division) {
  division.sortRows(state.BaseColumnCount - 1, SortOrder::Ascending);
}

void BuildClassList(SharedState& state, const StudentTable& division,
                    const std::array<StudentTable*, kMaxNewClasses>& classTables, StudentTable& classList) {
  const int classColumn = state.BaseColumnCount - 1;
  const int totalColumn = state.BaseColumnCount - 2;
  const int end = studentRowEnd(state, division);
  const ConditionColumns conditions = FindConditionColumns(division, kFirstTestColumn + 1, totalColumn);
  std::vector<int> conditionSources;
  for (int c : conditions.column)
    if (c >= 0) conditionSources.push_back(c);
  // The class tables carry the conditions only until the list is made from
  // them: their page shows the five columns.
  const int columns = kClassListColumns + static_cast<int>(conditionSources.size());

  // Students of each new class in table order; after the grouping this is
  // the block of the class, and it stays right if the table was not grouped.
  std::array<std::vector<int>, kMaxNewClasses> members;
  state.ClassSizes = QVector<int>(kMaxNewClasses, 0);
  state.ClassCount = 0;
  for (int r = 1; r < end; ++r) {
    const int k = PlainClassNumber(division.text(r, classColumn));
    if (k == 0) continue;
    members[k - 1].push_back(r);
    ++state.ClassSizes[k - 1];
    state.ClassCount = k;
  }

  QStringList titles = classListTitles();
  for (int c : conditionSources) titles << division.text(0, c);
  for (int k = 1; k <= kMaxNewClasses; ++k) {
    StudentTable* table = classTables[k - 1];
    if (!table) continue;
    BulkChange bulk(*table);
    if (k > state.ClassCount) {
      table->assign(0, 0, {});
      continue;
    }
    const std::vector<int>& rows = members[k - 1];
    const int size = static_cast<int>(rows.size());
    std::vector<QString> cells(static_cast<size_t>(size + 1) * columns);
    for (int c = 0; c < columns; ++c) cells[c] = titles[c];
    const QString classText = QString::number(k);
    for (int i = 1; i <= size; ++i) {
      QString* row = cells.data() + static_cast<size_t>(i) * columns;
      const int s = rows[i - 1];
      row[0] = classText;
      row[2] = division.text(s, 2);
      row[3] = division.text(s, totalColumn);
      row[4] = division.text(s, 0);
      for (size_t j = 0; j < conditionSources.size(); ++j)
        row[kClassListColumns + j] = division.text(s, conditionSources[j]);
    }
    table->assign(size + 1, columns, std::move(cells));
    setClassListWidths(*table);
    table->sortRows(3, SortOrder::Descending);
    for (int i = 1; i <= size; ++i) table->setText(i, 1, QString::number(i));
  }

  const int listRows = end;
  std::vector<QString> cells(static_cast<size_t>(listRows) * columns);
  for (int c = 0; c < columns; ++c) cells[c] = titles[c];
  int at = 1;
  for (int k = 1; k <= state.ClassCount; ++k) {
    StudentTable* table = classTables[k - 1];
    if (!table) continue;
    for (int i = 1; i < table->rows() && at < listRows; ++i, ++at)
      for (int c = 0; c < columns; ++c) cells[static_cast<size_t>(at) * columns + c] = table->text(i, c);
    table->setCols(kClassListColumns);
  }
  state.ColumnCount = columns;
  BulkChange bulk(classList);
  classList.assign(listRows, columns, std::move(cells));
  setClassListWidths(classList);
  for (int c = kClassListColumns; c < columns; ++c) classList.setColWidth(c, 500);
}

}  // namespace gakunen
