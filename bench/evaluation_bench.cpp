// The year-group figures, the frequency rows, the per-class ranking tables
// and the printed pages of a full year-group: 998 students in 15 classes,
// nine subjects, "合計" and "平均". Each step runs on a fresh copy of the
// table and is timed with the grid that shows it, as the teacher waits for
// it. Prints the median and the fastest run of each.
//
//   evaluation_bench [runs]

#include "core/shared_state.h"
#include "core/student_table.h"
#include "evaluation/evaluation.h"
#include "evaluation/frequency.h"
#include "evaluation/score_printing.h"
#include "evaluation/year_averages.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QElapsedTimer>

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

struct Result {
  double median;
  double min;
};

// `prepare` runs untimed before every timed `step`.
Result measure(int runs, const std::function<void()>& prepare, const std::function<void()>& step) {
  prepare();
  step();
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    prepare();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();  // the grid takes the change in
    ms.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  return {n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2, ms.front()};
}

void report(const char* what, const Result& r) {
  std::printf("%-40s median %8.3f ms   min %8.3f ms\n", what, r.median, r.min);
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "evaluation_bench: %s\n", what);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

  // 組, 番, 生徒氏名, nine subjects, 合計, 平均.
  const Rows scores = gakunen::testing::MakeRows({998, 15, 14, 3});
  Rows totals = scores;  // ending with 合計, as "度数分布" needs it
  for (QStringList& row : totals) row.removeLast();
  Rows ranked = scores;  // the ranking screen's layout: the rank in front
  for (int r = 0; r < ranked.size(); ++r) ranked[r].prepend(r == 0 ? QStringLiteral("順位") : QString::number(r));
  std::printf("%lld students, %lld columns, %d runs\n", static_cast<long long>(scores.size() - 1),
              static_cast<long long>(scores[0].size()), runs);

  SharedState state;
  Shown screen;
  auto load = [&](const Rows& rows) {
    return [&, rows] {
      gakunen::testing::FillTable(screen.table(), rows);
      gakunen::testing::DescribeTable(state, screen.table());
      state.ModeCode = 0;
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

  std::vector<std::unique_ptr<GridView>> classGrids;
  std::vector<StudentTable*> classTables;
  for (int i = 0; i < 15; ++i) {
    classGrids.push_back(std::make_unique<GridView>());
    classGrids.back()->resize(600, 300);
    classGrids.back()->show();
    classTables.push_back(&classGrids.back()->table());
  }
  report("クラス順 (BuildClassTables)", measure(runs, load(ranked), [&] {
           BuildClassTables(state, screen.table(), classTables);
           if (state.ClassCount != 15) fail("class tables");
         }));
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
