#!/usr/bin/env bash
# Builds the release plumbmark.exe from this checkout in build/package and
# packs it for Windows users: dist/Plumbmark-<version>-win64.zip and
# dist/SHA256SUMS. The version is project(VERSION) in CMakeLists.txt. The same
# commit gives the same bytes in any folder, at any time, in any time zone,
# under any umask or user: the exe comes from the mingw preset (whose flags
# keep paths and times out of it), the zip from a sorted list of files with
# fixed modes and the commit's time. A checkout with changes not committed
# still builds, but its zip is named Plumbmark-<version>-dirty-win64.zip.
# Installs what is missing with apt-get, through sudo when not run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/package
stage=$build/zip
dist=$root/dist

fail() { echo "package: $*" >&2; exit 1; }

# Each command this needs, and the Debian package that has it.
needs=(x86_64-w64-mingw32-g++-win32:g++-mingw-w64-x86-64-win32
  x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 cmake:cmake make:make
  zip:zip git:git sha256sum:coreutils)
missing=()
for need in "${needs[@]}"; do
  command -v "${need%%:*}" >/dev/null || missing+=("${need#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  { "${sudo[@]}" apt-get update -qq &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null; } ||
    fail "could not install ${missing[*]}: install them and run this again"
fi

git rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
  fail "$root is not a git checkout: the zip's file times come from its last commit"
commit=$(git rev-parse HEAD)
epoch=$(git log -1 --format=%ct)
dirty=""
if [ -n "$(git status --porcelain)" ]; then
  dirty=-dirty
  echo "package: the checkout has changes not committed, so this is no release:" >&2
  git status --short >&2
fi

echo "commit $commit$dirty"
echo "toolchain:"
dpkg-query -W -f='  ${Package} ${Version}\n' g++-mingw-w64-x86-64-win32 \
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev cmake zip || true

# What an earlier run wrote goes first: a failed build leaves no zip behind.
rm -f "$dist"/Plumbmark-*-win64.zip "$dist/SHA256SUMS"
rm -rf "$build"
# Flags from the environment would change the exe; the project sets its own.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target plumbmark --parallel 2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "CMake reported no project version"
pattern=${version//./\\.}
grep -q "^## \\[$pattern\\] - " CHANGELOG.md || fail "CHANGELOG.md has no entry for $version"
grep -q "^$pattern (" packaging/README.txt || fail "packaging/README.txt's 更新履歴 lacks $version"
name=Plumbmark-$version$dirty-win64.zip

# Windows text: CRLF line ends; the readme in UTF-8 with a BOM, which Notepad
# before Windows 10 1903 needs to read it as UTF-8.
mkdir -p "$stage/Plumbmark" "$dist"
crlf() { sed 's/\r*$/\r/' "$1"; }
exe=$(find "$build" -name plumbmark.exe -type f)
[ -f "$exe" ] || fail "the build made no plumbmark.exe (or more than one): $exe"
cp "$exe" "$stage/Plumbmark/plumbmark.exe"
{ printf '\357\273\277'; crlf packaging/README.txt; } >"$stage/Plumbmark/README.txt"
crlf LICENSE >"$stage/Plumbmark/LICENSE.txt"
crlf packaging/THIRD-PARTY-NOTICES.txt >"$stage/Plumbmark/THIRD-PARTY-NOTICES.txt"
chmod 0644 "$stage"/Plumbmark/*
touch -d "@$epoch" "$stage"/Plumbmark/*
# Zip keeps local times: in UTC they are the commit's on every machine. -X
# leaves out owners and extra times, -D the folder entry.
(cd "$stage" && find Plumbmark -type f | LC_ALL=C sort |
  TZ=UTC zip -X -D -q -@ "$build/$name")
(cd "$build" && sha256sum "$name" >SHA256SUMS)
mv "$build/$name" "$dist/$name"
mv "$build/SHA256SUMS" "$dist/SHA256SUMS"
echo "dist/$name"
cat "$dist/SHA256SUMS"
