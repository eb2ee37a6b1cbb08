#!/usr/bin/env bash
# Runs every test of the project from a fresh clone: installs the Debian
# packages it needs, checks the formatting, builds, and runs the unit tests,
# the end-to-end suite of the Windows exe under Wine and the release zip's checks.
# Stages can be picked by name: scripts/test.sh unit e2e
set -uo pipefail
cd "$(dirname "$0")/.."

all_stages=(format unit e2e package)
stages=("${@:-${all_stages[@]}}")
packages=(cmake make g++ clang-format-14 libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xserver-xephyr xserver-xorg-core
  xserver-xorg-video-dummy openbox xdotool x11-utils imagemagick python3 git zip unzip)

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

build_exe() {
  cmake --preset mingw >/dev/null && cmake --build --preset mingw --target plumbmark win_probe
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

# The release zip of HEAD, packaged in two clones one after the other: one
# plain, one under a path with a space and Japanese, in another time zone,
# umask and locale, with an untracked file (so its zip is marked dirty). Both
# must be the same bytes; then the first's dist/, SHA256SUMS, entries, text
# encodings and manifest version, and its exe unpacked and run under Wine.
stage_package() {
  local repo=$PWD work head version name zip texts entries rc passed=0 failed=0
  work=$(mktemp -d "${TMPDIR:-/tmp}/plumbmark-package-XXXXXX")
  head=$(git rev-parse HEAD)
  version=$(sed -nE 's/^project\(Plumbmark VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
  name=Plumbmark-$version-win64.zip
  zip=$work/one/dist/$name
  texts=(README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt)
  clone() { git clone -q . "$1" && git -C "$1" checkout -q --detach "$head"; }
  ok() { passed=$((passed + 1)); }
  miss() { failed=$((failed + 1)) && echo "FAIL: $*"; }
  (umask 022 && clone "$work/one" && mkdir "$work/one/dist" && cd "$work/one/dist" &&
    echo old >SHA256SUMS && touch Plumbmark-0.9-win64.zip keep.txt &&
    TZ=UTC LC_ALL=C.UTF-8 ../scripts/package.sh) &&
    (umask 077 && clone "$work/二 つ目" && cd "$work/二 つ目" && touch notes.txt &&
      TZ=JST-9 LC_ALL=C scripts/package.sh) || { rm -rf "$work"; return 1; }
  cmp "$zip" "$work/二 つ目/dist/Plumbmark-$version-dirty-win64.zip" && ok ||
    miss "the two clones' zips differ"
  [ "$(LC_ALL=C ls "$work/one/dist" | xargs)" = "$name SHA256SUMS keep.txt" ] && ok ||
    miss "dist/ holds: $(ls "$work/one/dist" | xargs)"
  (cd "$work/one/dist" && sha256sum -c SHA256SUMS) && ok || miss "SHA256SUMS"
  entries="Plumbmark/LICENSE.txt Plumbmark/README.txt Plumbmark/THIRD-PARTY-NOTICES.txt"
  [ "$(unzip -Z1 "$zip" | xargs)" = "$entries Plumbmark/plumbmark.exe" ] && ok ||
    miss "the zip holds: $(unzip -Z1 "$zip" | xargs)"
  unzip -q "$zip" -d "$work/unzipped" && cd "$work/unzipped/Plumbmark" || { rm -rf "$work"; return 1; }
  [ "$(head -c 3 README.txt | od -An -tx1 | xargs)" = "ef bb bf" ] && ok ||
    miss "README.txt has no UTF-8 BOM"
  for text in "${texts[@]}"; do
    [ -s "$text" ] && ! grep -qav $'\r$' "$text" && ok || miss "$text has lines without CRLF"
  done
  grep -aq "name=\"Plumbmark\" version=\"$version\"" plumbmark.exe && ok ||
    miss "the manifest's assembly version is not $version"
  cd "$repo" || return 1
  PLUMBMARK_ZIP=$zip PLUMBMARK_EXE=$work/unzipped/Plumbmark/plumbmark.exe \
    PLUMBMARK_E2E_PATTERN=package_scenario.py PLUMBMARK_E2E_ARTIFACTS=$repo/build/package-artifacts \
    bash tests/e2e/run.sh
  rc=$?
  rm -rf "$work"
  echo "package: $((passed + (rc == 0))) passed, $((failed + (rc != 0))) failed"
  [ "$failed" -eq 0 ] && [ "$rc" -eq 0 ]
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
