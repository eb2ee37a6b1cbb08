#!/usr/bin/env bash
# Starts plumbmark.exe under Wine on a private X server with openbox and
# checks what the screen shows: two 5-pixel blue lines one pixel right of
# and below the pointer, following it; then Esc saves and ends the program.
# Prints one "PASS: ..." or "FAIL: ..." line per check.
# Usage: smoke.sh path/to/plumbmark.exe
set -u
exe=$1
work=$(mktemp -d)
xvfb_pid="" openbox_pid="" app_pid=""

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -d "$work/prefix" ] && WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; }

for tool in Xvfb openbox wine wineserver xdotool import convert; do
  if ! command -v "$tool" >/dev/null; then
    fail "smoke test needs $tool"
    exit 1
  fi
done

# A private display: Xvfb picks a free number and writes it to the pipe.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  fail "Xvfb did not start"
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
openbox_pid=$!

export WINEPREFIX="$work/prefix" WINEDEBUG=-all
wineboot -i >"$work/wineboot.log" 2>&1
wineserver -w
# A program folder whose name is outside any ANSI code page: the settings
# path must still reach it.
run="$work/線 ✓ Ω"
mkdir -p "$run"
cp "$exe" "$run/plumbmark.exe"
(cd "$run" && exec wine plumbmark.exe >"$work/app.log" 2>&1) &
app_pid=$!

# Waits up to $2 tenths of a second for command $1 to succeed.
wait_for() {
  for _ in $(seq "$2"); do eval "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

if wait_for "xdotool search --onlyvisible --name '^Plumbmark\$'" 300; then
  pass "the vertical line window appears"
else
  fail "the vertical line window appears"
  exit 1
fi

# The window states as the window manager sees them (EWMH): both lines kept
# above other windows, and only the vertical line on the taskbar.
states() { xprop -id "$(xdotool search --onlyvisible --name "$1" | head -n1)" _NET_WM_STATE; }
wait_for "xdotool search --onlyvisible --name '^Form1\$'" 100
tate=$(states '^Plumbmark$') yoko=$(states '^Form1$')
case $tate in
  *_NET_WM_STATE_ABOVE*SKIP_TASKBAR* | *SKIP_TASKBAR*) fail "vertical line on the taskbar: $tate" ;;
  *_NET_WM_STATE_ABOVE*) pass "vertical line kept above others, on the taskbar" ;;
  *) fail "vertical line kept above others: $tate" ;;
esac
case $yoko in
  *SKIP_TASKBAR*_NET_WM_STATE_ABOVE* | *_NET_WM_STATE_ABOVE*SKIP_TASKBAR*)
    pass "horizontal line kept above others, not on the taskbar" ;;
  *) fail "horizontal line kept above others, not on the taskbar: $yoko" ;;
esac

# The colours of a strip of the screen, one #RRGGBB per pixel.
strip() {  # x y width height
  convert "$work/shot.png" -crop "$3x$4+$1+$2" +repage -depth 8 txt:- |
    sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p' | tr '\n' ' '
}

# The five pixels after the pointer's column and row are blue, the pointer's
# own and the sixth are not; rows and columns are sampled away from the
# other line.
check_lines_at() {  # x y
  local x=$1 y=$2 want="#000000 #0000FF #0000FF #0000FF #0000FF #0000FF #000000 "
  xdotool mousemove "$x" "$y"
  local tate="xdotool search --onlyvisible --name '^Plumbmark\$' getwindowgeometry | grep -q 'Position: $((x + 1)),0'"
  wait_for "$tate" 50
  sleep 0.3
  import -window root "$work/shot.png"
  local sample_y=$(((y + 400) % 800)) sample_x=$(((x + 600) % 1280))
  local across down
  across=$(strip "$x" "$sample_y" 7 1)
  down=$(strip "$sample_x" "$y" 1 7)
  if [ "$across" = "$want" ]; then
    pass "vertical line 5 px blue right of pointer at $x,$y"
  else
    fail "vertical line right of pointer at $x,$y: $across"
  fi
  if [ "$down" = "$want" ]; then
    pass "horizontal line 5 px blue below pointer at $x,$y"
  else
    fail "horizontal line below pointer at $x,$y: $down"
  fi
}

check_lines_at 300 200
check_lines_at 900 650
check_lines_at 40 90

# Esc on the vertical line saves the style and ends the program.
xdotool key Escape
if wait_for "! kill -0 $app_pid" 100; then
  wait "$app_pid"
  status=$?
  app_pid=""
  [ "$status" -eq 0 ] && pass "Esc ends the program with exit code 0" ||
    fail "Esc ends the program: exit code $status"
else
  fail "Esc ends the program: still running"
fi
ini=$(od -An -c "$run/Plumbmark.ini" 2>/dev/null | tr -s ' \n' ' ')
want_ini=$(printf '[Plumbmark]\r\nSize=5\r\nColor=16711680\r\nVertical=0\r\nInterval=100\r\nHorizon=0\r\n' |
  od -An -c | tr -s ' \n' ' ')
if [ "$ini" = "$want_ini" ]; then
  pass "Esc saved the default style next to the program, byte for byte"
else
  fail "Esc saved the default style: '$ini'"
fi
