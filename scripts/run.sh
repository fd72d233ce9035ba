#!/usr/bin/env bash
# Installs what is missing, builds Gakunen and starts it on its main menu.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target gakunen

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting on a virtual one (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/src/gakunen "$@"
fi
exec build/src/gakunen "$@"
