// The class division of a full year-group: 998 students, the first test and
// three added tests, from "集計" through "新クラス     成績順表示" on the real
// screens (grids and their table models included), seven new classes.
// Prints the median and the fastest run, first of the five steps alone and
// then with the events that follow them (layout and painting of the shown
// screens) handled as well. Then the same students with 性別, 配慮 and 離す
// (40 pairs) in fifteen classes: the serpentine dealing ("クラス分け") and
// "バランス調整" on the new class display, each alone, in the same runs.
//
//   division_bench [runs]
//
// Offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/application.h"
#include "app/form_registry.h"
#include "bench_support.h"
#include "model/ports/scripted_dialogs.h"
#include "model/rules/classdivision/division_work.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/classdivision/division_screen.h"
#include "screens/classdivision/new_class_screen.h"
#include "support/table_fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace gakunen;

namespace {

[[noreturn]] void fail(const char* what) { bench::Fail("division_bench", what); }

void report(const char* what, const bench::Result& r) { bench::Report(what, r, 46); }

}  // namespace

int main(int argc, char** argv) {
  bench::DefaultToOffscreen(argc, argv);
  QApplication qapp(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

  auto dialogsOwned = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs* dialogs = dialogsOwned.get();
  Application app(std::move(dialogsOwned), std::make_unique<bench::NoPrinter>());
  app.setScenarioMode(true);
  auto* form13 = &app.forms().division();
  QWidget* form16 = app.form(QStringLiteral("Form16"));
  if (!form13 || !form16) fail("the division screens are missing");

  StudentTable base;
  gakunen::testing::FillTable(base, gakunen::testing::MakeRows({998, 7, 14, 11}));
  auto button = [&](const char* name) {
    auto* b = form13->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!b) fail(name);
    return b;
  };

  // The division table as Form12 and three passes of Form14/Form15 leave it.
  auto prepare = [&] {
    SharedState& st = app.state();
    form16->hide();
    st.RowCount = base.rows();
    form13->startFrom(base, 3);
    for (int column : {4, 5, 12}) {
      StudentTable extract;
      ExtractColumn(base, base.rows(), column, extract);
      AppendExtractedColumn(st, form13->table(), extract);
    }
    QApplication::processEvents();
  };
  auto steps = [&] {
    button("Command3")->click();
    button("Command4")->click();
    dialogs->queueAnswer(QStringLiteral("7"));
    button("Command5")->click();
    button("Command6")->click();
    button("Command9")->click();
  };

  std::vector<double> alone, withEvents;
  for (int i = 0; i <= runs; ++i) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    steps();
    const double stepsMs = timer.nsecsElapsed() / 1e6;
    QApplication::processEvents();
    const double allMs = timer.nsecsElapsed() / 1e6;
    if (!form16->isVisible() || app.state().ClassCount != 7) fail("the class list was not built");
    if (dialogs->hasFailure()) fail("a dialog came unanswered");
    if (i == 0) continue;  // the first run warms caches and creates the views
    alone.push_back(stepsMs);
    withEvents.push_back(allMs);
  }
  report("集計 .. 新クラス 成績順表示 (998 students)", bench::Summarize(alone));
  report("  the same, events handled", bench::Summarize(withEvents));

  // The base file again with the three conditions.
  gakunen::testing::Rows rows = gakunen::testing::MakeRows({998, 7, 14, 11});
  rows[0] << QStringLiteral("性別") << QStringLiteral("配慮") << QStringLiteral("離す");
  for (int i = 1; i < rows.size(); ++i)
    rows[i] << (i * 7919 % 13 < 6 ? QStringLiteral("男") : QStringLiteral("女"))
            << (i % 13 == 4 ? QStringLiteral("○") : QString()) << QString();
  for (int p = 0; p < 40; ++p)
    for (int member : {0, 1}) rows[1 + (p * 23 + member * 500) % 998][16] = QStringLiteral("P%1").arg(p + 1);
  gakunen::testing::FillTable(base, rows);
  auto* balanceButton = form16->findChild<QAbstractButton*>(QStringLiteral("BalanceButton"));
  if (!balanceButton) fail("BalanceButton");
  std::vector<double> dealing, balancing;
  for (int i = 0; i <= runs; ++i) {
    prepare();
    button("Command3")->click();
    button("Command4")->click();
    dialogs->queueAnswer(QStringLiteral("15"));
    QElapsedTimer timer;
    timer.start();
    button("Command5")->click();
    const double dealMs = timer.nsecsElapsed() / 1e6;
    button("Command6")->click();
    button("Command9")->click();
    QApplication::processEvents();
    timer.restart();
    balanceButton->click();
    const double balanceMs = timer.nsecsElapsed() / 1e6;
    QApplication::processEvents();
    if (app.state().ClassCount != 15) fail("the classes were not balanced");
    if (dialogs->hasFailure()) fail("a dialog came unanswered");
    if (i == 0) continue;
    dealing.push_back(dealMs);
    balancing.push_back(balanceMs);
  }
  report("クラス分け, serpentine (998, 15 classes)", bench::Summarize(dealing));
  report("バランス調整 (998, 15 classes, conditions)", bench::Summarize(balancing));
  return 0;
}
