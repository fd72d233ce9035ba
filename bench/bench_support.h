#pragma once

// What the benchmarks share: medians of repeated runs, the processor time of
// the program's own thread (which other programs on a busy machine do not
// inflate), a printer that prints nothing, and a watch on a grid's painting,
// so that a step is timed until the teacher sees its result.

#include "ui/printer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace bench {

struct Result {
  double median = 0;
  double min = 0;
};

inline Result Summarize(std::vector<double> ms) {
  if (ms.empty()) return {};
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  return {n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2, ms.front()};
}

inline double Median(std::vector<double> ms) { return Summarize(std::move(ms)).median; }

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

// Lets every pending event run, layout and painting included.
inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The screens print through this; the benchmarks time the work, not a printer.
class NoPrinter : public gakunen::Printer {
 public:
  void setPageSetup(int, int) override {}
  void drawTable(const gakunen::StudentTable&, int, int) override {}
  void drawWidget(QWidget*) override {}
  void newPage() override {}
  void endJob() override {}
};

// Counts the paint events of one widget (a grid's viewport).
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Handles events until `counter` has seen a paint; false when none came.
inline bool WaitForPaint(const PaintCounter& counter, int maxSpins = 1000) {
  for (int spin = 0; counter.paints == 0 && spin < maxSpins; ++spin) QCoreApplication::processEvents();
  return counter.paints > 0;
}

}  // namespace bench
