#!/usr/bin/env bash
# End-to-end tests: plumbmark.exe under Wine, each scenario on an X server of
# its own. Takes the exe from PLUMBMARK_EXE and the Win32 probe from
# PLUMBMARK_E2E_PROBE (default: both from the mingw build, targets plumbmark
# and win_probe), runs tests/e2e/*_test.py (or the files PLUMBMARK_E2E_PATTERN
# names) and ends with "N passed, M failed". Installs and builds nothing.
# Failed scenarios leave their screen in PLUMBMARK_E2E_ARTIFACTS (default:
# build/e2e-artifacts).
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export PLUMBMARK_EXE=${PLUMBMARK_EXE:-$repo/build/mingw/src/platform/win32/plumbmark.exe}
export PLUMBMARK_FALLBACKS_EXE=${PLUMBMARK_FALLBACKS_EXE:-${PLUMBMARK_EXE%.exe}_fallbacks.exe}
export PLUMBMARK_CLANG_EXE=${PLUMBMARK_CLANG_EXE:-$repo/build/mingw-clang/src/platform/win32/plumbmark.exe}
export PLUMBMARK_WIN32_TESTS=${PLUMBMARK_WIN32_TESTS:-$repo/build/mingw/tests/win32/win32_backend_tests.exe}
export PLUMBMARK_E2E_PROBE=${PLUMBMARK_E2E_PROBE:-$repo/build/mingw/tests/e2e/probe/win_probe.exe}
export PLUMBMARK_E2E_ARTIFACTS=${PLUMBMARK_E2E_ARTIFACTS:-$repo/build/e2e-artifacts}

fail() { echo "e2e: $*" >&2; echo "0 passed, 1 failed"; exit 2; }
for tool in python3 Xvfb Xephyr Xorg openbox xdotool xprop xrandr import wine wineserver \
  x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || fail "missing $tool"
done
[[ -f $PLUMBMARK_EXE ]] || fail "no program at $PLUMBMARK_EXE"
[[ -f $PLUMBMARK_E2E_PROBE ]] || fail "no probe at $PLUMBMARK_E2E_PROBE"
rm -rf "$PLUMBMARK_E2E_ARTIFACTS"

# The run's folder holds its Wine prefixes, the tests' own folders and every
# temporary file (Wine's server folders too); whatever Wine an interrupted run
# left in it is ended here.
export PLUMBMARK_E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/plumbmark-e2e-XXXXXX")
export TMPDIR=$PLUMBMARK_E2E_WORK/tmp
mkdir -p "$TMPDIR" "$PLUMBMARK_E2E_WORK/tests" "$PLUMBMARK_E2E_WORK/home"
cleanup() {
  for prefix in "$PLUMBMARK_E2E_WORK"/{prefix,making}-* "$PLUMBMARK_E2E_WORK"/tests/*/prefix; do
    [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
  done
  rm -rf "$PLUMBMARK_E2E_WORK"
}
trap cleanup EXIT
python3 -B -u "$repo/tests/e2e/suite.py" "${PLUMBMARK_E2E_PATTERN:-*_test.py}" &
suite=$!
trap 'kill -TERM $suite 2>/dev/null' INT TERM
wait $suite
status=$?
# A signal ends the wait above: wait again while the suite ends its sessions.
kill -0 $suite 2>/dev/null && { wait $suite; status=$?; }
# The suite ends 0 when all passed, 4 after its summary of failures.
((status == 0 || status == 4)) || echo "0 passed, 1 failed"
exit $((status == 0 ? 0 : 1))
