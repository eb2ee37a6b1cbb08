#!/usr/bin/env bash
# Differential test of the settings-file engine against the Windows profile
# functions, run under Wine in a private, temporary prefix.
#
# Usage: tests/differential/run.sh [FIRST-LAST seeds, default 1-3000]
# Environment:
#   LINUX_BUILD_DIR  the linux preset's build folder (default build/linux)
#   MINGW_BUILD_DIR  the mingw preset's build folder (default build/mingw)
# Builds the runner and the Win32 driver first.
set -euo pipefail

seeds="${1:-1-3000}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
linux_build="${LINUX_BUILD_DIR:-$root/build/linux}"
mingw_build="${MINGW_BUILD_DIR:-$root/build/mingw}"

cmake --build "$linux_build" --target plumbmark_profile_differential >/dev/null
runner="$linux_build/tests/differential/plumbmark_profile_differential"

# The driver from the mingw preset's build; if that build cannot provide it,
# a small build of the driver alone.
driver="$mingw_build/tests/differential/driver/profile_driver.exe"
if ! { [[ -f "$mingw_build/CMakeCache.txt" ]] && cmake "$mingw_build" >/dev/null &&
       cmake --build "$mingw_build" --target profile_driver >/dev/null; }; then
  driver_build="$root/build/differential-driver"
  cmake -S "$root/tests/differential/driver" -B "$driver_build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$driver_build" >/dev/null
  driver="$driver_build/profile_driver.exe"
fi

work="$(mktemp -d)"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all DISPLAY="" WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Set the prefix up once, before several drivers start in it at the same time.
wineboot --init >/dev/null 2>&1 || true

"$runner" --driver "$driver" --work "$work/cases" --seeds "$seeds" --batch 1000
