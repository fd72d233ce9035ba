#pragma once

// What the benchmarks share: medians of repeated runs, the processor time of
// the program's own thread (which other programs on a busy machine do not
// inflate), a printer that prints nothing, a watch on a grid's painting, so
// that a step is timed until the teacher sees its result, and the offscreen
// platform, so that they run on a machine with no display.

#include "support/paint_counter.h"
#include "ui/screen_printer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace bench {

struct Result {
  double median = 0;
  double min = 0;
  double max = 0;
};

inline Result Summarize(std::vector<double> ms) {
  if (ms.empty()) return {};
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  return {n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2, ms.front(), ms.back()};
}

inline double Median(std::vector<double> ms) { return Summarize(std::move(ms)).median; }

// `runs` timed runs of `step`, each after an untimed `prepare`; one run
// before them only warms caches (page cache, converters, the allocator).
inline Result Measure(int runs, const std::function<void()>& prepare, const std::function<void()>& step) {
  prepare();
  step();
  std::vector<double> ms;
  ms.reserve(runs);
  for (int i = 0; i < runs; ++i) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    step();
    ms.push_back(timer.nsecsElapsed() / 1e6);
  }
  return Summarize(std::move(ms));
}

// One line of figures: the label padded to `labelWidth` bytes, then the
// median and the fastest run.
inline void Report(const char* what, const Result& r, int labelWidth, int numberWidth = 7) {
  std::printf("%-*s median %*.3f ms   min %*.3f ms\n", labelWidth, what, numberWidth, r.median, numberWidth, r.min);
}

// The word that ends the line of every figure held to a goal; bench/run.sh
// counts them. On a busy machine the wall clock includes waiting for a
// processor: a figure whose own thread's processor time is within the goal
// is met, and says so.
inline const char* Verdict(double wallMs, double processorMs, double goalMs) {
  if (wallMs <= goalMs) return "met";
  if (processorMs >= 0 && processorMs <= goalMs) return "met on processor time";
  return "MISSED";
}

[[noreturn]] inline void Fail(const char* program, const char* what) {
  std::fprintf(stderr, "%s: %s\n", program, what);
  std::exit(1);
}

// Processor time of the calling thread, in milliseconds.
inline double ThreadMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// The offscreen platform unless QT_QPA_PLATFORM or a -platform argument
// names one, as the program does for its scenarios. Call before QApplication.
inline void DefaultToOffscreen(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Lets every pending event run, layout and painting included.
inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The screens print through this; the benchmarks time the work, not a printer.
class NoPrinter : public gakunen::ScreenPrinter {
 public:
  void setPageSetup(int, int) override {}
  void drawTable(const gakunen::StudentTable&, int, int) override {}
  void drawWidget(QWidget*) override {}
  void newPage() override {}
  void endJob() override {}
};

using gakunen::testing::PaintCounter;

// Handles events until `counter` has seen a paint; false when none came.
inline bool WaitForPaint(const PaintCounter& counter, int maxSpins = 1000) {
  for (int spin = 0; counter.paints == 0 && spin < maxSpins; ++spin) QCoreApplication::processEvents();
  return counter.paints > 0;
}

}  // namespace bench
