#!/usr/bin/env bash
# End-to-end tests: plumbmark.exe under Wine, each test on an X server of its
# own, driven through XTest and read back from the screen.
#
#   tests/e2e/run.sh [GoogleTest options]   run the suite
#   tests/e2e/run.sh --screenshots          write PNGs of the main states to build/screenshots
#
# The exe is build/mingw/src/platform/win32/plumbmark.exe unless PLUMBMARK_EXE
# names another. Nothing is installed here; missing tools are reported.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$repo/build
exe=${PLUMBMARK_EXE:-$build/mingw/src/platform/win32/plumbmark.exe}

mode=tests
if [[ ${1:-} == --screenshots ]]; then
  mode=screenshots
  shift
fi

missing=()
for tool in Xvfb openbox wine wineserver wineboot cmake g++ x86_64-w64-mingw32-g++ convert; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[[ -f /usr/include/X11/extensions/XTest.h ]] || missing+=("libxtst-dev (X11/extensions/XTest.h)")
[[ -f /usr/include/X11/Xlib.h ]] || missing+=("libx11-dev (X11/Xlib.h)")
[[ -f /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc ]] || missing+=("fonts-noto-cjk")
if ((${#missing[@]})); then
  echo "e2e: missing: ${missing[*]}" >&2
  echo "0 passed, 1 failed"
  exit 2
fi
if [[ ! -f $exe ]]; then
  echo "e2e: no program at $exe (build it with: cmake --preset mingw && cmake --build --preset mingw)" >&2
  echo "0 passed, 1 failed"
  exit 2
fi

echo "e2e: building the harness and the inspector"
cmake -S "$repo/tests/e2e" -B "$build/e2e" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/e2e" -j 2 >/dev/null
cmake -S "$repo/tests/e2e/probe" -B "$build/e2e-probe" -DCMAKE_BUILD_TYPE=MinSizeRel \
  --toolchain "$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/e2e-probe" >/dev/null

# The run's own work folder: its Wine prefixes are made here once and copied
# for each test into a folder of the test's own below it. Every test ends its
# own processes; after an interrupted run the Wine servers still running on
# any of these prefixes are ended here.
work=$(mktemp -d "${TMPDIR:-/tmp}/plumbmark-e2e-run-XXXXXX")
cleanup() {
  for prefix in "$work"/prefix-* "$work"/tests/*/prefix; do
    [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

export PLUMBMARK_EXE=$exe
export PLUMBMARK_E2E_PROBE=$build/e2e-probe/win_probe.exe
export PLUMBMARK_E2E_WORKDIR=$work

if [[ $mode == screenshots ]]; then
  export PLUMBMARK_SCREENSHOTS=$build/screenshots
  mkdir -p "$PLUMBMARK_SCREENSHOTS"
  "$build/e2e/plumbmark_screenshots" "$@"
  echo "e2e: screenshots in $PLUMBMARK_SCREENSHOTS"
  exit 0
fi

# Screens and logs of failed tests, for a look afterwards.
export PLUMBMARK_E2E_ARTIFACTS=$build/e2e-artifacts
rm -rf "$PLUMBMARK_E2E_ARTIFACTS"

start=$SECONDS
status=0
"$build/e2e/plumbmark_e2e" "$@" | tee "$work/output.txt" || status=$?
echo "e2e: $((SECONDS - start)) s"
# Tests run on copies whose program binaries are hard links into the run's
# prefixes: a binary changed in place would show here as newer than its prefix.
for prefix in "$work"/prefix-*/; do
  prefix=${prefix%/}
  [[ -f $prefix.finished ]] || continue
  changed=$(find "$prefix" -type f -newer "$prefix.finished" | head -n 3)
  if [[ -n $changed ]]; then
    echo "e2e: a test changed the shared prefix: $changed" >&2
    status=1
  fi
done
# The suite counts its results; a suite that crashed did not get to.
summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$work/output.txt" | tail -n 1 || true)
if [[ -z $summary ]]; then
  summary="0 passed, 1 failed"
  ((status)) || status=1
fi
echo "$summary"
exit "$status"
