// The year-group figures, the frequency rows, the per-class ranking tables
// and the printed pages of a full year-group: 998 students in 15 classes,
// nine subjects, "合計" and "平均". Each step runs on a fresh copy of the
// table and is timed with the grid that shows it, as the teacher waits for
// it. The class tables are filled on the real Form10, which hides its
// fifteen grids while they are filled and shows those of the classes after;
// the ranking table they come from is out of sight then, as Form5 is. Prints
// the median and the fastest run of each.
//
//   evaluation_bench [runs]
//
// Offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/application.h"
#include "app/form_registry.h"
#include "bench_support.h"
#include "model/ports/scripted_dialogs.h"
#include "model/rules/evaluation/evaluation.h"
#include "model/rules/scores/frequency.h"
#include "model/rules/scores/score_printing.h"
#include "model/rules/scores/year_averages.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/evaluation/class_ranking_screen.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using namespace gakunen;
using gakunen::testing::Rows;

namespace {

// A screen as the work sees it: the grid's table, the grid shown.
struct Shown : TableHost {
  GridView grid;
  Shown() {
    grid.resize(900, 600);
    grid.show();
  }
  StudentTable& table() override { return grid.table(); }
};

// `prepare` runs untimed before every timed `step`; the events that follow
// them are handled, those of the step within its time (the grid takes the
// change in).
bench::Result measure(int runs, const std::function<void()>& prepare, const std::function<void()>& step) {
  return bench::Measure(
      runs,
      [&] {
        prepare();
        QApplication::processEvents();
      },
      [&] {
        step();
        QApplication::processEvents();
      });
}

void report(const char* what, const bench::Result& r) { bench::Report(what, r, 40, 8); }

[[noreturn]] void fail(const char* what) { bench::Fail("evaluation_bench", what); }

}  // namespace

int main(int argc, char** argv) {
  bench::DefaultToOffscreen(argc, argv);
  QApplication qapp(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

  // 組, 番, 生徒氏名, nine subjects, 合計, 平均.
  const Rows scores = gakunen::testing::MakeRows({998, 15, 14, 3});
  Rows totals = scores;  // ending with 合計, as "度数分布" needs it
  for (QStringList& row : totals) row.removeLast();
  Rows ranked = scores;  // the ranking screen's layout: the rank in front
  for (int r = 0; r < ranked.size(); ++r) ranked[r].prepend(r == 0 ? QStringLiteral("順位") : QString::number(r));
  std::printf("%lld students, %lld columns, %d runs\n", static_cast<long long>(scores.size() - 1),
              static_cast<long long>(scores[0].size()), runs);

  Application app(std::make_unique<ScriptedDialogs>(), std::make_unique<bench::NoPrinter>());
  app.setScenarioMode(true);
  auto* form10 = &app.forms().classRanking();
  if (!form10) fail("Form10 is missing");
  SharedState& state = app.state();
  Shown screen;
  auto load = [&](const Rows& rows) {
    return [&, rows] {
      gakunen::testing::FillTable(screen.table(), rows);
      gakunen::testing::DescribeTable(state, screen.table());
      state.ModeCode = ModeCode::None;
    };
  };

  report("学年平均 (AppendYearAverages)", measure(runs, load(scores), [&] {
           if (AppendYearAverages(state, screen)) fail("year averages refused");
         }));
  report("度数分布 (AppendFrequencyRows)", measure(runs, load(totals), [&] {
           if (!AppendFrequencyRows(state, screen).refusal.isEmpty()) fail("frequency refused");
         }));
  report("印刷 pages of Form3 (BuildScorePrintout)", measure(runs, load(scores), [&] {
           if (BuildScorePrintout(state, screen).classPages.size() != 15) fail("class pages");
         }));

  // As "クラス順" on Form5: the ranking screen goes out of sight, Form10 is
  // shown and fills its tables.
  const auto onClassScreen = [&, loadRanked = load(ranked)] {
    loadRanked();
    screen.grid.hide();
    form10->show();
  };
  report("クラス順 (BuildClassTables on Form10)", measure(runs, onClassScreen, [&] {
           form10->fill(
               [&](const std::vector<StudentTable*>& tables) { BuildClassTables(state, screen.table(), tables); });
           if (state.ClassCount != 15 || form10->classesShown() != 15) fail("class tables");
         }));
  form10->hide();
  screen.grid.show();
  report("評価 column (append and write levels)", measure(runs, load(ranked), [&] {
           const LevelBands bands = BandsFromPercentages(998, 10, {5, 10, 10, 15, 10});
           AppendLevelColumn(state, screen.table());
           WriteLevels(screen.table(), screen.table().cols() - 1, bands.counts);
         }));
  report("印刷 pages of Form5 (BuildFortyPerPage)", measure(runs, load(ranked), [&] {
           if (BuildFortyPerPage(screen.table()).size() != 25) fail("forty per page");
         }));
  return 0;
}
