// Time from process start to the first window shown: the program's main
// menu beside a bare Qt window with one button, run in turns in the same
// session so that both see the same machine. Offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
//
//   startup_bench [runs]     (default 11 runs of each)

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
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

double nowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Milliseconds from spawning `program` to its byte on standard output; a
// negative value when it ended without one.
double timeToShown(const std::string& program) {
  int out[2];
  if (pipe(out) != 0) return -1;
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
    return -1;
  }
  char byte = 0;
  ssize_t got;
  do got = read(out[0], &byte, 1);
  while (got < 0 && errno == EINTR);
  const double shown = nowMs();
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return got == 1 ? shown - start : -1;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  std::string dir = argv[0];
  const size_t slash = dir.rfind('/');
  dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
  const std::string bare = dir + "/startup_bare";
  const std::string menu = dir + "/startup_menu";

  // One untimed run of each fills the disk cache and the font cache.
  if (timeToShown(bare) < 0 || timeToShown(menu) < 0) {
    std::fprintf(stderr, "startup_bench: a program did not show its window\n");
    return 1;
  }
  std::vector<double> bareMs, menuMs;
  for (int i = 0; i < runs; ++i) {
    const double b = timeToShown(bare);
    const double m = timeToShown(menu);
    if (b < 0 || m < 0) return 1;
    bareMs.push_back(b);
    menuMs.push_back(m);
  }
  const double bareMedian = median(bareMs);
  const double menuMedian = median(menuMs);
  std::printf("platform %s, %d runs each\n", std::getenv("QT_QPA_PLATFORM"), runs);
  std::printf("bare window with one button  median %7.1f ms  (min %.1f)\n", bareMedian,
              *std::min_element(bareMs.begin(), bareMs.end()));
  std::printf("main menu shown              median %7.1f ms  (min %.1f)\n", menuMedian,
              *std::min_element(menuMs.begin(), menuMs.end()));
  std::printf("ratio menu / bare            %.2f\n", menuMedian / bareMedian);
  return 0;
}
