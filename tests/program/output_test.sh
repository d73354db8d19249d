#!/usr/bin/env bash
# What the program says on its standard streams: every command whose answer cannot be written fails
# and says why; an unknown command is named, with the list of commands.
# Usage: output_test.sh PROGRAM STATUS_FILE
set -euo pipefail
program=$1
status=$2
source "$(dirname "$0")/../shell_helpers.sh"
export XDG_DATA_HOME="$work/data"  # no shared container: the empty status

# Each command that prints its answer, given a full disk as standard output.
while read -r command arguments; do
  code=0
  # shellcheck disable=SC2086  # the arguments are words
  "$program" "$command" $arguments > /dev/full 2> "$work/err" || code=$?
  expected="error: $command: cannot write the output: No space left on device"
  [ "$code" -eq 1 ] || fail "$command > /dev/full exited $code: $(cat "$work/err")"
  [ "$(cat "$work/err")" = "$expected" ] || fail "$command > /dev/full said: $(cat "$work/err")"
  # The same command can answer when the output can be written.
  "$program" "$command" $arguments > "$work/out" || fail "$command failed"
  [ -s "$work/out" ] || fail "$command printed nothing"
done <<COMMANDS
timeline
snapshot
placeholder
check $status
describe
press activity
layout --sample
tap --sample --family medium --at 60,140
completion fish
COMMANDS

exits 1 "$program" --help > /dev/full 2> /dev/null
exits 2 "$program" bogus > "$work/out" 2> "$work/err2"
[ ! -s "$work/out" ] || fail "an unknown command printed to standard output"
[ "$(head -n 1 "$work/err2")" = 'error: unknown command "bogus"' ] || fail "unknown command: $(cat "$work/err2")"
grep -qx 'commands: .*check.*render.*gallery.*' "$work/err2" || fail "the commands are not listed: $(cat "$work/err2")"
! grep -q completion "$work/err2" || fail "the hidden completion command is listed: $(cat "$work/err2")"
echo "every command reports output it could not write"
