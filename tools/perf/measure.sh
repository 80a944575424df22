#!/usr/bin/env bash
# The figures of a real window, under a virtual X server (Xvfb):
#   1. start-up: process start to the first frame of the title on screen;
#   2. resident memory while playing (VmRSS sampled each second, and the peak VmHWM);
#   3. frame pacing over 2,000 frames (median, 99th percentile, CPU use), on an idle
#      machine and with a busy process on every core (`stress`, or a shell busy-loop).
# Usage: tools/perf/measure.sh [BUILD_DIR]   (needs xdotool and imagemagick; stress optional)
set -euo pipefail

build=${1:-build}
bin="$build/bin/moriva"
measure="$build/bench/game_frame_measure"
runs=${STARTUP_RUNS:-7}
play_seconds=${PLAY_SECONDS:-20}
for tool in Xvfb xdotool import; do
  command -v $tool >/dev/null || { echo "measure.sh: $tool is missing (apt-get install xvfb xdotool imagemagick)"; exit 1; }
done

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
load_pids=()
cleanup() {
  for p in "${load_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$config" "${probe_dir:-}"
}
trap cleanup EXIT
export DISPLAY=$display SDL_AUDIODRIVER=dummy
# The program's defaults (music on, window factor 1), not what the user last chose.
config=$(mktemp -d)
export XDG_CONFIG_HOME=$config
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The window of a process once it is on screen, or nothing after ten seconds.
wait_window() {
  local pid=$1 deadline=$(( $(now_ms) + 10000 ))
  while [ "$(now_ms)" -lt $deadline ]; do
    local id
    id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) || true
    if [ -n "$id" ]; then echo "$id"; return 0; fi
  done
  return 1
}

# A blank window has one colour: the title is drawn once the picture has more than a few.
title_drawn() { [ "$(import -window "$1" -format '%k' info: 2>/dev/null || echo 0)" -gt 16 ]; }

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Start-up: process start to the first frame of the title on screen. A small library loaded
# with LD_PRELOAD (first_frame_probe.c) notes the moment the program first sends a window's
# picture to the X server, with the process's CPU time and the window thread's, and writes
# them to a pipe; the script waits on the pipe, so it takes no CPU from the program while it
# starts. Once with the session as it is here (no session bus: libdbus tries to start one
# and Qt's accessibility bridge waits for that), once inside a session bus as a desktop has.
probe_dir=$(mktemp -d)
cc -shared -fPIC -O2 -o "$probe_dir/probe.so" "$(dirname "$0")/first_frame_probe.c" -ldl
mkfifo "$probe_dir/frame"
exec 3<>"$probe_dir/frame"

startup() {  # prints "<ms to the first frame> <process CPU ms> <window thread CPU ms>"
  local start pid wall cpu thread
  start=$(now_ms)
  MORIVA_FIRST_FRAME_OUT="$probe_dir/frame" LD_PRELOAD="$probe_dir/probe.so" setsid "$@" >/dev/null 2>&1 &
  pid=$!
  if read -r -t 10 -u 3 wall cpu thread; then echo "$((wall - start)) $cpu $thread"; else echo "the title did not appear" >&2; fi
  kill -- -$pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
}

startup_figures() {  # label, then the command that starts the program
  local label=$1 times=()
  shift
  for _ in $(seq "$runs"); do times+=("$(startup "$@")"); sleep 0.3; done
  printf '%s: first frame of the title on screen, median %s ms; CPU until then %s ms, of which the window thread %s ms\n' \
    "$label" "$(printf '%s\n' "${times[@]}" | awk '{print $1}' | median)" \
    "$(printf '%s\n' "${times[@]}" | awk '{print $2}' | median)" \
    "$(printf '%s\n' "${times[@]}" | awk '{print $3}' | median)"
}

echo "== start-up to the title ($runs runs each)"
startup_figures "no session bus" "$bin"
if command -v dbus-run-session >/dev/null; then
  startup_figures "in a session bus" dbus-run-session -- "$bin"
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== resident memory while playing ($play_seconds s)"
"$bin" >/dev/null 2>&1 &
pid=$!
id=$(wait_window $pid)
until title_drawn "$id"; do sleep 0.05; done
xdotool windowfocus --sync "$id" 2>/dev/null || true
xdotool key --window "$id" space
peak=0
for s in $(seq "$play_seconds"); do
  if [ $((s % 4)) -lt 2 ]; then key=Right; else key=Left; fi
  xdotool keydown --window "$id" $key space; sleep 0.5; xdotool keyup --window "$id" $key space; sleep 0.5
  rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
  [ "$rss" -gt "$peak" ] && peak=$rss
done
hwm=$(awk '/VmHWM/ {print $2}' /proc/$pid/status)
echo "VmRSS at the end $rss kB, highest sample $peak kB, peak VmHWM $hwm kB"
kill $pid; wait $pid 2>/dev/null || true

echo "== frame pacing, 2,000 frames, machine as it is (load average $(cut -d' ' -f1-3 /proc/loadavg))"
"$measure" "$build/bin"

echo "== frame pacing, 2,000 frames, a busy process on each of $(nproc) cores"
if command -v stress >/dev/null; then
  stress --cpu "$(nproc)" --timeout 120 >/dev/null 2>&1 &
  load_pids+=($!)
else
  for _ in $(seq "$(nproc)"); do (while :; do :; done) & load_pids+=($!); done
fi
sleep 1
"$measure" "$build/bin"
