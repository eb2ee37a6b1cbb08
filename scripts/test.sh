#!/usr/bin/env bash
# Runs every test of the project from a fresh clone: installs the Debian
# packages it needs, checks the formatting, builds, and runs the unit tests,
# the end-to-end suite of the Windows exe under Wine and the release zip's checks.
# Stages can be picked by name: scripts/test.sh unit e2e
set -uo pipefail
cd "$(dirname "$0")/.."

all_stages=(format unit e2e package)
stages=("${@:-${all_stages[@]}}")
packages=(cmake make g++ clang-format-14 clang-14 lld-14 libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xserver-xephyr xserver-xorg-core
  xserver-xorg-video-dummy openbox xdotool x11-utils x11-xserver-utils imagemagick python3 git zip unzip)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

passed=0
failed=0
failed_stages=()

# Adds the counts a stage printed: ctest's summary, or a closing
# "N passed, M failed" line; a stage that printed neither counts as one check.
count() {
  local log=$1 rc=$2 line p f
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    p=$(( $(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line") - f ))
  else
    line=$(grep -E '^[A-Za-z-]*:? ?[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1)
    if [ -n "$line" ]; then
      p=$(sed -E 's/^[^0-9]*([0-9]+) passed.*/\1/' <<<"$line")
      f=$(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")
    elif [ "$rc" -eq 0 ]; then p=1 f=0; else p=0 f=1; fi
  fi
  [ "$rc" -ne 0 ] && [ "$f" -eq 0 ] && f=1
  passed=$((passed + p))
  failed=$((failed + f))
}

run_stage() {
  local name=$1 log rc
  shift
  log=$(mktemp)
  echo "=== $name"
  "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  count "$log" "$rc"
  rm -f "$log"
  [ "$rc" -eq 0 ] || failed_stages+=("$name")
}

build_linux() {
  cmake --preset linux >/dev/null && cmake --build --preset linux
}

# With GCC the exe, its test variant without the newer functions, the probe
# and the Win32 backend's own checks; with clang the exe. Warnings are errors.
build_exe() {
  cmake --preset mingw >/dev/null &&
    cmake --build --preset mingw --target plumbmark plumbmark_fallbacks win_probe \
      win32_backend_tests &&
    cmake --preset mingw-clang >/dev/null && cmake --build --preset mingw-clang
}

# Every C++ file as the repository's .clang-format lays it out, by the one
# formatter version that layout is checked with; and no include reaches
# into another folder by a relative path, around the layers' include folders.
stage_format() {
  find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format-14 --dry-run -Werror || return 1
  ! grep -rnE '#include "[^"]*\.\./' src tests bench
}
stage_unit() { build_linux && ctest --preset linux -j2; }
stage_e2e() { build_exe && bash tests/e2e/run.sh; }

# The release zip: two clones packaged in different folders, time zones and
# umasks must give the same bytes; its contents, and its exe run under Wine.
stage_package() {
  cmake --preset mingw >/dev/null && cmake --build --preset mingw --target win_probe &&
    bash tests/package/run.sh
}

install_missing || { echo "could not install the packages the tests need"; exit 1; }
for stage in "${stages[@]}"; do
  case "$stage" in
    format | unit | e2e | package) run_stage "$stage" "stage_$stage" ;;
    *) echo "unknown stage '$stage' (stages: ${all_stages[*]})"; exit 2 ;;
  esac
done

echo
[ ${#failed_stages[@]} -eq 0 ] || echo "failed stages: ${failed_stages[*]}"
echo "all: $passed passed, $failed failed"
[ ${#failed_stages[@]} -eq 0 ] && [ "$failed" -eq 0 ]
