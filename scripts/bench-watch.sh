#!/usr/bin/env bash
# Whole-process figures of `watch`: idle CPU, peak memory, the time from replacing the status file
# to the new line on the output, and a document with a 7-million-character agent name: its time to
# the line, and memory once a small document is back.
#   scripts/bench-watch.sh [build-dir] [idle-seconds]     (defaults: build, 60)
set -euo pipefail

build=${1:-build}
idle_seconds=${2:-60}
program="$build/libexec/zuvo-widgets/zuvo-widgets-watch"
[ -x "$program" ] || { echo "error: $program: not built (cmake --build $build --target zuvo-widgets-watch)" >&2; exit 1; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  exec 3<&- 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

folder="$work/data/group.com.halverdyne.zuvo/Library/Application Support"
mkdir -p "$folder"
write_temporary() {
  printf '{"waiting":%d,"unread":2,"weekScore":0.82,"weekSpend":4.2,"limits":[{"agent":"A","updatedAt":0,"windows":[{"name":"week","used":0.5}]}]}' "$1" \
    > "$folder/.widget-status.json.tmp"
}
replace() { mv "$folder/.widget-status.json.tmp" "$folder/widget-status.json"; }  # atomic, as the application writes
write_temporary 0
replace

mkfifo "$work/out"
XDG_DATA_HOME="$work/data" "$program" watch --format waybar > "$work/out" &
pid=$!
exec 3< "$work/out"
read -r -t 5 _ <&3 || { echo "error: no first line" >&2; exit 1; }

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)

# Idle: nothing changes for the whole interval.
sleep 1
before=$(ticks)
sleep "$idle_seconds"
after=$(ticks)
echo "idle CPU over ${idle_seconds} s: $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.3f s", t / hz }')"

# Latency: each replace changes the answer, so each gives one line. It counts from the rename (the
# file's change time, which the rename sets) to the line read here; replaces half a second apart,
# as a status file changes in use.
latencies=()
for i in $(seq 1 20); do
  write_temporary "$i"
  replace
  read -r -t 5 _ <&3 || { echo "error: no line after replace $i" >&2; exit 1; }
  end=$EPOCHREALTIME
  start=$(stat -c '%.9Z' "$folder/widget-status.json")
  latencies+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) * 1000 }')")
  sleep 0.5
done
printf '%s\n' "${latencies[@]}" | sort -n | awk '
  { v[NR] = $1; sum += $1 }
  END { printf "replace-to-line latency over %d replaces: median %.1f ms, max %.1f ms, mean %.1f ms\n", NR, v[int((NR + 1) / 2)], v[NR], sum / NR }'

echo "peak RSS: $(awk '/VmHWM/ { print $2, $3 }' "/proc/$pid/status"), of which anonymous now: $(awk '/RssAnon/ { print $2, $3 }' "/proc/$pid/status")"

# The huge document (within the 16 MiB the widget reads), three times, each followed by a small
# one. The waybar line carries the name in its tooltip: the time runs to the end of that line.
for round in 1 2 3; do
  python3 -c 'import sys; sys.stdout.write("{\"waiting\":%s,\"unread\":0,\"weekSpend\":1,\"limits\":[{\"agent\":\"%s\",\"updatedAt\":0,\"windows\":[]}]}" % (sys.argv[1], "N" * 7000000))' \
    "$((100 + round))" > "$folder/.widget-status.json.tmp"
  replace
  start=$(stat -c '%.9Z' "$folder/widget-status.json")
  # Nothing follows the line until the next replace, so head reads no further than its end.
  head -n 1 <&3 > /dev/null
  end=$EPOCHREALTIME
  write_temporary "$round"
  replace
  read -r -t 5 _ <&3 || { echo "error: no line after the small document" >&2; exit 1; }
  sleep 0.5
  echo "7-million-character name, round $round: replace to line $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.0f", (e - s) * 1000 }') ms;" \
    "anonymous memory after a small document: $(awk '/RssAnon/ { print $2, $3 }' "/proc/$pid/status")"
done
kill -TERM "$pid"
wait "$pid" && echo "exit on SIGTERM: 0"
pid=""
