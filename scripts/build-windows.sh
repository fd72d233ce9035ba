#!/usr/bin/env bash
# Builds the Windows program of Gakunen and packs it for teachers. First what
# it links against, from Debian's own sources: ICU 72.1 and a minimal static
# Qt Base 6.4.2 for x86_64-w64-mingw32, installed into one prefix. Every
# finished step of those leaves a stamp under GAKUNEN_WIN_DEPS (default
# ~/.cache/gakunen-win), so a second run skips it. The first run takes hours
# on two cores shared with other builds (ICU under half an hour, Qt Base
# about four hours); timings.txt there keeps each step's. Then, on every
# run, gakunen.exe is built from this checkout (in build-windows/) and
# packed into dist/gakunen-windows-x64.zip.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

deps=${GAKUNEN_WIN_DEPS:-$HOME/.cache/gakunen-win}
jobs=${GAKUNEN_WIN_JOBS:-2}
triple=x86_64-w64-mingw32
qt_version=6.4.2
icu_version=72.1
src=$deps/src
work=$deps/build
prefix=$deps/$triple
stamps=$deps/stamps
logs=$deps/logs
program_build=$repo/build-windows
zip_file=$repo/dist/gakunen-windows-x64.zip
windows_tests=(whole_file_test data_file_test spreadsheet_import_test numbers_test)
# Steps that follow the checkout rather than the cache: run every time.
unstamped=(program package)
# Qt's installed toolchain file names the one it was built with, so that one
# lives in the cache beside it rather than in a checkout that may move.
toolchain=$deps/mingw-w64-x86_64.cmake

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
# The compiles share the machine with other work.
heavy=(nice -n 19)

# Runs step NAME (a function of that name) unless its stamp is there; its
# output goes to logs/NAME.log and its time to timings.txt. A step another
# run is busy with is waited for rather than started twice in one folder.
step() {
  local name=$1 lock stamped=1
  [[ " ${unstamped[*]} " == *" $name "* ]] && stamped=0
  exec {lock}>"$stamps/$name.lock"
  flock "$lock"
  if [ $stamped -eq 1 ] && [ -e "$stamps/$name" ]; then
    echo "== $name: done before, skipped"
    exec {lock}>&-
    return
  fi
  echo "== $name"
  local start=$SECONDS rc
  # In a subshell outside any condition, so that set -e stops the step at
  # its first failing command (bash ignores it inside an if).
  set +e
  (
    set -e
    "$name"
  ) >"$logs/$name.log" 2>&1
  rc=$?
  set -e
  if [ $rc -ne 0 ]; then
    tail -n 40 "$logs/$name.log" >&2
    echo "== $name failed; the whole log is $logs/$name.log" >&2
    exit 1
  fi
  local took=$((SECONDS - start))
  printf '%s\t%dm%02ds\n' "$name" $((took / 60)) $((took % 60)) | tee -a "$deps/timings.txt"
  [ $stamped -eq 0 ] || touch "$stamps/$name"
  exec {lock}>&-
}

packages() {
  local wanted=(
    g++-mingw-w64-x86-64-posix cmake ninja-build make perl python3 pkg-config dpkg-dev xz-utils
    qt6-base-dev qt6-base-dev-tools g++ ccache pandoc
  )
  local missing=() p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# apt-get source needs deb-src entries; when there are none, the Debian
# archive's own deb entries are repeated as deb-src, so the sources match the
# binaries (and the host Qt tools) this machine installs.
source_entries() {
  local dir=/etc/apt/sources.list.d
  if grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list "$dir"/*.list ||
    grep -qsE '^Types:.*deb-src' "$dir"/*.sources; then
    return
  fi
  local entries
  entries=$(
    {
      awk -v RS= -v ORS='\n\n' '/(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$dir"/*.sources 2>/dev/null || true
      sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list "$dir"/*.list 2>/dev/null || true
    }
  )
  [ -n "$entries" ] || { echo "No Debian archive found in the apt sources" >&2; return 1; }
  if grep -q '^Types:' <<<"$entries"; then
    printf '%s\n' "$entries" | "${sudo_cmd[@]}" tee "$dir/gakunen-deb-src.sources" >/dev/null
  else
    printf '%s\n' "$entries" | "${sudo_cmd[@]}" tee "$dir/gakunen-deb-src.list" >/dev/null
  fi
  "${sudo_cmd[@]}" apt-get update -q
}

# Unpacks Debian's source package NAME into src/ and checks its upstream
# version, since the host Qt tools and the cross-built Qt must match.
fetch_source() {
  local name=$1 version=$2
  rm -rf "${src:?}/$name-$version"*
  (cd "$src" && apt-get source -q "$name")
  local dir
  dir=$(find "$src" -maxdepth 1 -type d -name "$name-$version*" | head -n 1)
  [ -n "$dir" ] || { echo "apt-get source $name did not give version $version" >&2; return 1; }
  ln -sfn "$dir" "$src/$name"
}

fetch() {
  fetch_source qt6-base "$qt_version"
  fetch_source icu "$icu_version"
}

# An ICU cross-build runs the host's own build of the same ICU for its
# tools (the data packer and code generators). Both ICU builds configure
# anew in the same folder, so a run after a failure goes on from there.
icu_host() {
  mkdir -p "$work/icu-host"
  cd "$work/icu-host"
  "${heavy[@]}" "$src/icu/source/runConfigureICU" Linux \
    --disable-tests --disable-samples --disable-extras
  "${heavy[@]}" make -j "$jobs"
}

# The Windows tools are left out: a static MinGW build cannot link them
# (they ask for libicuuc.a, it makes libsicuuc.a), and the data is packed by
# the host's tools all the same.
icu_windows() {
  mkdir -p "$work/icu-win"
  cd "$work/icu-win"
  "${heavy[@]}" "$src/icu/source/configure" \
    --host=$triple --build=x86_64-pc-linux-gnu --with-cross-build="$work/icu-host" \
    --prefix="$prefix" --enable-static --disable-shared --with-data-packaging=static \
    --disable-tools --disable-tests --disable-samples --disable-extras \
    CC=$triple-gcc-posix CXX=$triple-g++-posix \
    CFLAGS=-O2 CXXFLAGS=-O2
  "${heavy[@]}" make -j "$jobs"
  rm -f "$prefix"/lib/lib*icu*.a "$prefix"/bin/sicudt.a
  mkdir -p "$prefix/bin"
  make install
  # The data archive goes where Windows keeps DLLs, named without "lib",
  # while a stub of the same name stands in lib/.
  mv -f "$prefix/bin/sicudt.a" "$prefix/lib/libsicudt.a"
  # Without its data ICU links all the same (against a stub) and then
  # knows no converter and no collation: refuse that here.
  local data=$prefix/lib/libsicudt.a
  if [ "$(stat -c %s "$data")" -lt 10000000 ]; then
    echo "$data holds no ICU data" >&2
    return 1
  fi
  # A static MinGW build of ICU names its archives libsicu*.a; CMake's
  # FindICU looks for the names without the "s".
  local lib
  for lib in "$prefix"/lib/libsicu*.a; do
    ln -sfn "$(basename "$lib")" "$prefix/lib/lib${lib##*/libs}"
  done
}

qt_configure() {
  rm -rf "$work/qt-win"
  "${heavy[@]}" cmake -S "$src/qt6-base" -B "$work/qt-win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_icu=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_tabletevent=OFF
}

qt_build() {
  "${heavy[@]}" cmake --build "$work/qt-win" -j "$jobs"
}

qt_install() {
  cmake --install "$work/qt-win"
}

# gakunen.exe from this checkout, against the prefix, through the qt-cmake
# the Qt build installed (it names the toolchain file and the host tools).
# The build folder stays, so a later run compiles only what changed. The
# model tests that need no more than an ordinary folder are built too, for
# scripts/test-windows.sh to run under Wine.
program() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  "${heavy[@]}" "$prefix/bin/qt-cmake" -S "$repo" -B "$program_build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DICU_ROOT="$prefix" -DGAKUNEN_BENCH=OFF "${launcher[@]}"
  "${heavy[@]}" cmake --build "$program_build" -j "$jobs" --target gakunen "${windows_tests[@]}"
}

# The zip a teacher copies to a school PC: the program (without its symbol
# table), the examples byte for byte (code page 932), the guide as one HTML
# page when pandoc is there, and a short note in Japanese. The note gets a
# byte order mark and CRLF line ends, so that every Notepad reads it right.
package() {
  local stage=$work/package
  rm -rf "$stage"
  mkdir -p "$stage/examples" "$(dirname "$zip_file")"
  $triple-strip -o "$stage/gakunen.exe" "$program_build/src/gakunen.exe"
  cp -p "$repo"/examples/*.dat "$repo"/examples/*.csv "$stage/examples/"
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$repo/packaging/windows/readme.txt"; } >"$stage/はじめにお読みください.txt"
  if command -v pandoc >/dev/null; then
    (cd "$repo/docs" && pandoc guide.md --standalone --self-contained --metadata pagetitle=学年の使い方 --metadata lang=ja \
      -o "$stage/使い方.html")
  else
    echo "pandoc is missing: the zip goes without the guide"
  fi
  rm -f "$zip_file"
  # Python's zip writer marks names as UTF-8, which Windows' Explorer honours.
  (cd "$stage" && find . -type f | sort | python3 -c '
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for name in sys.stdin.read().split("\n"):
        if name:
            z.write(name, name[2:])
' "$zip_file")
  ls -l "$stage/gakunen.exe" "$zip_file"
}

# Everything runs from here, once bash has read the whole file.
main() {
  mkdir -p "$src" "$work" "$prefix" "$stamps" "$logs"
  # Copied only when changed: a newer file would make Qt's build configure anew.
  cmp -s "$repo/cmake/mingw-w64-x86_64.cmake" "$toolchain" || cp "$repo/cmake/mingw-w64-x86_64.cmake" "$toolchain"
  local steps=(packages source_entries fetch icu_host icu_windows qt_configure qt_build qt_install program package) name
  # Naming steps runs only those (each still skipped when done).
  [ $# -eq 0 ] || steps=("$@")
  for name in "${steps[@]}"; do
    step "$name"
  done
  echo "Windows dependencies are in $prefix ($(du -sh "$prefix" | cut -f1))"
  [ ! -e "$zip_file" ] || echo "The Windows program is in $zip_file ($(du -h "$zip_file" | cut -f1))"
}

main "$@"
exit
