// The score screen's four steps on a full year-group: 998 students and nine
// subjects, "集計", "生徒平均", "並べ替え" and "順位付け" clicked on the real
// screens. Each run is timed from the click until the grid that shows the
// result has painted it (table model, views and layout included), and the
// paints of that grid are counted: one a step is the aim.
//
//   scores_bench [runs]
//
// Offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/application.h"
#include "app/form_registry.h"
#include "bench_support.h"
#include "model/ports/scripted_dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/scores/score_screen.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace gakunen;

namespace {

[[noreturn]] void fail(const char* what) { bench::Fail("scores_bench", what); }

}  // namespace

int main(int argc, char** argv) {
  bench::DefaultToOffscreen(argc, argv);
  QApplication qapp(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

  Application app(std::make_unique<ScriptedDialogs>(), std::make_unique<bench::NoPrinter>());
  app.setScenarioMode(true);
  auto* form3 = &app.forms().scores();
  auto* form5 = dynamic_cast<Screen*>(app.form(QStringLiteral("Form5")));
  if (!form3 || !form5) fail("the score screens are missing");

  // Nine subjects: 組, 番, 生徒氏名 and 国語 to 技家.
  StudentTable subjects;
  gakunen::testing::FillTable(subjects, gakunen::testing::MakeRows({998, 8, 12, 7}));
  if (subjects.rows() != 999 || subjects.cols() != 12) fail("unexpected table size");

  // The table each step starts from: the one the previous step leaves.
  StudentTable before[4];
  before[0].copyFrom(subjects);
  form3->table().copyFrom(subjects);
  form3->table().setFixedCols(3);
  gakunen::testing::DescribeTable(app.state(), form3->table());
  form3->show();
  bench::Settle();

  const char* names[4] = {"Command5  集計", "Command6  生徒平均", "Command9  並べ替え", "Command10 順位付け"};
  const int buttons[4] = {5, 6, 9, 10};
  std::vector<double> times[4];
  std::vector<double> handlerTimes[4];
  std::vector<double> cpuTimes[4];
  int paints[4] = {};
  int minPaints[4] = {1 << 30, 1 << 30, 1 << 30, 1 << 30};

  bench::PaintCounter scoreGrid, rankingGrid;
  form3->grid()->tableView()->viewport()->installEventFilter(&scoreGrid);
  form5->grid()->tableView()->viewport()->installEventFilter(&rankingGrid);

  for (int run = 0; run < runs; ++run) {
    for (int step = 0; step < 4; ++step) {
      // Every step starts from the table the one before it left, on a settled screen.
      if (run > 0 || step > 0) {
        form5->hide();
        form3->show();
        form3->table().copyFrom(step == 0 ? subjects : before[step]);
        gakunen::testing::DescribeTable(app.state(), form3->table());
        bench::Settle();
      }
      QPushButton* b = form3->button(buttons[step]);
      b->setEnabled(true);
      bench::PaintCounter& counter = step == 3 ? rankingGrid : scoreGrid;
      counter.paints = 0;
      QElapsedTimer timer;
      const double cpuStart = bench::ThreadMs();
      timer.start();
      b->click();
      handlerTimes[step].push_back(timer.nsecsElapsed() / 1e6);
      // Until the grid that shows the result has painted it.
      bench::WaitForPaint(counter);
      times[step].push_back(timer.nsecsElapsed() / 1e6);
      cpuTimes[step].push_back(bench::ThreadMs() - cpuStart);
      bench::Settle();
      paints[step] = std::max(paints[step], counter.paints);
      minPaints[step] = std::min(minPaints[step], counter.paints);
      if (step < 3) before[step + 1].copyFrom(form3->table());
    }
  }

  if (form5->table().rows() != 999 || form5->table().text(0, 0) != QStringLiteral("順位")) fail("no ranking table");
  std::printf(
      "998 students x 9 subjects, %d runs, click to painted grid (wall clock; processor time of the\n"
      "program's thread beside it, which a busy machine does not inflate)\n",
      runs);
  for (int step = 0; step < 4; ++step)
    std::printf("median %7.3f ms (processor %6.3f ms, handler alone %6.3f ms), paints per run %d..%d   %s\n",
                bench::Median(times[step]), bench::Median(cpuTimes[step]), bench::Median(handlerTimes[step]),
                minPaints[step], paints[step], names[step]);
  return 0;
}
