#!/usr/bin/env bash
# CPU of the player's whole process tree on a desktop: a private X server
# and a private PulseAudio server, the demo course, and /proc over 10 s with
# the main window open, with a narrated lesson's window open, and with the
# lesson playing. Also lists the sound server's streams at each step.
# Usage: bench/media/desktop-cpu.sh [build dir]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp -r "$build/demo-course" "$work/course"
# No splash: its window would cover the main window.
python3 - "$work/course/wind.mtp" <<'PY'
import sys
p = sys.argv[1]
lines = open(p, newline='').read().split('\r\n')
lines[2] = '0'
open(p, 'w', newline='').write('\r\n'.join(lines))
PY

export XDG_RUNTIME_DIR="$work/run" HOME="$work/run"
mkdir -p "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-level=error \
  --load=module-null-sink --load=module-native-protocol-unix &
pids+=($!)
for _ in $(seq 100); do [[ -S "$XDG_RUNTIME_DIR/pulse/native" ]] && break; sleep 0.1; done
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp &
pids+=($!)
export DISPLAY=$display
sleep 1
(cd "$work/course" && exec "$build/src/lectern") >/dev/null 2>&1 &
player=$!
pids+=("$player")

ticks() {  # utime + stime of the player and all its descendants
  local total=0 pid
  local all=("$1")
  local queue=("$1")
  while ((${#queue[@]})); do
    local children
    children=$(pgrep -P "${queue[0]}" || true)
    queue=("${queue[@]:1}")
    for pid in $children; do all+=("$pid"); queue+=("$pid"); done
  done
  for pid in "${all[@]}"; do
    if [[ -r /proc/$pid/stat ]]; then
      local fields
      fields=$(sed 's/.*) //' "/proc/$pid/stat")
      total=$((total + $(echo "$fields" | awk '{print $12 + $13}')))
    fi
  done
  echo "$total"
}

measure() {
  local before after
  before=$(ticks "$player")
  sleep 10
  after=$(ticks "$player")
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v what="$1" \
    'BEGIN { printf "%-26s %5.2f %% of a core\n", what, 100 * t / hz / 10 }'
  echo "  streams: $(pactl list short sink-inputs | wc -l) playback," \
    "$(pactl list short source-outputs | wc -l) capture"
}

window() {  # waits for a visible window whose name matches
  for _ in $(seq 120); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && { echo "$id"; return; }
    sleep 0.5
  done
  echo "no window '$1'" >&2
  exit 1
}

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }

main=$(window "^$(head -n1 "$work/course/wind.mtp" | tr -d "\r")\$")
eval "$(xdotool getwindowgeometry --shell "$main")"
sleep 5
measure "main window at rest"

# The first lesson of the first chapter, then "Run lesson" (main.dsg places
# the tree and the buttons).
click $((X + 129)) $((Y + 90))
xdotool key Right
sleep 0.5
click $((X + 129)) $((Y + 108))
click $((X + 568)) $((Y + 40))
reading=$(window "narrated reading")
eval "$(xdotool getwindowgeometry --shell "$reading")"
sleep 3
measure "lesson window at rest"

click $((X + 78)) $((Y + HEIGHT - 42))
sleep 1
measure "lesson playing"
