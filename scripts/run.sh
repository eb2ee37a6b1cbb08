#!/usr/bin/env bash
# Builds plumbmark.exe when needed and runs the crosshair under Wine on your
# X display ($DISPLAY). Wine gets its own prefix in build/wineprefix, and the
# exe runs from build/run, so Plumbmark.ini is kept there, next to it.
# Installs what is missing (MinGW-w64, Wine, CMake, a Japanese font) with
# apt-get, through sudo when not run as root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The Debian packages this needs that are not installed yet.
missing_packages() {
  command -v x86_64-w64-mingw32-g++-win32 >/dev/null || echo g++-mingw-w64-x86-64
  command -v wine >/dev/null || echo wine
  command -v cmake >/dev/null || echo cmake
  command -v make >/dev/null || echo make
  command -v fc-list >/dev/null || echo fontconfig
  if ! command -v fc-list >/dev/null || [ -z "$(fc-list :lang=ja family)" ]; then
    echo fonts-noto-cjk
  fi
}

mapfile -t packages < <(missing_packages)
if [ "${#packages[@]}" -gt 0 ]; then
  echo "Installing ${packages[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${packages[@]}"
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh shows the crosshair on an X display, but DISPLAY is not set" >&2
  exit 1
fi

[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw
cmake --build --preset mingw --target plumbmark

export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  wineboot -i
  # Wine's dialog font has no Japanese; its font links name a Windows font
  # that is not here, so point that name at a Japanese font that is.
  japanese=$(fc-list :lang=ja family | tr ',' '\n' | grep -m1 'Sans CJK JP' ||
    fc-list :lang=ja family | head -n1 | cut -d, -f1)
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d "$japanese" /f \
    >/dev/null
  wineserver -w
fi

mkdir -p build/run
cp build/mingw/src/platform/win32/plumbmark.exe build/run/plumbmark.exe
cd build/run
exec wine plumbmark.exe
