// The score screen's "学年平均", "度数分布", "度数分布グラフ" and "印刷", with the
// enabling each of them brings.

#include "model/ports/dialogs.h"
#include "model/rules/scores/frequency.h"
#include "model/rules/scores/score_printing.h"
#include "model/rules/scores/year_averages.h"
#include "model/table/student_table.h"
#include "screens/scores/score_screen.h"
#include "ui/screen_printer.h"

#include <QPushButton>

namespace gakunen {

void ScoreScreen::yearAverages() {
  if (auto refusal = YearAveragesRefusal(table())) {
    dialogs().message(*refusal);
    return;
  }
  dialogs().message(QStringLiteral("学年平均は、表の最後に追加されます。スクロールしてください。"),
                    QStringLiteral("学年平均"));
  setTableVisible(false);
  const auto refusal = AppendYearAverages(state(), *this);
  setTableVisible(true);
  if (refusal) {
    dialogs().message(*refusal);
    return;
  }
  enable({9, 8}, false);
}

void ScoreScreen::frequency() {
  if (const QString refusal = FrequencyRefusal(table()); !refusal.isEmpty()) {
    dialogs().message(refusal);
    return;
  }
  dialogs().message(QStringLiteral("度数分布は、表の最後に追加されます。スクロールしてください。"),
                    QStringLiteral("度数分布"));
  FrequencyResult result;
  {
    BusyScope busy(app_);
    setTableVisible(false);
    result = AppendFrequencyRows(state(), *this);
    if (result.refusal.isEmpty()) emit frequencyCounted(result.charts);
    setTableVisible(true);
  }
  if (!result.refusal.isEmpty()) {
    dialogs().message(result.refusal);
    return;
  }
  enable({5, 6, 13}, false);
  enable({15}, true);
}

void ScoreScreen::showCharts() {
  hide();
  emit chartsRequested();
}

void ScoreScreen::print() {
  const ScorePrintout printout = BuildScorePrintout(state(), *this);
  if (printout.classPages.empty()) {
    dialogs().message(NothingToPrintMessage());
    return;
  }
  BusyScope busy(app_);
  setTableVisible(false);
  PrintScorePrintout(printout, app_.printer());
  setTableVisible(true);
}

}  // namespace gakunen
