#include "model/rules/scores/frequency.h"

#include "model/rules/scores/summary_rows.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

namespace gakunen {

namespace {

constexpr int kFirstSubjectColumn = 3;
constexpr int kSubjectBands = 10;
constexpr int kTotalBands = 5;
constexpr int kAppendedRows = 18;

}  // namespace

// Tested from the top band down against each lower bound, so that a value
// just under a bound never lands above it through a division's rounding.
int SubjectBand(double value) {
  for (int band = kSubjectBands - 1; band >= 0; --band)
    if (value >= 10.0 * band) return band;
  return -1;
}

int TotalBand(double value) {
  for (int band = kTotalBands - 1; band >= 0; --band)
    if (value >= 100.0 * band) return band;
  return -1;
}

QString FrequencyRefusal(const StudentTable& table) {
  const int columns = table.cols();
  if (columns <= kFirstSubjectColumn || table.text(0, columns - 1) != QStringLiteral("合計"))
    return QStringLiteral("度数分布は、最後の列が「合計」の表で調べます。先に「集計」をしてください。");
  if (FirstSummaryRow(table) >= 0) return SummaryRowsPresentMessage();
  return {};
}

FrequencyResult AppendFrequencyRows(SharedState& state, TableHost& scoreScreen) {
  StudentTable& t = scoreScreen.table();
  if (QString refusal = FrequencyRefusal(t); !refusal.isEmpty()) return {refusal, {}};
  const int columns = t.cols();

  state.ColumnCount = columns;
  const int r0 = t.rows();
  state.ModeCode = ModeCode::FrequencyRows;

  BulkChange bulk(t);
  state.RowCount = r0 + kAppendedRows;
  t.setRows(state.RowCount);

  FrequencyResult result;
  const int totalCol = columns - 1;
  for (int c = kFirstSubjectColumn; c < totalCol; ++c) {
    QList<int> counts(kSubjectBands, 0);
    for (int r = 1; r < r0; ++r) {
      const int band = SubjectBand(TextValue(t.text(r, c)));
      if (band >= 0) ++counts[band];
    }
    for (int b = 0; b < kSubjectBands; ++b) t.setText(r0 + 10 - b, c, QString::number(counts[b]));
    result.charts.append({t.text(0, c), counts, false});
  }
  const QStringList& subjectLabels = SubjectBandLabelsFromTop();
  for (int i = 0; i < kSubjectBands; ++i) t.setText(r0 + 1 + i, 2, subjectLabels[i]);
  const QStringList& totalLabels = TotalBandLabelsFromTop();
  for (int i = 0; i < kTotalBands; ++i) t.setText(r0 + 12 + i, 2, totalLabels[i]);

  QList<int> totals(kTotalBands, 0);
  for (int r = 1; r < r0; ++r) {
    const int band = TotalBand(TextValue(t.text(r, totalCol)));
    if (band >= 0) ++totals[band];
  }
  for (int b = 0; b < kTotalBands; ++b) t.setText(r0 + 16 - b, totalCol, QString::number(totals[b]));
  result.charts.append({t.text(0, totalCol), totals, true});
  return result;
}

}  // namespace gakunen
