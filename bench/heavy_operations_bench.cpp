// Every heavy operation of the program on a full year-group: 998 students in
// fifteen classes, names with 髙 and 﨑, scores 0 to 100, tables as wide as a
// saved file may be (23 columns). Each step is started as the teacher starts
// it, by its button on the real screen, and timed until the grid that shows
// its result has painted it (table model, views and layout included). Every
// run starts from the same table on a settled screen; the first run of each
// step only warms caches and is not counted.
//
//   heavy_operations_bench [runs]                  (default 21)
//   heavy_operations_bench --write-table FILE year|score|totalled
//
// The second form only writes a generated file for other measurements (the
// peak memory script): "year" is the 23-column table of the load and save,
// "score" the 19-column score table that the score screen's steps widen to
// 23 columns, "totalled" 22 score columns and 合計. A third form,
// --first-open FILE, is the child process of the first-open figure.
//
// Offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/application.h"
#include "app/form_registry.h"
#include "bench_support.h"
#include "model/files/data_file.h"
#include "model/ports/scripted_dialogs.h"
#include "model/rules/classdivision/division_work.h"
#include "model/rules/classdivision/new_class_work.h"
#include "model/rules/scores/frequency.h"
#include "model/rules/scores/score_operations.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/classdivision/after_swap_screen.h"
#include "screens/classdivision/division_screen.h"
#include "screens/classdivision/new_class_screen.h"
#include "screens/evaluation/class_ranking_screen.h"
#include "screens/evaluation/ranking_screen.h"
#include "screens/scores/chart_screen.h"
#include "screens/scores/score_screen.h"
#include "support/table_fixtures.h"
#include "ui/bar_chart.h"
#include "ui/grid_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using namespace gakunen;
using gakunen::testing::Rows;

namespace {

constexpr int kStudents = 998;
constexpr int kClasses = 15;
constexpr quint32 kSeed = 10;
// How long the teacher looks at the main menu before the first click, at
// the least.
constexpr int kMenuReadingMs = 500;

// The goals, in milliseconds of the median run.
constexpr double kFirstOpenGoalMs = 10;
constexpr double kLaterOpenGoalMs = 6;
constexpr double kSaveGoalMs = 6;
constexpr double kOperationGoalMs = 10;
constexpr double kChartsGoalMs = 25;

[[noreturn]] void fail(const char* what) { bench::Fail("heavy_operations_bench", what); }
[[noreturn]] void fail(const QString& what) { fail(qPrintable(what)); }

// The generated year-group, 26 columns wide: 組, 番, 生徒氏名, the nine
// subjects, 合計, 平均, 順位, 評価, 偏差値, quizzes and 備考. Each table of
// the benchmark is a choice of its columns.
const Rows& YearGroup() {
  static const Rows rows = gakunen::testing::MakeRows({kStudents, kClasses, 26, kSeed});
  return rows;
}

Rows PickColumns(const QList<int>& columns) {
  Rows picked;
  for (const QStringList& row : YearGroup()) {
    QStringList cells;
    for (int c : columns) cells.append(row[c]);
    picked.append(cells);
  }
  return picked;
}

QList<int> Range(int from, int to) {
  QList<int> r;
  for (int c = from; c <= to; ++c) r.append(c);
  return r;
}

// 組, 番, 生徒氏名 and the nine subjects.
QList<int> SubjectColumns() { return Range(0, 11); }
// The same and seven quizzes: 19 columns, which 合計, 平均, 順位 and 評価
// take to 23, the widest table that can still be saved.
QList<int> WideScoreColumns() { return SubjectColumns() + Range(17, 21) + Range(23, 24); }

// The reading a teacher types for each name of the generated year-group.
QString ReadingOf(const QString& name) {
  static const QHash<QString, QString> readings = {
      {QStringLiteral("佐藤"), QStringLiteral("さとう")},   {QStringLiteral("鈴木"), QStringLiteral("すずき")},
      {QStringLiteral("髙橋"), QStringLiteral("たかはし")}, {QStringLiteral("田中"), QStringLiteral("たなか")},
      {QStringLiteral("伊藤"), QStringLiteral("いとう")},   {QStringLiteral("渡辺"), QStringLiteral("わたなべ")},
      {QStringLiteral("山本"), QStringLiteral("やまもと")}, {QStringLiteral("中村"), QStringLiteral("なかむら")},
      {QStringLiteral("小林"), QStringLiteral("こばやし")}, {QStringLiteral("加藤"), QStringLiteral("かとう")},
      {QStringLiteral("吉田"), QStringLiteral("よしだ")},   {QStringLiteral("山田"), QStringLiteral("やまだ")},
      {QStringLiteral("佐々木"), QStringLiteral("ささき")}, {QStringLiteral("山﨑"), QStringLiteral("やまざき")},
      {QStringLiteral("松本"), QStringLiteral("まつもと")}, {QStringLiteral("井上"), QStringLiteral("いのうえ")},
      {QStringLiteral("木村"), QStringLiteral("きむら")},   {QStringLiteral("林"), QStringLiteral("はやし")},
      {QStringLiteral("斎藤"), QStringLiteral("さいとう")}, {QStringLiteral("清水"), QStringLiteral("しみず")},
      {QStringLiteral("宮﨑"), QStringLiteral("みやざき")}, {QStringLiteral("髙木"), QStringLiteral("たかぎ")},
      {QStringLiteral("森"), QStringLiteral("もり")},       {QStringLiteral("池田"), QStringLiteral("いけだ")},
      {QStringLiteral("橋本"), QStringLiteral("はしもと")}, {QStringLiteral("阿部"), QStringLiteral("あべ")},
      {QStringLiteral("石川"), QStringLiteral("いしかわ")}, {QStringLiteral("長谷川"), QStringLiteral("はせがわ")},
      {QStringLiteral("大翔"), QStringLiteral("ひろと")},   {QStringLiteral("蓮"), QStringLiteral("れん")},
      {QStringLiteral("陽翔"), QStringLiteral("はると")},   {QStringLiteral("湊"), QStringLiteral("みなと")},
      {QStringLiteral("樹"), QStringLiteral("いつき")},     {QStringLiteral("悠真"), QStringLiteral("ゆうま")},
      {QStringLiteral("健太"), QStringLiteral("けんた")},   {QStringLiteral("翔太"), QStringLiteral("しょうた")},
      {QStringLiteral("拓海"), QStringLiteral("たくみ")},   {QStringLiteral("颯"), QStringLiteral("はやて")},
      {QStringLiteral("結衣"), QStringLiteral("ゆい")},     {QStringLiteral("陽菜"), QStringLiteral("ひな")},
      {QStringLiteral("美咲"), QStringLiteral("みさき")},   {QStringLiteral("さくら"), QStringLiteral("さくら")},
      {QStringLiteral("葵"), QStringLiteral("あおい")},     {QStringLiteral("凛"), QStringLiteral("りん")},
      {QStringLiteral("彩花"), QStringLiteral("あやか")},   {QStringLiteral("芽依"), QStringLiteral("めい")},
      {QStringLiteral("心春"), QStringLiteral("こはる")},   {QStringLiteral("ひかり"), QStringLiteral("ひかり")},
      {QStringLiteral("優斗"), QStringLiteral("ゆうと")},   {QStringLiteral("莉子"), QStringLiteral("りこ")},
      {QStringLiteral("直樹"), QStringLiteral("なおき")},   {QStringLiteral("真央"), QStringLiteral("まお")},
  };
  QStringList parts = name.split(QChar(0x3000));
  for (QString& part : parts) part = readings.value(part, part);
  return parts.join(QChar(0x3000));
}

void Fill(StudentTable& table, const Rows& rows) { gakunen::testing::FillTable(table, rows); }

// Every score column of the generated year-group and 合計 last: 23 columns,
// the widest file, ready for 度数分布 as it is opened (20 charts).
QList<int> TotalledColumns() {
  return Range(0, 11) + QList<int>{13, 16} + Range(17, 21) + Range(23, 25) + QList<int>{12};
}

int WriteTable(const QString& path, const QString& kind) {
  QList<int> columns = Range(0, 22);
  if (kind == u"score")
    columns = WideScoreColumns();
  else if (kind == u"totalled")
    columns = TotalledColumns();
  else if (kind != u"year")
    fail("the table to write is \"year\", \"score\" or \"totalled\"");
  SharedState state;
  gakunen::testing::TestHost host;
  Fill(host.grid, PickColumns(columns));
  gakunen::testing::DescribeTable(state, host.grid);
  if (const auto error = WriteTableToFile(state, host, path)) fail(error->message());
  return 0;
}

// The first open of a fresh process, as the teacher meets it: the program
// starts as src/app/main.cpp starts it, the main menu paints, the teacher
// takes a moment to read it (the program is idle then), and clicks
// 点数入力・評価; the clock runs from the click until Form3's grid has
// painted the file. Prints the wall-clock and processor milliseconds.
int FirstOpenChild(const QString& path) {
  QApplication::setApplicationName(QStringLiteral("gakunen"));
  auto dialogsOwned = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs* dialogs = dialogsOwned.get();
  Application app(std::move(dialogsOwned), std::make_unique<bench::NoPrinter>());
  app.start();
  QWidget* menu = app.form(QStringLiteral("Form1"));
  bench::PaintCounter menuPaints;
  menu->installEventFilter(&menuPaints);
  if (!bench::WaitForPaint(menuPaints)) fail("the menu never painted");
  QEventLoop reading;
  QTimer::singleShot(kMenuReadingMs, &reading, &QEventLoop::quit);
  reading.exec();

  // Form3 may not exist before the click: watch every grid of the program.
  struct GridPaints : QObject {
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint && watched->parent() &&
          watched->parent()->objectName() == QStringLiteral("gridTable")) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window()->objectName() == QStringLiteral("Form3")) ++paints;
      }
      return false;
    }
  } grid;
  qApp->installEventFilter(&grid);
  dialogs->queueFile(path);
  auto* open = menu->findChild<QAbstractButton*>(QStringLiteral("Command1"));
  if (!open) fail("Form1 has no Command1");
  const double cpuStart = bench::ThreadMs();
  QElapsedTimer timer;
  timer.start();
  open->click();
  for (int spin = 0; grid.paints == 0 && spin < 1000; ++spin) QCoreApplication::processEvents();
  const double wallMs = timer.nsecsElapsed() / 1e6;
  const double cpuMs = bench::ThreadMs() - cpuStart;
  if (grid.paints == 0) fail("Form3 never painted the file");
  const StudentTable& t = app.forms().scores().table();
  if (t.rows() != kStudents + 1 || t.cols() != 23) fail("the file was not loaded into Form3");
  std::printf("%.4f %.4f\n", wallMs, cpuMs);
  return 0;
}

// One measured step: its figures and the goal it is held to (0: none set).
struct Figure {
  QString what;
  bench::Result wall;
  double processor = 0;
  int minPaints = 0;
  int maxPaints = 0;
  double goalMs = 0;
};

class Stopwatch {
 public:
  // Where the clock stops: at the watched widget's first paint, or at its
  // last one, once further rounds of events bring no repaint (a screen that
  // paints again after laying out what it has just shown).
  enum class Until { FirstPaint, LastPaint };

  explicit Stopwatch(int runs) : runs_(runs) {}

  // `prepare` sets the table up (untimed, then the screens settle); `act`
  // clicks; the clock runs until `watched` (a grid) has painted; `check`
  // proves that the step did its work.
  void time(const QString& what, double goalMs, const std::function<void()>& prepare, const std::function<void()>& act,
            QWidget* watched, const std::function<void()>& check, Until until = Until::FirstPaint) {
    bench::PaintCounter counter;
    watched->installEventFilter(&counter);
    std::vector<double> wall, cpu;
    int minPaints = 1 << 30, maxPaints = 0;
    for (int run = 0; run <= runs_; ++run) {
      prepare();
      bench::Settle();
      counter.paints = 0;
      const double cpuStart = bench::ThreadMs();
      QElapsedTimer timer;
      timer.start();
      act();
      const bool painted = bench::WaitForPaint(counter);
      double wallMs = timer.nsecsElapsed() / 1e6;
      double cpuMs = bench::ThreadMs() - cpuStart;
      if (painted && until == Until::LastPaint) {
        int seen = counter.paints;
        for (int quiet = 0; quiet < kQuietRounds; ++quiet) {
          QCoreApplication::processEvents();
          if (counter.paints == seen) continue;
          seen = counter.paints;
          quiet = -1;
          wallMs = timer.nsecsElapsed() / 1e6;
          cpuMs = bench::ThreadMs() - cpuStart;
        }
      }
      bench::Settle();
      check();
      if (!painted) fail(what + QStringLiteral(": the grid never painted the result"));
      if (run == 0) continue;
      wall.push_back(wallMs);
      cpu.push_back(cpuMs);
      minPaints = std::min(minPaints, counter.paints);
      maxPaints = std::max(maxPaints, counter.paints);
    }
    watched->removeEventFilter(&counter);
    Figure f{what, bench::Summarize(wall), bench::Median(cpu), minPaints, maxPaints, goalMs};
    print(f);
    figures_.push_back(f);
  }

  // A figure measured elsewhere (in other processes), from its samples.
  void add(const QString& what, double goalMs, const std::vector<double>& wall, const std::vector<double>& cpu) {
    Figure f{what, bench::Summarize(wall), bench::Median(cpu), -1, -1, goalMs};
    print(f);
    figures_.push_back(f);
  }

  // The work of a step alone, no screen involved: where a step's time goes.
  void timeWork(const QString& what, const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> wall, cpu;
    for (int run = 0; run <= runs_; ++run) {
      prepare();
      const double cpuStart = bench::ThreadMs();
      QElapsedTimer timer;
      timer.start();
      work();
      const double wallMs = timer.nsecsElapsed() / 1e6;
      const double cpuMs = bench::ThreadMs() - cpuStart;
      bench::Settle();
      if (run == 0) continue;
      wall.push_back(wallMs);
      cpu.push_back(cpuMs);
    }
    Figure f{what, bench::Summarize(wall), bench::Median(cpu), -1, -1, 0};
    print(f);
    figures_.push_back(f);
  }

  static void print(const Figure& f) {
    QString goal = QStringLiteral("no goal");
    if (f.goalMs > 0)
      goal = QStringLiteral("goal ≤ %1 ms: %2")
                 .arg(f.goalMs)
                 .arg(QString::fromLatin1(bench::Verdict(f.wall.median, f.processor, f.goalMs)));
    const QString paints = f.minPaints < 0 ? QStringLiteral("  (work alone)")
                                           : QStringLiteral("  paints %1..%2").arg(f.minPaints).arg(f.maxPaints);
    std::printf("%s median %8.3f ms  range %7.3f .. %7.3f  processor %8.3f ms%s  %s\n", qPrintable(padded(f.what, 58)),
                f.wall.median, f.wall.min, f.wall.max, f.processor, qPrintable(paints), qPrintable(goal));
    std::fflush(stdout);
  }

  // The closing line: the steps whose goal is missed.
  void printVerdict() const {
    QStringList over;
    for (const Figure& f : figures_)
      if (f.goalMs > 0 && std::strcmp(bench::Verdict(f.wall.median, f.processor, f.goalMs), "MISSED") == 0)
        over << f.what.trimmed();
    if (over.isEmpty())
      std::printf("every step with a goal is within it\n");
    else
      std::printf("over their goal: %s\n", qPrintable(over.join(QStringLiteral("; "))));
  }

  // Pads to a width in terminal columns, where a Japanese character takes two.
  static QString padded(const QString& text, int columns) {
    int width = 0;
    for (QChar c : text) width += c.unicode() >= 0x1100 ? 2 : 1;
    return text + QString(std::max(columns - width, 0), u' ');
  }

 private:
  // Rounds of events with no repaint after which a screen counts as still.
  static constexpr int kQuietRounds = 50;

  int runs_;
  std::vector<Figure> figures_;
};

class Bench {
 public:
  explicit Bench(int runs) : runs_(runs), watch_(runs) {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    app_ = std::make_unique<Application>(std::move(dialogs), std::make_unique<bench::NoPrinter>());
    app_->setScenarioMode(true);
    app_->start();
    form1_ = screen("Form1");
    form3_ = &app_->forms().scores();
    form5_ = &app_->forms().ranking();
    form10_ = &app_->forms().classRanking();
    form13_ = &app_->forms().division();
    form16_ = &app_->forms().newClasses();
    form17_ = &app_->forms().afterSwap();
    if (!form3_ || !form5_ || !form10_ || !form13_ || !form16_ || !form17_) fail("a screen is missing");
    bench::Settle();
  }

  void loadAndSave() {
    if (!scratch_.isValid()) fail("cannot make a scratch folder");
    const QString path = scratch_.filePath(QStringLiteral("year.dat"));
    const QString savePath = scratch_.filePath(QStringLiteral("saved.dat"));
    WriteTable(path, QStringLiteral("year"));
    const QByteArray bytes = gakunen::testing::ReadBytes(path);
    std::printf("file of 998 students x 23 columns: %lld bytes\n", static_cast<long long>(bytes.size()));
    firstOpen(path);

    watch_.time(
        QStringLiteral("読み込み: 点数入力・評価 .. Form3 shown (23 columns)"), kLaterOpenGoalMs,
        [&] {
          form3_->hide();
          form3_->table().assign(1, 3, {QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名")});
          form1_->show();
          dialogs_->queueFile(path);
        },
        [&] { click(form1_, "Command1"); }, viewport(form3_),
        [&] {
          if (!form3_->isVisible() || form3_->table().rows() != kStudents + 1 || form3_->table().cols() != 23)
            fail("the file was not loaded into Form3");
        });
    // Where the time of the load goes: the reading alone, into a table no grid shows.
    watch_.timeWork(
        QStringLiteral("  of which LoadDataFile alone, no grid"), [] {},
        [&] {
          SharedState s;
          gakunen::testing::TestHost host;
          if (LoadDataFile(s, host, path) || host.grid.rows() != kStudents + 1) fail("the file cannot be loaded");
        });
    watch_.time(
        QStringLiteral("保存: Form3 保存 (23 columns)"), kSaveGoalMs,
        [&] {
          QFile::remove(savePath);
          dialogs_->queueFile(savePath);
        },
        [&] { click(form3_, "Command11"); }, viewport(form3_),
        [&] {
          if (gakunen::testing::ReadBytes(savePath) != bytes) fail("the saved file differs from the loaded one");
        });
    watch_.timeWork(
        QStringLiteral("  of which WriteTableToFile alone"), [&] { QFile::remove(savePath); },
        [&] {
          if (WriteTableToFile(app_->state(), *form3_, savePath)) fail("the table cannot be saved");
        });
    watch_.time(
        QStringLiteral("  and the table's painting held and resumed, no file"), 0, [] {},
        [&] {
          form3_->grid()->setUpdatesEnabled(false);
          form3_->grid()->setUpdatesEnabled(true);
        },
        viewport(form3_), [] {});
  }

  // The first open, each run in a fresh process.
  void firstOpen(const QString& path) {
    std::vector<double> wall, cpu;
    for (int run = 0; run <= runs_; ++run) {
      QProcess child;
      child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-open"), path});
      if (!child.waitForFinished(60000) || child.exitCode() != 0)
        fail(QStringLiteral("the first open failed: ") + QString::fromLocal8Bit(child.readAllStandardError()));
      const QStringList figures = QString::fromLatin1(child.readAllStandardOutput()).split(u' ');
      if (figures.size() != 2) fail("the first open printed no figures");
      if (run == 0) continue;  // the disk cache
      wall.push_back(figures[0].toDouble());
      cpu.push_back(figures[1].toDouble());
    }
    watch_.add(QStringLiteral("初めての読み込み: fresh process, 点数入力・評価 .. Form3"), kFirstOpenGoalMs, wall, cpu);
  }

  // 集計 .. 順位付け, 学年平均, 度数分布, 評価 and クラス順 on a score table of
  // `columns`.
  void scoreSteps(const QList<int>& columns) {
    const QString width = QStringLiteral(" (%1 columns)").arg(columns.size());
    SharedState scratch;
    StudentTable steps[4];  // as 集計, 生徒平均, 並べ替え and 順位付け find it
    Fill(steps[0], PickColumns(columns));
    steps[0].setFixedCols(3);
    steps[1].copyFrom(steps[0]);
    if (ComputeTotals(scratch, steps[1])) fail("totals refused");
    steps[2].copyFrom(steps[1]);
    if (ComputeAverages(scratch, steps[2])) fail("averages refused");
    steps[3].copyFrom(steps[2]);
    SortByLastColumn(scratch, steps[3]);
    StudentTable ranked;
    BuildRankingTable(scratch, steps[3], ranked);

    auto onScoreScreen = [&](int step, int button) {
      return [&, step, button] {
        form5_->hide();
        form3_->show();
        form3_->table().copyFrom(steps[step]);
        gakunen::testing::DescribeTable(app_->state(), form3_->table());
        form3_->button(button)->setEnabled(true);
      };
    };
    auto width3 = [&](int cols) {
      return [&, cols] {
        if (form3_->table().cols() != cols || form3_->table().rows() < kStudents + 1) fail("unexpected score table");
      };
    };
    const int n = static_cast<int>(columns.size());
    watch_.time(
        QStringLiteral("集計 (Command5)") + width, kOperationGoalMs, onScoreScreen(0, 5),
        [&] { click(form3_, "Command5"); }, viewport(form3_), width3(n + 1));
    watch_.time(
        QStringLiteral("生徒平均 (Command6)") + width, kOperationGoalMs, onScoreScreen(1, 6),
        [&] { click(form3_, "Command6"); }, viewport(form3_), width3(n + 2));
    watch_.time(
        QStringLiteral("並べ替え (Command9)") + width, kOperationGoalMs, onScoreScreen(2, 9),
        [&] { click(form3_, "Command9"); }, viewport(form3_), width3(n + 2));
    watch_.time(
        QStringLiteral("順位付け (Command10) .. Form5 shown") + width, kOperationGoalMs, onScoreScreen(3, 10),
        [&] { click(form3_, "Command10"); }, viewport(form5_),
        [&] {
          if (!form5_->isVisible() || form5_->table().cols() != n + 3) fail("no ranking table");
        });

    watch_.time(
        QStringLiteral("学年平均 (Command8)") + width, kOperationGoalMs, onScoreScreen(2, 8),
        [&] { click(form3_, "Command8"); }, viewport(form3_),
        [&] {
          if (form3_->table().rows() != kStudents + 1 + 4 * kClasses + 4) fail("no year-group rows");
        });
    watch_.time(
        QStringLiteral("度数分布 (Command13)") + width, kOperationGoalMs, onScoreScreen(1, 13),
        [&] { click(form3_, "Command13"); }, viewport(form3_),
        [&] {
          if (form3_->table().rows() != kStudents + 1 + 18) fail("no frequency rows");
        });
    // Where the time of 度数分布 goes: its rows, and handing their charts to
    // Form19, which makes them only when it is shown or printed.
    gakunen::testing::TestHost bare;
    SharedState bareState;
    FrequencyResult frequencies;
    watch_.timeWork(
        QStringLiteral("  of which the rows (AppendFrequencyRows)") + width,
        [&] {
          bare.grid.copyFrom(steps[1]);
          gakunen::testing::DescribeTable(bareState, bare.grid);
        },
        [&] { frequencies = AppendFrequencyRows(bareState, bare); });
    auto* charts = &app_->forms().charts();
    if (!charts || frequencies.charts.isEmpty()) fail("no charts to make");
    const int chartCount = static_cast<int>(frequencies.charts.size());
    watch_.timeWork(
        QStringLiteral("  and the %1 charts handed to the hidden Form19").arg(chartCount), [] {},
        [&] { charts->setCharts(frequencies.charts); });
    // 度数分布グラフ shows the charts. Form19 paints them one after another,
    // the last slot last: the clock stops at the last slot's last paint,
    // once further rounds of events bring no repaint.
    int lastSlot = charts->slotCount() - 1;
    while (lastSlot > 0 && charts->slotData(lastSlot).counts.isEmpty()) --lastSlot;
    StudentTable counted;  // the score table as 度数分布 leaves it
    bare.grid.copyFrom(steps[1]);
    gakunen::testing::DescribeTable(bareState, bare.grid);
    if (!AppendFrequencyRows(bareState, bare).refusal.isEmpty()) fail("frequency refused");
    counted.copyFrom(bare.grid);
    watch_.time(
        QStringLiteral("度数分布グラフ (Command15) .. Form19 still, %1 charts").arg(chartCount), kChartsGoalMs,
        [&] {
          charts->hide();
          form3_->show();
          form3_->table().copyFrom(counted);
          gakunen::testing::DescribeTable(app_->state(), form3_->table());
          charts->setCharts(frequencies.charts);
          form3_->button(15)->setEnabled(true);
        },
        [&] { click(form3_, "Command15"); }, charts->chartSlot(lastSlot),
        [&] {
          for (int slot : {0, int{ChartScreen::kTotalSlot}, lastSlot}) {
            const BarChart* chart = charts->chartSlot(slot);
            if (!charts->isVisible() || !chart->isVisible() || charts->slotData(slot).counts.isEmpty() ||
                chart->content().values != charts->slotData(slot).counts)
              fail("Form19 shows no charts");
          }
        },
        Stopwatch::Until::LastPaint);
    charts->hide();

    auto onRankingScreen = [&] {
      form10_->hide();
      form3_->hide();
      form5_->show();
      form5_->table().copyFrom(ranked);
      gakunen::testing::DescribeTable(app_->state(), form5_->table());
    };
    watch_.time(
        QStringLiteral("評価 5段階 by percent (Form5 Command5)") + width, kOperationGoalMs,
        [&] {
          onRankingScreen();
          click(form5_, "Command4");
          auto* five = form5_->findChild<QRadioButton*>(QStringLiteral("Option1"));
          if (!five) fail("Form5 has no Option1");
          five->setChecked(true);
          dialogs_->queueAnswer(QStringLiteral("7"));
          dialogs_->queueAnswer(QStringLiteral("24"));
        },
        [&] { click(form5_, "Command5"); }, viewport(form5_),
        [&] {
          const StudentTable& t = form5_->table();
          if (t.cols() != ranked.cols() + 1 || t.text(0, t.cols() - 1) != QStringLiteral("評価") ||
              t.text(1, t.cols() - 1) != QStringLiteral("5"))
            fail("no evaluation column");
        });
    auto* firstClass = form10_->findChild<GridView*>(QStringLiteral("MSFlexGrid2[0]"));
    if (!firstClass) fail("Form10 has no MSFlexGrid2[0]");
    watch_.time(
        QStringLiteral("クラス順 (Form5 Command7) .. Form10 shown") + width, kOperationGoalMs, onRankingScreen,
        [&] { click(form5_, "Command7"); }, firstClass->tableView()->viewport(),
        [&] {
          if (!form10_->isVisible() || app_->state().ClassCount != kClasses || form10_->classTable(0).rows() < 2)
            fail("no class tables");
        });
    if (dialogs_->hasFailure()) fail(dialogs_->takeFailure());
  }

  // 集計 .. 新クラス 成績順表示 on Form13 with the tests of `testColumns`
  // (the first one the basis), dealt to fifteen new classes.
  void division(const QList<int>& testColumns) {
    StudentTable base;
    Fill(base, PickColumns(QList<int>{0, 1, 2} + testColumns));
    const int width = 3 + static_cast<int>(testColumns.size()) + 2;  // and 合計 and 組
    auto prepare = [&] {
      SharedState& st = app_->state();
      form16_->hide();
      form17_->hide();
      st.RowCount = base.rows();
      form13_->startFrom(base, 3);
      for (int column = 4; column < base.cols(); ++column) {
        StudentTable extract;
        ExtractColumn(base, base.rows(), column, extract);
        AppendExtractedColumn(st, form13_->table(), extract);
      }
    };
    watch_.time(
        QStringLiteral("集計 .. 新クラス 成績順表示 (%1 tests, %2 columns)").arg(testColumns.size()).arg(width),
        kOperationGoalMs, prepare,
        [&] {
          click(form13_, "Command3");
          click(form13_, "Command4");
          dialogs_->queueAnswer(QString::number(kClasses));
          click(form13_, "Command5");
          click(form13_, "Command6");
          click(form13_, "Command9");
        },
        viewport(form16_),
        [&] {
          if (!form16_->isVisible() || app_->state().ClassCount != kClasses ||
              form16_->table().rows() != kStudents + 1 || form13_->table().cols() != width)
            fail("the class list was not built");
          if (dialogs_->hasFailure()) fail(dialogs_->takeFailure());
        });
  }

  void printVerdict() const { watch_.printVerdict(); }

  // 新クラス 氏名順 on the class list the last division left, every reading typed.
  void nameOrder() {
    if (!form16_->isVisible()) fail("no class list to put in name order");
    if (auto refusal = PrepareReadingColumn(app_->state(), *form16_)) fail(*refusal);
    StudentTable& list = form16_->table();
    for (int r = 1; r < list.rows(); ++r) list.setText(r, 5, ReadingOf(list.text(r, 2)));
    StudentTable withReadings;
    withReadings.copyFrom(list);

    watch_.time(
        QStringLiteral("新クラス 氏名順 (Form16 Command9) .. Form17 shown"), kOperationGoalMs,
        [&] {
          form17_->hide();
          form16_->show();
          form16_->table().copyFrom(withReadings);
          gakunen::testing::DescribeTable(app_->state(), form16_->table());
          app_->state().ModeCode = ModeCode::ReadingColumn;
        },
        [&] { click(form16_, "Command9"); }, viewport(form17_),
        [&] {
          const StudentTable& t = form17_->table();
          if (!form17_->isVisible() || t.rows() != kStudents + 1 || t.cols() != 6) fail("no name order");
          for (int r = 2; r < t.rows(); ++r)
            if (t.text(r, 0) == t.text(r - 1, 0) && CompareReadings(t.text(r - 1, 5), t.text(r, 5)) > 0)
              fail("a class is not in reading order");
        });
  }

 private:
  QWidget* screen(const char* name) {
    QWidget* w = app_->form(QString::fromLatin1(name));
    if (!w) fail(name);
    return w;
  }
  static void click(QWidget* form, const char* name) {
    auto* b = form->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!b) fail(QStringLiteral("%1 has no %2").arg(form->objectName(), QString::fromLatin1(name)));
    b->click();
  }
  static QWidget* viewport(Screen* s) { return s->grid()->tableView()->viewport(); }

  int runs_;
  Stopwatch watch_;
  QTemporaryDir scratch_;
  ScriptedDialogs* dialogs_ = nullptr;
  std::unique_ptr<Application> app_;
  QWidget* form1_ = nullptr;
  ScoreScreen* form3_ = nullptr;
  Screen* form5_ = nullptr;
  ClassRankingScreen* form10_ = nullptr;
  DivisionScreen* form13_ = nullptr;
  Screen* form16_ = nullptr;
  Screen* form17_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  bench::DefaultToOffscreen(argc, argv);
  QApplication qapp(argc, argv);
  // The grids' font, as the program sets it.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));

  if (argc > 1 && std::strcmp(argv[1], "--write-table") == 0) {
    if (argc != 4) fail("usage: heavy_operations_bench --write-table FILE year|score|totalled");
    return WriteTable(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  if (argc == 3 && std::strcmp(argv[1], "--first-open") == 0) return FirstOpenChild(QString::fromLocal8Bit(argv[2]));
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  std::printf("998 students in %d classes, %d runs of each step (and one to warm up), platform %s\n", kClasses, runs,
              qPrintable(QApplication::platformName()));
  std::printf("wall clock from the click to the result painted; processor time of the program's thread beside it\n");

  Bench bench(runs);
  bench.loadAndSave();
  bench.scoreSteps(SubjectColumns());
  bench.scoreSteps(WideScoreColumns());
  // The basis (合計 of the first test) and three added tests.
  bench.division({12, 3, 4, 5});
  // The basis and seventeen added tests: 23 columns with 合計 and 組.
  bench.division(QList<int>{12} + Range(3, 11) + QList<int>{13, 16} + Range(17, 21) + QList<int>{23});
  bench.nameOrder();
  bench.printVerdict();
  return 0;
}
