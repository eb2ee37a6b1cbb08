#!/usr/bin/env bash
# The release zip of HEAD, packaged in two clones one after the other: one
# plain, one under a path with a space and Japanese, in another time zone,
# umask and locale, with an untracked file (so its zip is marked dirty). Both
# must be the same bytes; then the first's dist/, SHA256SUMS, entries, text
# encodings and manifest version; and its exe, unpacked, run under Wine
# (tests/e2e/package_scenario.py). Ends with "package: N passed, M failed".
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$repo"
work=$(mktemp -d "${TMPDIR:-/tmp}/plumbmark-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
head=$(git rev-parse HEAD)
version=$(sed -nE 's/^project\(Plumbmark VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
name=Plumbmark-$version-win64.zip
zip=$work/one/dist/$name
passed=0 failed=0
ok() { passed=$((passed + 1)); }
miss() { failed=$((failed + 1)) && echo "FAIL: $*"; }
clone() { git clone -q . "$1" && git -C "$1" checkout -q --detach "$head"; }

(umask 022 && clone "$work/one" && mkdir "$work/one/dist" && cd "$work/one/dist" &&
  echo old >SHA256SUMS && touch Plumbmark-0.9-win64.zip keep.txt &&
  TZ=UTC LC_ALL=C.UTF-8 ../scripts/package.sh) &&
  (umask 077 && clone "$work/二 つ目" && cd "$work/二 つ目" && touch notes.txt &&
    TZ=JST-9 LC_ALL=C scripts/package.sh) || { echo "package: 0 passed, 1 failed"; exit 1; }
cmp "$zip" "$work/二 つ目/dist/Plumbmark-$version-dirty-win64.zip" && ok ||
  miss "the two clones' zips differ"
[ "$(LC_ALL=C ls "$work/one/dist" | xargs)" = "$name SHA256SUMS keep.txt" ] && ok ||
  miss "dist/ holds: $(ls "$work/one/dist" | xargs)"
(cd "$work/one/dist" && sha256sum -c SHA256SUMS) && ok || miss "SHA256SUMS"
texts=(LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt)
[ "$(unzip -Z1 "$zip" | xargs)" = "${texts[*]/#/Plumbmark/} Plumbmark/plumbmark.exe" ] && ok ||
  miss "the zip holds: $(unzip -Z1 "$zip" | xargs)"
unzip -q "$zip" -d "$work/unzipped" && cd "$work/unzipped/Plumbmark" || exit 1
[ "$(head -c 3 README.txt | od -An -tx1 | xargs)" = "ef bb bf" ] && ok ||
  miss "README.txt has no UTF-8 BOM"
for text in "${texts[@]}"; do
  [ -s "$text" ] && ! grep -qav $'\r$' "$text" && ok || miss "$text has lines without CRLF"
done
grep -aq "name=\"Plumbmark\" version=\"$version\"" plumbmark.exe && ok ||
  miss "the manifest's assembly version is not $version"
cd "$repo" || exit 1
PLUMBMARK_ZIP=$zip PLUMBMARK_EXE=$work/unzipped/Plumbmark/plumbmark.exe \
  PLUMBMARK_E2E_PATTERN=package_scenario.py PLUMBMARK_E2E_ARTIFACTS=$repo/build/package-artifacts \
  bash tests/e2e/run.sh && ok || miss "the unpacked exe under Wine"
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
