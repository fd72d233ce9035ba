#!/usr/bin/env bash
# Proves the Windows build under Wine: the model tests built for Windows,
# then every scenario of tests/scenarios through gakunen.exe on the offscreen
# platform, each one's data files held against those the Linux program
# writes on the same scenario: they must be the same bytes.
# Needs build-windows/ (scripts/build-windows.sh) and build/src/gakunen (the
# ordinary build); neither is built here.
#   bash scripts/test-windows.sh [SCENARIO...]
#   bash scripts/test-windows.sh --screenshots
# The second form writes docs/images/windows-menu.png and windows-scores.png:
# the program on Wine's own desktop (1024x768, on Xvfb) with the windows
# platform, as a teacher sees it, the main menu and then an example file
# opened for score entry through the menu and Wine's file dialog.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
deps=${GAKUNEN_WIN_DEPS:-$HOME/.cache/gakunen-win}
exe=${GAKUNEN_WIN_EXE:-$repo/build-windows/src/gakunen.exe}
linux=${GAKUNEN_LINUX_EXE:-$repo/build/src/gakunen}
wine=${GAKUNEN_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
export WINEPREFIX=${WINEPREFIX:-$deps/wine}
export WINEDEBUG=${WINEDEBUG:--all}
fonts=/usr/share/fonts/opentype/ipafont-gothic

# Wine's own drive Z: is the root of this machine.
windows_path() { printf 'Z:%s' "$1"; }

# A prefix of our own, with the IPA fonts where Windows keeps its fonts:
# without them every Japanese glyph is a box.
prepare_wine() {
  [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || "$wine" wineboot --init >/dev/null 2>&1
  [ ! -d "$fonts" ] || cp -u "$fonts"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  # Qt's offscreen platform on Windows reads fonts from one folder only.
  export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-$(windows_path "$fonts")}
}

# The model tests built for Windows: the file calls and the code page 932
# conversions of the Windows build on their own. Qt Test under Wine writes
# its report to a file only.
run_model_tests() {
  local test log=$work/test.log
  for test in "$(dirname "$exe")"/../tests/*_test.exe; do
    [ -e "$test" ] || continue
    rm -f "$log"
    if (cd "$work" && "$wine" "$test" -o "$(windows_path "$log"),txt" >/dev/null 2>&1); then
      echo "PASS $(basename "$test") ($(grep -m1 '^Totals' "$log"))"
    else
      echo "FAIL $(basename "$test"):"
      grep -sE '^(FAIL|Totals)|Loc:' "$log" | sed 's/^/    /'
      tests_failed=$((tests_failed + 1))
    fi
  done
}

# One scenario on both systems; every file the Linux run wrote, pictures
# aside (the fonts differ), must come from the Wine run with the same bytes.
run_scenario() {
  local scenario=$1 name full status file relative
  name=${scenario#tests/scenarios/}
  name=${name%.scn}
  case $scenario in
    */small_disk/*)
      echo "SKIP $name: it fills a small disk mounted for the run (tmpfs), which Windows has not"
      skipped=$((skipped + 1))
      return
      ;;
  esac
  full=$(cd "$repo" && realpath "$scenario")
  mkdir -p "$work/linux/$name" "$work/wine/$name"
  GAKUNEN_SCENARIO_TMP=$work/linux/$name QT_QPA_PLATFORM=offscreen \
    "$linux" --scenario "$full" >"$work/linux/$name.log" 2>&1 ||
    echo "NOTE $name fails on Linux too; its files are compared all the same"
  GAKUNEN_SCENARIO_TMP=$(windows_path "$work/wine/$name") \
    "$wine" "$exe" -platform offscreen --scenario "$(windows_path "$full")" >"$work/wine/$name.log" 2>&1
  status=$?
  if [ $status -ne 0 ]; then
    echo "FAIL $name (exit $status):"
    grep -v '^$' "$work/wine/$name.log" | tail -n 5 | sed 's/^/    /'
    failed=$((failed + 1))
    failures+=("$name")
    return
  fi
  passed=$((passed + 1))
  while IFS= read -r -d '' file; do
    relative=${file#"$work/linux/$name/"}
    if cmp -s "$file" "$work/wine/$name/$relative"; then
      same=$((same + 1))
    else
      echo "DIFFER $name: $relative"
      differ=$((differ + 1))
    fi
  done < <(find "$work/linux/$name" -type f ! -name '*.png' -print0)
}

take_screenshots() {
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --screenshots
    return
  fi
  local images=$repo/docs/images face
  # Wine draws window titles in these faces, which hold no Japanese.
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Segoe UI"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  done
  # The caption buttons' glyphs.
  [ ! -f /usr/share/wine/fonts/marlett.ttf ] || cp -u /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  "$wine" explorer /desktop=gakunen,1024x768 "$(windows_path "$exe")" >/dev/null 2>&1 &
  xdotool search --sync --name '初期画面' >/dev/null
  # The pointer off every button, so that none is drawn as under it.
  xdotool mousemove 5 5
  sleep 8
  import -window root "$images/windows-menu.png"
  # Keys go to the window under the pointer. The first button has the focus;
  # it says which file to open, then Wine's file dialog asks for it.
  xdotool key space
  sleep 5
  xdotool key Return
  sleep 5
  xdotool type --delay 30 "$(windows_path "$repo/examples/test_5subjects.dat" | tr / '\\')"
  xdotool key Return
  sleep 10
  import -window root "$images/windows-scores.png"
  ls -l "$images"/windows-*.png
}

# Everything runs from here, once bash has read the whole file.
main() {
  local needed scenarios scenario
  for needed in "$exe" "$wine"; do
    [ -f "$needed" ] || { echo "missing: $needed" >&2; return 2; }
  done
  prepare_wine
  if [ "${1:-}" = --screenshots ]; then
    take_screenshots
    return
  fi
  [ -f "$linux" ] || { echo "missing: $linux" >&2; return 2; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  tests_failed=0 passed=0 failed=0 skipped=0 same=0 differ=0
  failures=()

  run_model_tests
  if [ $# -gt 0 ]; then
    scenarios=("$@")
  else
    mapfile -t scenarios < <(cd "$repo" && find tests/scenarios -name '*.scn' | sort)
  fi
  for scenario in "${scenarios[@]}"; do
    run_scenario "$scenario"
  done

  [ $tests_failed -eq 0 ] || echo "$tests_failed model tests failed under Wine"
  echo "$passed passed, $failed failed, $skipped skipped"
  echo "data files: $same the same bytes as on Linux, $differ differ"
  [ ${#failures[@]} -eq 0 ] || echo "failed: ${failures[*]}"
  [ $failed -eq 0 ] && [ $differ -eq 0 ] && [ $tests_failed -eq 0 ]
}

main "$@"
exit
