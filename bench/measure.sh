#!/usr/bin/env bash
# Usage: bench/measure.sh [path/to/plumbmark.exe [path/to/earlier/plumbmark.exe]]
#
# Measures what plumbmark.exe costs under Wine against two floor programs
# built from bench/floor_polling.cpp and bench/floor_drawing.cpp: CPU (the
# exe's process plus its wineserver) with the pointer still and with it
# moving a step every 20 ms, time from launch to a visible crosshair, resident
# memory and file size. The three programs run in interleaved rounds on a
# private Xvfb with openbox and a private Wine prefix; medians are compared
# with the budgets. Given an earlier exe too, it runs in the same rounds as
# plumbmark-before.exe and each figure is also compared with it. Exits 0 when
# it measured, whatever the figures.
#
# The exe defaults to $PLUMBMARK_EXE, then build/mingw/src/platform/win32/plumbmark.exe.
# Environment: ROUNDS (3), PHASE_SECONDS (15), SETTLE_SECONDS (3).
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-${PLUMBMARK_EXE:-build/mingw/src/platform/win32/plumbmark.exe}}
[ -f "$exe" ] || exe="$root/$exe"
before=${2:-}
[ -z "$before" ] || [ -f "$before" ] || die "no earlier exe at $before"
rounds=${ROUNDS:-3}
phase=${PHASE_SECONDS:-15}
settle=${SETTLE_SECONDS:-3}
readonly screen_w=1024 screen_h=768 park_x=512 park_y=384
readonly still_budget=1.2 moving_budget=1.1

die() {
  echo "measure.sh: $*" >&2
  exit 2
}

[ -f "$exe" ] || die "no exe at ${1:-${PLUMBMARK_EXE:-build/mingw/src/platform/win32/plumbmark.exe}}"
for tool in Xvfb openbox wine wineserver wineboot xdotool xprop x86_64-w64-mingw32-g++; do
  command -v "$tool" >/dev/null || die "$tool is not installed"
done
[[ $rounds =~ ^[1-9][0-9]*$ ]] || die "ROUNDS must be a positive whole number"
[[ $phase =~ ^[1-9][0-9]*$ ]] || die "PHASE_SECONDS must be a positive whole number"
[[ $settle =~ ^[0-9]+$ ]] || die "SETTLE_SECONDS must be a whole number"

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
xvfb_pid="" openbox_pid="" wineserver_pid="" program_pid="" launched_pid="" mover_pid=""
percent="" server_percent="" start_ms=""

# Ends what this run started, by process id, and Wine's processes of this prefix.
cleanup() {
  trap - EXIT INT TERM
  for pid in $mover_pid $program_pid $launched_pid; do kill -KILL "$pid" 2>/dev/null || true; done
  [ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; }
  [ -n "$wineserver_pid" ] && { wait "$wineserver_pid" 2>/dev/null || true; }
  for pid in $openbox_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now_ns() { date +%s%N; }

# Builds a floor program into build/bench.
build_floor() {
  mkdir -p "$root/build/bench"
  x86_64-w64-mingw32-g++ -std=c++20 -static -O2 -s -mwindows -municode \
    -o "$root/build/bench/$1.exe" "$root/bench/$1.cpp"
}

# A private X display with openbox, and a private Wine prefix whose server
# stays up for the whole run.
start_session() {
  Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp 3>"$work/display" \
    2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || die "Xvfb did not start"
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  openbox >/dev/null 2>&1 &
  openbox_pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || die "wineboot failed"
  wineserver -w
  wineserver -f -p >/dev/null 2>&1 &
  wineserver_pid=$(find_process "$!" wineserver) || die "wineserver did not start"
}

# True when process $1 runs in this run's prefix.
in_prefix() {
  tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"
}

# The process of this prefix whose command line names $2 (case-insensitive),
# checking process $1 (what was launched) first; waits up to 30 s.
find_process() {
  local launched=$1 name=${2,,} pid command
  for _ in $(seq 300); do
    for pid in "$launched" /proc/[0-9]*; do
      pid=${pid#/proc/} command=""
      { IFS= read -r -d '' command <"/proc/$pid/cmdline"; } 2>/dev/null || [ -n "$command" ] || continue
      command=${command%% *}
      command=${command##*[\\/]}
      if [[ ${command,,} == "$name"* ]] && in_prefix "$pid"; then
        echo "$pid"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# utime + stime of process $1, in clock ticks.
cpu_ticks() {
  local stat rest fields
  stat=$(<"/proc/$1/stat") || die "process $1 ended during the measurement"
  rest=${stat##*) }
  read -ra fields <<<"$rest"
  echo $((fields[11] + fields[12]))
}

# True when program $1 (its X class is its exe name) shows what it should:
# "line" needs one visible window spanning the screen's width and one
# spanning its height; "any" needs any visible window.
shows_windows() {
  local class="^${1//./\\.}\$" need=$2 window key value width height wide=0 tall=0
  for window in $(xdotool search --onlyvisible --classname "$class" 2>/dev/null); do
    [ "$need" = any ] && return 0
    width=0 height=0
    while IFS='=' read -r key value; do
      case $key in WIDTH) width=$value ;; HEIGHT) height=$value ;; esac
    done < <(xdotool getwindowgeometry --shell "$window" 2>/dev/null)
    [ "$width" -ge "$screen_w" ] && wide=1
    [ "$height" -ge "$screen_h" ] && tall=1
  done
  [ $wide -eq 1 ] && [ $tall -eq 1 ]
}

# The pointer path while moving: back and forth along a diagonal through the
# parking point, one step every 20 ms, long enough for a phase.
mover_args() {
  local step offset
  for ((step = 0; step < phase * 50 + 100; step++)); do
    offset=$((step % 100 < 50 ? step % 100 - 25 : 75 - step % 100))
    echo mousemove $((park_x + 4 * offset)) $((park_y + 3 * offset)) sleep 0.02
  done
}

# Percent of one core for $1 clock ticks over $2 nanoseconds.
core_percent() {
  awk -v t="$1" -v hz="$(getconf CLK_TCK)" -v ns="$2" 'BEGIN { printf "%.2f", 100 * t / hz / (ns / 1e9) }'
}

# Sets `percent` to the share of one core that the program and wineserver
# spent over $phase seconds, `server_percent` to wineserver's part; with
# "moving", the pointer follows the path meanwhile.
measure_phase() {
  local exe_start exe_end server_start server_end t_start t_end
  t_start=$(now_ns)
  exe_start=$(cpu_ticks "$program_pid")
  server_start=$(cpu_ticks "$wineserver_pid")
  if [ "$1" = moving ]; then
    # shellcheck disable=SC2046
    xdotool $(mover_args) &
    mover_pid=$!
  fi
  sleep "$phase"
  exe_end=$(cpu_ticks "$program_pid")
  server_end=$(cpu_ticks "$wineserver_pid")
  t_end=$(now_ns)
  if [ -n "$mover_pid" ]; then
    kill "$mover_pid" 2>/dev/null || true
    wait "$mover_pid" 2>/dev/null || true
    mover_pid=""
  fi
  percent=$(core_percent $((exe_end - exe_start + server_end - server_start)) $((t_end - t_start)))
  server_percent=$(core_percent $((server_end - server_start)) $((t_end - t_start)))
}

# Ends the measured program by process id and waits until it is gone.
stop_program() {
  kill -TERM "$program_pid" 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$program_pid" 2>/dev/null || true
  while kill -0 "$program_pid" 2>/dev/null; do sleep 0.1; done
  wait "$launched_pid" 2>/dev/null || true
  program_pid="" launched_pid=""
}

# Starts program $1 from a fresh folder holding only a copy of $2 and waits
# until it shows what $3 asks (see shows_windows); sets `start_ms` and `program_pid`.
launch_program() {
  local name=$1 dir t0
  dir=$(mktemp -d "$work/run-XXXX")
  cp "$2" "$dir/$name"
  xdotool mousemove "$park_x" "$park_y"
  t0=$(now_ns)
  (cd "$dir" && exec wine "$name" >/dev/null 2>&1) &
  launched_pid=$!
  # Polls for a minute at most, less when the launched process ends first.
  until shows_windows "$name" "$3"; do
    kill -0 "$launched_pid" 2>/dev/null || break
    [ "$(now_ns)" -lt $((t0 + 60000000000)) ] || break
    sleep 0.01
  done
  start_ms=$((($(now_ns) - t0) / 1000000))
  shows_windows "$name" "$3" || die "$name showed no crosshair (or window) within a minute"
  program_pid=$(find_process "$launched_pid" "$name") || die "no process of $name found"
}

# One round of one program: start (timed), settle, still, moving, memory.
# Appends "round name still% moving% start_ms rss_kB server-still% server-moving%"
# to the results.
measure_program() {
  local round=$1 name=$2 still still_server moving moving_server rss need=line
  [ "$name" = floor_polling.exe ] && need=any
  launch_program "$name" "$3" "$need"
  sleep "$settle"
  measure_phase still
  still=$percent still_server=$server_percent
  measure_phase moving
  moving=$percent moving_server=$server_percent
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$program_pid/status")
  xdotool mousemove "$park_x" "$park_y"
  stop_program
  printf '%-18s round %d  still %5.2f %% (server %5.2f)  moving %5.2f %% (server %5.2f)' \
    "$name" "$round" "$still" "$still_server" "$moving" "$moving_server"
  printf '  start %5d ms  RSS %5.1f MiB\n' "$start_ms" "$(awk -v k="$rss" 'BEGIN{print k/1024}')"
  echo "$round $name $still $moving $start_ms $rss $still_server $moving_server" >>"$work/results"
}

# The median of column $2 for program $1 in the results.
median() {
  awk -v name="$1" -v col="$2" '$2 == name { print $col }' "$work/results" | sort -g |
    awk '{ v[NR] = $1 } END { printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# "a / b = ratio (budget ≤ limit): within budget" or "over budget".
verdict() {
  awk -v a="$1" -v b="$2" -v limit="$3" 'BEGIN {
    if (b <= 0) { printf "%s / %s: floor measured 0, no ratio\n", a, b; exit }
    r = a / b
    printf "%s / %s = %.2f (budget <= %s): %s\n", a, b, r, limit, r <= limit ? "within budget" : "over budget"
  }'
}

report() {
  local name
  echo
  echo "Medians of $rounds rounds ($phase s per phase; $(nproc) cores; load average now $(cut -d' ' -f1-3 /proc/loadavg))"
  printf '%-18s %8s %8s %8s %8s %8s %8s %9s\n' program "still %" "(server)" "moving %" "(server)" \
    "start ms" "RSS MiB" "size B"
  for name in "${order[@]}"; do
    printf '%-18s %8s %8s %8s %8s %8.0f %8.1f %9d\n' "$name" "$(median "$name" 3)" \
      "$(median "$name" 7)" "$(median "$name" 4)" "$(median "$name" 8)" "$(median "$name" 5)" \
      "$(awk -v k="$(median "$name" 6)" 'BEGIN{print k/1024}')" "$(stat -c %s "${sources[$name]}")"
  done
  echo
  echo "pointer still, plumbmark / polling floor: $(verdict "$(median plumbmark.exe 3)" "$(median floor_polling.exe 3)" "$still_budget")"
  echo "pointer moving, plumbmark / drawing floor: $(verdict "$(median plumbmark.exe 4)" "$(median floor_drawing.exe 4)" "$moving_budget")"
  awk -v a="$(median plumbmark.exe 5)" -v b="$(median floor_drawing.exe 5)" \
    'BEGIN { printf "start to visible crosshair, plumbmark / drawing floor: %d ms / %d ms = %.2f\n", a, b, a / b }'
  [ -n "$before" ] || return 0
  for col in 3:still 4:moving; do
    awk -v a="$(median plumbmark.exe "${col%%:*}")" -v b="$(median plumbmark-before.exe "${col%%:*}")" \
      -v what="${col#*:}" 'BEGIN { printf "pointer %s, plumbmark / the earlier exe: %s / %s = %.2f\n", what, a, b, (b > 0 ? a / b : 0) }'
  done
}

build_floor floor_polling
build_floor floor_drawing
declare -A sources=([plumbmark.exe]="$exe" [floor_polling.exe]="$root/build/bench/floor_polling.exe"
  [floor_drawing.exe]="$root/build/bench/floor_drawing.exe")
order=(plumbmark.exe floor_polling.exe floor_drawing.exe)
if [ -n "$before" ]; then
  sources[plumbmark-before.exe]=$before
  order+=(plumbmark-before.exe)
fi
echo "Measuring $exe: $rounds rounds, $phase s per phase, load average $(cut -d' ' -f1-3 /proc/loadavg)"
start_session
# The prefix's first program also starts Wine's own services: not measured.
launch_program floor_drawing.exe "${sources[floor_drawing.exe]}" line
stop_program
for ((round = 1; round <= rounds; round++)); do
  # Each round starts with a different program, so none always follows the same one.
  for ((i = 0; i < ${#order[@]}; i++)); do
    name=${order[(round - 1 + i) % ${#order[@]}]}
    measure_program "$round" "$name" "${sources[$name]}"
  done
done
report
