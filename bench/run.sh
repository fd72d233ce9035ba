#!/usr/bin/env bash
# Builds the benchmarks when needed and runs every one of them with its
# default number of runs, then counts the figures held to a goal: every such
# line ends in "goal ≤ …: met", "…: met on processor time" or "…: MISSED".
# The last line is "goals: N of M met".
#
#   bash bench/run.sh [build folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAKUNEN_BENCH=ON >/dev/null
fi
cmake --build "$build" --target gakunen heavy_operations_bench data_file_bench startup_bench scores_bench \
  division_bench evaluation_bench -j "$(nproc 2>/dev/null || echo 2)" >/dev/null

out=$(mktemp)
trap 'rm -f "$out"' EXIT

section() {
  echo
  echo "== $1 (load average $(cut -d' ' -f1-3 /proc/loadavg))"
}

# Qt's notes about the offscreen platform say nothing about the figures.
run() {
  "$@" 2>&1 | { grep -v -e 'propagateSizeHints' -e 'XDG_RUNTIME_DIR' || true; } | tee -a "$out"
}

section "every heavy operation, on the real screens"
run "$build/bench/heavy_operations_bench"
section "start-up"
run "$build/bench/startup_bench"
section "peak memory"
run sh bench/peak_memory.sh "$build"
section "reading and writing the file alone"
run "$build/bench/data_file_bench"
section "the score screen's steps"
run "$build/bench/scores_bench"
section "class division"
run "$build/bench/division_bench"
section "evaluation"
run "$build/bench/evaluation_bench"

echo
met=$(grep -cE 'goal ≤ .*: met( on processor time)?$' "$out" || true)
total=$(grep -cE 'goal ≤ .*: (met|met on processor time|MISSED)$' "$out" || true)
on_processor=$(grep -cE 'goal ≤ .*: met on processor time$' "$out" || true)
[ "$on_processor" -gt 0 ] && echo "($on_processor of them met on the program's processor time, the machine being busy)"
echo "goals: $met of $total met"
