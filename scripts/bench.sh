#!/usr/bin/env bash
# Whole-process figures of zuvo-widgets, each printed next to its goal, from one run of this script:
# - the status commands' wall time against `cat` of the same status file, and their peak memory;
# - the drawing commands' wall time against the program before the router (commit 4f4c2dd, built
#   once into build-bench-before/, or --before PROGRAM), skipped with --no-before;
# - load() of the status store against a bare open+fstat+read+close (zuvo-bench-status-store).
# Wall times are medians over rounds; within a round the commands compared run in turn, so a busy
# machine slows them alike. Usage: scripts/bench.sh [--before PROGRAM | --no-before] [--rounds N]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

before_commit=4f4c2dd
before=""
compare_before=1
rounds=7
while [ $# -gt 0 ]; do
  case $1 in
    --before) before=$2; shift 2 ;;
    --no-before) compare_before=0; shift ;;
    --rounds) rounds=$2; shift 2 ;;
    *) echo "usage: scripts/bench.sh [--before PROGRAM | --no-before] [--rounds N]" >&2; exit 2 ;;
  esac
done

if [ ! -x /usr/bin/time ]; then  # GNU time, for peak memory
  sudo=""; if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get install -y -qq --no-install-recommends time > /dev/null
fi

cmake --preset bench > /dev/null
cmake --build --preset bench --target zuvo-widgets zuvo-bench-status-store > /dev/null
program=$root/build-bench/zuvo-widgets

if [ "$compare_before" = 1 ] && [ -z "$before" ] && ! git cat-file -e "$before_commit^{commit}" 2>/dev/null; then
  echo "no commit $before_commit here: the drawing commands are not compared (--before PROGRAM)" >&2
  compare_before=0
fi
if [ "$compare_before" = 1 ] && [ -z "$before" ]; then
  before=$root/build-bench-before/zuvo-widgets
  if [ ! -x "$before" ]; then
    echo "building zuvo-widgets at $before_commit into build-bench-before/ (once)" >&2
    mkdir -p build-bench-before/source
    git archive "$before_commit" | tar -x -C build-bench-before/source
    cmake -S build-bench-before/source -B build-bench-before -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=g++ "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g -DNDEBUG" -DZUVO_TESTS=OFF > /dev/null
    cmake --build build-bench-before --target zuvo-widgets > /dev/null
  fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=$root/examples/widget-status.json
export XDG_DATA_HOME=$work/data
mkdir -p "$XDG_DATA_HOME/group.com.halverdyne.zuvo/Library/Application Support"
cp "$status" "$XDG_DATA_HOME/group.com.halverdyne.zuvo/Library/Application Support/widget-status.json"
cd "$work"

# Microseconds for `runs` runs of a command line, output discarded.
elapsed() {
  local runs=$1; shift
  local start=$EPOCHREALTIME
  for ((i = 0; i < runs; i++)); do "$@" > /dev/null; done
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) / runs ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-44s %12s   %s\n' "$1" "$2" "$3"; }

# Median over rounds of a command's wall time divided by a reference's, both run in each round.
# Prints "ratio ours_us reference_us".
compare() {
  local runs=$1 reference=$2; shift 2
  local ratios=() ours=() theirs=()
  for ((r = 0; r < rounds; r++)); do
    local a b
    b=$(elapsed "$runs" $reference)
    a=$(elapsed "$runs" "$@")
    ratios+=("$(ratio "$a" "$b")"); ours+=("$a"); theirs+=("$b")
  done
  echo "$(printf '%s\n' "${ratios[@]}" | median) $(printf '%s\n' "${ours[@]}" | median) $(printf '%s\n' "${theirs[@]}" | median)"
}

# Peak resident memory in KiB, median of five runs.
peak() {
  for ((r = 0; r < 5; r++)); do /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -1; done | median
}

row "figure" "measured" "goal"
cat_rss=$(peak cat "$status")
for command in timeline snapshot placeholder "check $status"; do
  name=${command%% *}
  # shellcheck disable=SC2086
  read -r r ours theirs <<<"$(compare 40 "cat $status" "$program" $command)"
  row "$name: wall time / cat" "${r}x" "<= 2x  (${ours} us against ${theirs} us)"
  # shellcheck disable=SC2086
  rss=$(peak "$program" $command)
  row "$name: peak RSS" "$((rss / 1024)).$(( (rss % 1024) * 10 / 1024 )) MiB" \
    "<= 8 MB  ($(ratio "$rss" "$cat_rss")x cat's ${cat_rss} KiB)"
done

if [ "$compare_before" = 1 ]; then
  for command in "render --sample --family medium --scale 2 -o w.png" "layout --sample --family medium" \
                 "gallery --sample -o g.png" "describe" "press new-vantle"; do
    # shellcheck disable=SC2086
    read -r r ours theirs <<<"$(compare 5 "$before $command" "$program" $command)"
    row "${command%% *}: wall time / before ($before_commit)" "${r}x" "<= 1x  (${ours} us against ${theirs} us)"
  done
fi

load=$("$root/build-bench/zuvo-bench-status-store" --benchmark_filter=StoreLoad --benchmark_repetitions=5 \
         --benchmark_report_aggregates_only=true 2>/dev/null | awk '/StoreLoad_median/ { for (i = 1; i <= NF; i++) if ($i ~ /^ratio=/) print substr($i, 7) }')
row "load(): time / bare open+fstat+read+close" "$(printf '%.2f' "$load")x" "<= 1.35x"
