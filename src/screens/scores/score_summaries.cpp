#include "evaluation/score_summaries.h"

#include "core/student_table.h"
#include "evaluation/chart_screen.h"
#include "evaluation/frequency.h"
#include "evaluation/score_printing.h"
#include "evaluation/year_averages.h"
#include "scores/score_screen.h"
#include "ui/dialogs.h"

#include <QPushButton>

namespace gakunen {

namespace {

void setEnabled(ScoreScreen& screen, std::initializer_list<int> numbers, bool on) {
  for (int n : numbers)
    if (QPushButton* b = screen.button(n)) b->setEnabled(on);
}

void yearAverages(ScoreScreen& screen) {
  Dialogs& dialogs = screen.dialogs();
  if (auto refusal = YearAveragesRefusal(screen.table())) {
    dialogs.message(*refusal);
    return;
  }
  dialogs.message(QStringLiteral("学年平均は、表の最後に追加されます。スクロールしてください。"),
                  QStringLiteral("学年平均"));
  screen.setTableVisible(false);
  const auto refusal = AppendYearAverages(screen.state(), screen);
  screen.setTableVisible(true);
  if (refusal) {
    dialogs.message(*refusal);
    return;
  }
  setEnabled(screen, {9, 8}, false);
}

void frequency(ScoreScreen& screen) {
  Dialogs& dialogs = screen.dialogs();
  if (const QString refusal = FrequencyRefusal(screen.table()); !refusal.isEmpty()) {
    dialogs.message(refusal);
    return;
  }
  dialogs.message(QStringLiteral("度数分布は、表の最後に追加されます。スクロールしてください。"),
                  QStringLiteral("度数分布"));
  FrequencyResult result;
  {
    BusyScope busy(screen.app());
    screen.setTableVisible(false);
    result = AppendFrequencyRows(screen.state(), screen);
    if (result.refusal.isEmpty())
      if (auto* charts = screen.app().formAs<ChartScreen>(QStringLiteral("Form19"))) charts->setCharts(result.charts);
    screen.setTableVisible(true);
  }
  if (!result.refusal.isEmpty()) {
    dialogs.message(result.refusal);
    return;
  }
  setEnabled(screen, {5, 6, 13}, false);
  setEnabled(screen, {15}, true);
}

void showCharts(ScoreScreen& screen) {
  auto* charts = screen.app().formAs<ChartScreen>(QStringLiteral("Form19"));
  if (!charts) return;
  screen.hide();
  charts->show();
}

void print(ScoreScreen& screen) {
  const ScorePrintout printout = BuildScorePrintout(screen.state(), screen);
  if (printout.classPages.empty()) {
    screen.dialogs().message(NothingToPrintMessage());
    return;
  }
  BusyScope busy(screen.app());
  screen.setTableVisible(false);
  PrintScorePrintout(printout, screen.app().printer());
  screen.setTableVisible(true);
}

}  // namespace

void ConnectScoreSummaryButtons(ScoreScreen& screen) {
  const std::pair<int, void (*)(ScoreScreen&)> actions[] = {
      {8, yearAverages}, {13, frequency}, {15, showCharts}, {7, print}};
  for (const auto& [number, action] : actions)
    if (QPushButton* b = screen.button(number))
      QObject::connect(b, &QPushButton::clicked, &screen, [&screen, action] { action(screen); });
}

}  // namespace gakunen
