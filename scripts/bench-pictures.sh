#!/usr/bin/env bash
# Whole-process wall time of the picture commands, one program beside another, runs interleaved
# so both see the same machine; prints each median and the ratio old/new.
#
#   scripts/bench-pictures.sh OLD_PROGRAM NEW_PROGRAM [RUNS]
#
# Build the old program from an earlier commit in a worktree of its own, e.g.
#   git worktree add /tmp/zuvo-old 4f4c2dd && cmake -S /tmp/zuvo-old -B /tmp/zuvo-old/build -G Ninja \
#     -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build /tmp/zuvo-old/build --target zuvo-widgets
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 OLD_PROGRAM NEW_PROGRAM [RUNS]" >&2
  exit 2
fi
old=$1 new=$2 runs=${3:-15}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Milliseconds of wall time of one run of "$@".
wall() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {
  local name=$1
  shift
  : >"$out/old" && : >"$out/new"
  "$old" "$@" -o "$out/warm.png" && "$new" "$@" -o "$out/warm.png"  # fonts and files in the page cache
  for _ in $(seq "$runs"); do
    wall "$old" "$@" -o "$out/old.png" >>"$out/old"
    wall "$new" "$@" -o "$out/new.png" >>"$out/new"
  done
  local o n
  o=$(median <"$out/old") n=$(median <"$out/new")
  awk -v name="$name" -v o="$o" -v n="$n" -v so="$(stat -c %s "$out/old.png")" -v sn="$(stat -c %s "$out/new.png")" \
    'BEGIN { printf "%-34s old %7.1f ms  new %7.1f ms  %.2fx faster  (%d -> %d bytes)\n", name, o / 1000, n / 1000, o / n, so, sn }'
}

measure "render --family medium --scale 2" render --sample --family medium --scale 2
measure "gallery" gallery --sample
