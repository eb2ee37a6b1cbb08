#!/usr/bin/env bash
# The tests of plumbmark.exe itself: its resources read back from the file,
# the backend's pure rules run natively, the DLLs it imports, and a smoke
# run under Wine on a private X server. Builds the exe with the mingw preset
# when needed. Ends with "N passed, M failed"; exits non-zero on a failure.
# Usage: tests/win32/run.sh
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tests/win32"
build="$root/build/mingw"
exe="$build/src/platform/win32/plumbmark.exe"
bin="$build/win32-tests"
passed=0 failed=0

record() {  # status name
  if [ "$1" -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS: $2"
  else
    failed=$((failed + 1))
    echo "FAIL: $2"
  fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

cd "$root"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset mingw >/dev/null || { record 1 "configure the mingw build"; finish; }
fi
if cmake --build --preset mingw --target plumbmark >"$build/win32-build.log" 2>&1; then
  record 0 "build plumbmark.exe"
else
  tail -n 30 "$build/win32-build.log"
  record 1 "build plumbmark.exe"
fi
[ -f "$exe" ] || finish

mkdir -p "$bin"
g++ -std=c++20 -O1 -Wall -Wextra -I"$here" "$here/pe_resources_test.cpp" -o "$bin/pe_resources_test"
"$bin/pe_resources_test" "$exe"
record $? "version block, icon and manifest read back from the exe"

g++ -std=c++20 -O1 -Wall -Wextra -I"$root/src" -I"$here" "$here/helpers_test.cpp" \
  "$root/src/platform/win32/text.cpp" "$root/src/platform/win32/module_path.cpp" \
  "$root/src/platform/win32/line_placement.cpp" -o "$bin/helpers_test"
"$bin/helpers_test"
record $? "text conversion, program folder and line placement rules"

# Only Windows' own DLLs: no MinGW run-time to ship next to the exe.
system_dlls='^(kernel32|user32|gdi32|comctl32|imm32|shcore|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$'
others=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p' |
  tr 'A-Z' 'a-z' | grep -Ev "$system_dlls")
[ -z "$others" ]
record $? "imports only system DLLs${others:+ (also: $others)}"

while IFS= read -r line; do
  case $line in
    PASS:*) record 0 "${line#PASS: }" ;;
    FAIL:*) record 1 "${line#FAIL: }" ;;
  esac
done < <("$here/smoke.sh" "$exe")

finish
