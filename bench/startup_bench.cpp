// Time from process start to the first window shown: the program's main
// menu beside a bare Qt window with one button, run in turns in the same
// session so that both see the same machine. Offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
//
// The processor time of each child (user and system, from its start to its
// end, which comes right after the window is shown) is taken beside the
// wall clock: on a busy machine the wall clock also counts waiting for a
// processor, and both programs wait alike only on average.
//
//   startup_bench [runs]     (default 21 runs of each)

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

double nowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Timing {
  double wallMs = -1;  // negative when the program ended without its byte
  double processorMs = 0;
};

double ms(const timeval& tv) { return tv.tv_sec * 1e3 + tv.tv_usec / 1e3; }

// Milliseconds from spawning `program` to its byte on standard output, and
// the processor time the program took.
Timing timeToShown(const std::string& program) {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  // Qt's notes about the offscreen platform would only clutter the figures.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

  const double start = nowMs();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    std::fprintf(stderr, "startup_bench: cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
    return {};
  }
  char byte = 0;
  ssize_t got;
  do got = read(out[0], &byte, 1);
  while (got < 0 && errno == EINTR);
  const double shown = nowMs();
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (got != 1) return {};
  return {shown - start, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  std::string dir = argv[0];
  const size_t slash = dir.rfind('/');
  dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
  const std::string bare = dir + "/startup_bare";
  const std::string menu = dir + "/startup_menu";

  // One untimed run of each fills the disk cache and the font cache.
  if (timeToShown(bare).wallMs < 0 || timeToShown(menu).wallMs < 0) {
    std::fprintf(stderr, "startup_bench: a program did not show its window\n");
    return 1;
  }
  std::vector<double> bareMs, menuMs, bareCpu, menuCpu;
  for (int i = 0; i < runs; ++i) {
    const Timing b = timeToShown(bare);
    const Timing m = timeToShown(menu);
    if (b.wallMs < 0 || m.wallMs < 0) return 1;
    bareMs.push_back(b.wallMs);
    menuMs.push_back(m.wallMs);
    bareCpu.push_back(b.processorMs);
    menuCpu.push_back(m.processorMs);
  }
  constexpr double kGoal = 1.10;
  const double ratio = median(menuMs) / median(bareMs);
  const double cpuRatio = median(menuCpu) / median(bareCpu);
  std::printf("platform %s, %d runs each, in turns\n", std::getenv("QT_QPA_PLATFORM"), runs);
  std::printf("bare window with one button  median %7.1f ms  range %6.1f .. %6.1f  processor %6.1f ms\n",
              median(bareMs), *std::min_element(bareMs.begin(), bareMs.end()),
              *std::max_element(bareMs.begin(), bareMs.end()), median(bareCpu));
  std::printf("main menu shown              median %7.1f ms  range %6.1f .. %6.1f  processor %6.1f ms\n",
              median(menuMs), *std::min_element(menuMs.begin(), menuMs.end()),
              *std::max_element(menuMs.begin(), menuMs.end()), median(menuCpu));
  const char* verdict = ratio <= kGoal ? "met" : cpuRatio <= kGoal ? "met on processor time" : "MISSED";
  std::printf("start-up to main menu / bare window  ratio %.2f  processor %.2f  goal ≤ %.2f: %s\n", ratio, cpuRatio,
              kGoal, verdict);
  return 0;
}
