#include "model/rules/scores/score_operations.h"

#include "model/rules/scores/summary_rows.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <algorithm>
#include <vector>

namespace gakunen {

namespace {

constexpr int kFirstDataColumn = 3;
constexpr int kSubjectLists = 9;
constexpr int kTotalWidth = 600;
constexpr int kAverageWidth = 500;
// Divisor for a student without any score, so that the average reads .0.
constexpr double kNoScoreDivisor = 10000;

const QString& totalTitle() {
  static const QString t = QStringLiteral("合計");
  return t;
}

// The operations below work on the table as it stands; the shared counts are
// made to describe it first, so a stale count can never reach past it.
void describe(SharedState& state, const StudentTable& table) {
  state.ColumnCount = table.cols();
  state.RowCount = table.rows();
}

QString columnLabel(const StudentTable& table, int col) {
  const QString& title = table.text(0, col);
  return title.isEmpty() ? QStringLiteral("%1列目").arg(col + 1) : title;
}

}  // namespace

const QStringList& SubjectNames() {
  static const QStringList names = {QStringLiteral("国語"), QStringLiteral("社会"), QStringLiteral("数学"),
                                    QStringLiteral("理科"), QStringLiteral("英語"), QStringLiteral("音楽"),
                                    QStringLiteral("美術"), QStringLiteral("保体"), QStringLiteral("技家")};
  return names;
}

int SelectedColumnCount(const QStringList& listTexts, int currentColumnCount) {
  int count = currentColumnCount;
  for (int k = 1; k <= kSubjectLists && k <= listTexts.size(); ++k)
    if (!listTexts[k - 1].isEmpty()) count = k + kFirstDataColumn;
  return count;
}

QStringList ColumnsHoldingEntries(const StudentTable& table, int newColumnCount) {
  QStringList titles;
  for (int c = std::max(newColumnCount, 0); c < table.cols(); ++c) {
    for (int r = 1; r < table.rows(); ++r) {
      if (!table.text(r, c).isEmpty()) {
        titles.append(columnLabel(table, c));
        break;
      }
    }
  }
  return titles;
}

void ApplyTestSubjects(SharedState& state, TableHost& scoreScreen, const QStringList& listTexts) {
  StudentTable& table = scoreScreen.table();
  describe(state, table);
  {
    BulkChange bulk(table);
    // The table is sized once for the last named subject: growing it list by
    // list from four columns would first cut away every column after the first
    // subject, and with it the scores typed there.
    const int columns = SelectedColumnCount(listTexts, state.ColumnCount);
    if (columns != state.ColumnCount) table.setCols(columns);
    for (int k = 1; k <= kSubjectLists && k <= listTexts.size(); ++k)
      if (!listTexts[k - 1].isEmpty()) table.setText(0, k + 2, listTexts[k - 1]);
    state.ColumnCount = columns;
    SetGridColumns(state, scoreScreen);
    SetStandardColumnWidths(state, scoreScreen);
    if (state.ColumnCount > kFirstDataColumn) table.setFixedCols(kFirstDataColumn);
  }
}

std::optional<int> FindSubjectColumn(const StudentTable& table, const QString& subject) {
  for (int c = kFirstDataColumn; c < table.cols(); ++c)
    if (table.text(0, c) == subject) return c;
  return std::nullopt;
}

bool HasEntryColumn(const SharedState& state, const StudentTable& table) {
  return state.EntryColumn >= kFirstDataColumn && state.EntryColumn < table.cols();
}

bool IsStudentRow(const StudentTable& table, int row) {
  return row >= 1 && row < table.rows() && TextValue(table.text(row, 0)) > 0;
}

EntryOutcome StoreEntry(SharedState& state, StudentTable& table, const QString& text) {
  describe(state, table);
  if (!HasEntryColumn(state, table)) return EntryOutcome::NoColumn;
  // Row 0 holds the titles: a score there would rename the subject.
  if (state.CurrentRow < 1) return EntryOutcome::NoStudent;
  if (!IsStudentRow(table, state.CurrentRow)) return EntryOutcome::PastTable;
  table.setText(state.CurrentRow, state.EntryColumn, text);
  ++state.CurrentRow;
  // The year-group and frequency rows below the students hold figures, not
  // scores: entry ends at the last student as it ends at the last row.
  return IsStudentRow(table, state.CurrentRow) ? EntryOutcome::Stored : EntryOutcome::TableEnd;
}

std::optional<QString> ComputeTotals(SharedState& state, StudentTable& table) {
  describe(state, table);
  // Year-group or frequency rows under the students would get totals of
  // their own figures, and later be ranked among the students.
  if (FirstSummaryRow(table) >= 0) return SummaryRowsPresentMessage();
  const bool hasTotal = state.ColumnCount > 0 && table.text(0, state.ColumnCount - 1) == totalTitle();
  if (!hasTotal)
    if (auto refusal = RefuseAnotherColumn(table, totalTitle())) return refusal;

  BulkChange bulk(table);
  if (!hasTotal) {
    ++state.ColumnCount;
    table.setCols(state.ColumnCount);
    table.setText(0, state.ColumnCount - 1, totalTitle());
    table.setColWidth(state.ColumnCount - 1, kTotalWidth);
  }
  const int totalCol = state.ColumnCount - 1;
  for (int r = 1; r < state.RowCount; ++r) {
    double sum = 0;
    for (int c = kFirstDataColumn; c < totalCol; ++c) sum += TextValue(table.text(r, c));
    table.setText(r, totalCol, FormatGeneral(sum));
  }
  return std::nullopt;
}

std::optional<QString> ComputeAverages(SharedState& state, StudentTable& table) {
  describe(state, table);
  const QString title = QStringLiteral("平均");
  if (FirstSummaryRow(table) >= 0) return SummaryRowsPresentMessage();
  if (auto refusal = RefuseAnotherColumn(table, title)) return refusal;

  BulkChange bulk(table);
  ++state.ColumnCount;
  table.setCols(state.ColumnCount);
  const int averageCol = state.ColumnCount - 1;
  const int totalCol = state.ColumnCount - 2;
  table.setColWidth(averageCol, kAverageWidth);
  table.setText(0, averageCol, title);
  for (int r = 1; r < state.RowCount; ++r) {
    // A total edited into words reads as TextValue gives it, like any cell.
    const double total = TextValue(table.text(r, totalCol));
    int count = 0;
    for (int c = kFirstDataColumn; c < totalCol; ++c)
      if (!table.text(r, c).isEmpty()) ++count;
    const double divisor = count == 0 ? kNoScoreDivisor : count;
    table.setText(r, averageCol, FormatAverage(total / divisor));
  }
  return std::nullopt;
}

void SortByLastColumn(SharedState& state, StudentTable& table) {
  describe(state, table);
  if (state.ColumnCount < 1) return;
  BulkChange bulk(table);
  table.sortRows(state.ColumnCount - 1, SortOrder::Descending);
}

std::optional<QString> RefuseAnotherColumn(const StudentTable& table, const QString& title) {
  if (table.cols() < kMaxSavedColumns) return std::nullopt;
  return QStringLiteral("表の列が%1列になっているため、「%2」の列を追加できません。保存できる表は%3列までです。")
      .arg(table.cols())
      .arg(title)
      .arg(kMaxSavedColumns);
}

bool CarriesRanks(const StudentTable& table) { return table.text(0, 0) == QStringLiteral("順位"); }

void BuildRankingTable(SharedState& state, const StudentTable& scores, StudentTable& ranking) {
  describe(state, scores);
  ++state.ColumnCount;
  const int rows = state.RowCount;
  const int cols = state.ColumnCount;
  std::vector<QString> cells(static_cast<size_t>(rows) * cols);
  auto at = [&](int r, int c) -> QString& { return cells[static_cast<size_t>(r) * cols + c]; };
  for (int r = 0; r < rows; ++r) {
    if (r > 0) at(r, 0) = QString::number(r);
    for (int c = 0; c + 1 < cols; ++c) at(r, c + 1) = scores.text(r, c);
  }
  at(0, 0) = QStringLiteral("順位");
  // Competition ranks: a row whose total reads exactly as the row above takes
  // that row's rank, so 450, 430, 430, 410 rank 1, 2, 2, 4. Row 1 always ranks 1.
  const int totalCol = cols - 2;
  if (totalCol >= 1)
    for (int r = 2; r < rows; ++r)
      if (at(r, totalCol) == at(r - 1, totalCol)) at(r, 0) = at(r - 1, 0);

  BulkChange bulk(ranking);
  ranking.assign(rows, cols, std::move(cells));
  for (int c = 0; c < cols; ++c) ranking.setColWidth(c, 500);
  ranking.setColWidth(1, 300);
  ranking.setColWidth(2, 300);
  ranking.setColWidth(3, 1000);
  ranking.setFixedCols(4);
}

}  // namespace gakunen
