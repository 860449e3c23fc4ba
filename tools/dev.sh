#!/usr/bin/env bash
# One entry point for building, starting and testing Vantapoint on Debian 12.
#   tools/dev.sh run [FILE.cam]   install what is missing, build, start the editor (on a sample file)
#   tools/dev.sh test             install what is missing, build and run every test, plainly and
#                                 under AddressSanitizer + UndefinedBehaviorSanitizer, fuzz briefly,
#                                 and cross-compile the core and its tests for Windows and run
#                                 them under Wine
#   tools/dev.sh deps             only install what is missing
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxtst-dev libxi-dev xvfb xauth
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 googletest wine wine64
  librsvg2-bin dpkg-dev desktop-file-utils libxml2-utils shared-mime-info
)

say() { printf '\n== %s\n' "$*"; }

deps() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

# The X11 tests need a display; give them a private Xvfb when there is none.
with_display() {
  if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null; then
    "$@"
    return
  fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # -noreset: otherwise the server resets whenever its last client leaves, and a test starting
  # during the reset finds no display.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  local xpid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  local rc=0
  DISPLAY=":$n" "$@" || rc=$?
  kill "$xpid" 2>/dev/null || true
  wait "$xpid" 2>/dev/null || true
  return $rc
}

run_ctest() { # dir
  (cd "$1" && with_display ctest --output-on-failure -j"$jobs" --timeout 300)
}

# The installation as a desktop meets it: every file in its standard place, a valid desktop entry and
# file type, *.cam mapped to the type and the type to the program, the installed program starting on
# a sample file; and the .deb holding the same files under /usr.
install_check() ( # build dir
  local build=$1 id=io.github.vantapoint.Vantapoint
  local tmp; tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  local prefix=$tmp/prefix share=$tmp/prefix/share
  cmake --install "$build" --prefix "$prefix" >/dev/null
  local installed; installed=$(cd "$prefix" && find . -type f | sort)
  local f
  for f in bin/vantapoint bin/vantapoint-cam share/vantapoint/VantapointHelp.html "share/applications/$id.desktop" \
           "share/mime/packages/$id.xml" "share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -f "$prefix/$f" ] || { echo "install check: $f is not installed" >&2; exit 1; }
  done
  echo "installed into $prefix: $(echo "$installed" | wc -l) files"

  desktop-file-validate "$share/applications/$id.desktop"
  xmllint --noout "$share/mime/packages/$id.xml" "$share/icons/hicolor/scalable/apps/$id.svg"
  XDG_DATA_DIRS=$share update-mime-database "$share/mime"
  grep -qx 'application/x-gpl-camera:\*\.cam' <(cut -d: -f2- "$share/mime/globs2") ||
    { echo "install check: *.cam is not mapped to application/x-gpl-camera" >&2; exit 1; }
  update-desktop-database "$share/applications"
  grep -qx "application/x-gpl-camera=$id.desktop;" "$share/applications/mimeinfo.cache" ||
    { echo "install check: application/x-gpl-camera does not open Vantapoint" >&2; exit 1; }
  echo "*.cam -> application/x-gpl-camera -> $id.desktop"

  "$build/tools/make_sample_cam" "$tmp/Sample Ring.cam"
  QT_QPA_PLATFORM=offscreen "$prefix/bin/vantapoint" --screenshot "$tmp/shot.png" "$tmp/Sample Ring.cam" \
    2>"$tmp/log" || true
  [ -s "$tmp/shot.png" ] ||
    { cat "$tmp/log" >&2; echo "install check: the installed program wrote no screenshot" >&2; exit 1; }
  echo "the installed program started and rendered its window"

  (cd "$build" && cpack -G DEB -B "$tmp/deb" >"$tmp/log" 2>&1) || { cat "$tmp/log" >&2; exit 1; }
  local deb; deb=$(ls "$tmp"/deb/vantapoint_*.deb)
  [[ "$(dpkg-deb -f "$deb" Depends)" == *libqt6widgets6* ]] ||
    { echo "install check: $(basename "$deb") does not depend on Qt 6 Widgets" >&2; exit 1; }
  dpkg-deb -x "$deb" "$tmp/root"
  [ "$(cd "$tmp/root/usr" && find . -type f | sort)" = "$installed" ] ||
    { echo "install check: $(basename "$deb") does not hold the installed files under /usr" >&2; exit 1; }
  echo "$(basename "$deb"): the same files under /usr"
)

test_count() { # dir
  (cd "$1" && ctest -N | sed -n 's/^Total Tests: //p')
}

# Each step of `test`, timed for the summary.
timings=()
step() { # title, function
  local start=$SECONDS
  "$2"
  timings+=("$(printf '  %-40s %4d s' "$1" $((SECONDS - start)))")
}

plain_tests() {
  say "plain build"
  configure_and_build build/ci-plain -DCMAKE_BUILD_TYPE=RelWithDebInfo
  say "plain tests"
  run_ctest build/ci-plain
  say "installation"
  install_check build/ci-plain
}

sanitizer_tests() {
  say "sanitizer build (address, undefined)"
  configure_and_build build/ci-asan -DCMAKE_BUILD_TYPE=Debug -DVP_SANITIZE=ON -DVP_BUILD_BENCH=OFF
  say "sanitizer tests"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
  LSAN_OPTIONS=suppressions="$root/.ci/lsan.supp":print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    run_ctest build/ci-asan
}

fuzz_briefly() {
  command -v clang++ >/dev/null || return 0
  say "fuzzing (bounded)"
  configure_and_build build/ci-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DVP_BUILD_FUZZ=ON -DVP_BUILD_GUI=OFF -DVP_BUILD_TESTS=OFF -DVP_BUILD_BENCH=OFF
  for f in build/ci-fuzz/tests/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    local name corpus
    name=$(basename "$f"); corpus="tests/fuzz/corpus/${name#fuzz_}"
    local work; work=$(mktemp -d)
    [ -d "$corpus" ] && cp "$corpus"/* "$work"/ 2>/dev/null || true
    echo "$name: ${VP_FUZZ_SECONDS:-30} s"
    "$f" -max_total_time="${VP_FUZZ_SECONDS:-30}" -print_final_stats=0 "$work" 2>&1 | tail -n 2
    rm -rf "$work"
  done
}

# The Qt-free core and its tests built for Windows with mingw-w64 and run under Wine, in a
# throwaway prefix whose first start is part of the step.
windows_count=0
windows_tests() {
  command -v x86_64-w64-mingw32-g++ >/dev/null && [ -f cmake/mingw-w64.cmake ] || return 0
  say "Windows build of the core and its tests (mingw-w64)"
  configure_and_build build/ci-mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Debug -DVP_BUILD_GUI=OFF -DVP_BUILD_BENCH=OFF
  say "Windows tests under Wine"
  local scratch rc=0
  scratch=$(mktemp -d)
  export WINEPREFIX="$scratch/prefix"
  run_ctest build/ci-mingw || rc=$?
  [ $rc -eq 0 ] && windows_count=$(test_count build/ci-mingw)
  wineserver -k 2>/dev/null || true
  unset WINEPREFIX
  rm -rf "$scratch"
  return $rc
}

test_all() {
  deps
  step "plain build, tests and installation" plain_tests
  step "sanitizer build and tests" sanitizer_tests
  step "fuzzing" fuzz_briefly
  step "Windows build and tests under Wine" windows_tests

  say "summary"
  printf '%s\n' "${timings[@]}"
  local plain asan
  plain=$(test_count build/ci-plain)
  asan=$(test_count build/ci-asan)
  echo "plain $plain, sanitizer $asan, Windows $windows_count"
  echo "tests: $((plain + asan + windows_count)) passed, 0 failed"
}

run_editor() {
  deps
  configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DVP_BUILD_TESTS=OFF -DVP_BUILD_BENCH=OFF
  local file=${1:-}
  if [ -z "$file" ]; then
    file="$root/build/release/sample/Sample Ring.cam"
    mkdir -p "$(dirname "$file")"
    build/release/tools/make_sample_cam "$file"
  fi
  local exe=build/release/src/app/vantapoint
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$exe" "$file"
  fi
  local shot="$root/build/vantapoint.png"
  QT_QPA_PLATFORM=offscreen "$exe" --screenshot "$shot" "$file"
  echo "No display here: the main window was rendered to $shot"
}

case "${1:-}" in
  deps) deps ;;
  test) test_all ;;
  run) shift; run_editor "$@" ;;
  *) echo "usage: tools/dev.sh run [FILE.cam] | test | deps" >&2; exit 2 ;;
esac
