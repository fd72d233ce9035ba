#include "model/rules/scores/year_averages.h"

#include "model/rules/scores/summary_rows.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/class_sizes.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <vector>

namespace gakunen {

namespace {

constexpr int kFirstFigureColumn = 3;

QString averageText(double sum, int count) { return count == 0 ? QString() : FormatAverage(sum / count); }

}  // namespace

std::optional<QString> YearAveragesRefusal(const StudentTable& table) {
  if (FirstSummaryRow(table) >= 0) return SummaryRowsPresentMessage();
  return std::nullopt;
}

std::optional<QString> AppendYearAverages(SharedState& state, TableHost& scoreScreen) {
  StudentTable& t = scoreScreen.table();
  if (auto refusal = YearAveragesRefusal(t)) return refusal;

  state.ColumnCount = t.cols();
  state.RowCount = t.rows();
  const int r0 = state.RowCount;
  const int columns = state.ColumnCount;

  state.ModeCode = ModeCode::YearGroupRows;
  state.ClassSizes = QVector<int>(15, 0);
  CountClassSizes(state, scoreScreen);
  const int classes = state.ClassCount;

  BulkChange bulk(t);
  state.RowCount = r0 + 4 * classes + 4;
  t.setRows(state.RowCount);

  // The class of each student row, read once for all columns.
  std::vector<int> classOf(r0, 0);
  for (int r = 1; r < r0; ++r) classOf[r] = PlainClassNumber(t.text(r, 0));

  t.setText(r0 + 1, 2, kYearSumLabel);
  t.setText(r0 + 2, 2, kYearCountLabel);
  t.setText(r0 + 3, 2, kYearAverageLabel);
  for (int k = 1; k <= classes; ++k) {
    const int base = r0 + 4 * k;
    t.setText(base + 1, 2, QStringLiteral("%1組合計点").arg(k));
    t.setText(base + 2, 2, QStringLiteral("%1組受験数").arg(k));
    t.setText(base + 3, 2, QStringLiteral("%1組平均点").arg(k));
  }

  std::vector<double> classSum(classes + 1);
  std::vector<int> classCount(classes + 1);
  for (int c = kFirstFigureColumn; c < columns; ++c) {
    double yearSum = 0;
    int yearCount = 0;
    std::fill(classSum.begin(), classSum.end(), 0.0);
    std::fill(classCount.begin(), classCount.end(), 0);
    for (int r = 1; r < r0; ++r) {
      const QString& cell = t.text(r, c);
      const double value = TextValue(cell);
      yearSum = RoundHalfEven(yearSum + value);
      const int k = classOf[r];
      if (k >= 1 && k <= classes) classSum[k] += value;
      if (cell.isEmpty()) continue;
      ++yearCount;
      if (k >= 1 && k <= classes) ++classCount[k];
    }
    t.setText(r0 + 1, c, FormatGeneral(yearSum));
    t.setText(r0 + 2, c, QString::number(yearCount));
    t.setText(r0 + 3, c, yearCount == 0 ? QString() : FormatAverage(RoundHalfEven(yearSum / yearCount)));
    for (int k = 1; k <= classes; ++k) {
      const int base = r0 + 4 * k;
      t.setText(base + 1, c, FormatGeneral(classSum[k]));
      t.setText(base + 2, c, QString::number(classCount[k]));
      t.setText(base + 3, c, averageText(classSum[k], classCount[k]));
    }
  }
  return std::nullopt;
}

}  // namespace gakunen
