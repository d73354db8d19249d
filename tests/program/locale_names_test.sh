#!/usr/bin/env bash
# A locale variable, or --locale, holding a name that is not UTF-8 or cannot be a locale reads as
# unset: every drawing command runs, with United States English figures.
# Usage: locale_names_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/../shell_helpers.sh"
unset LC_ALL LC_CTYPE LC_NUMERIC LC_MONETARY LC_MESSAGES LANG LANGUAGE

# The sample's spend, as en_US writes it, and as de_DE does.
"$program" layout --sample > "$work/english.json"
"$program" layout --sample --locale de_DE.UTF-8 > "$work/german.json"
english_spend='"\$4.20"'
grep -q "$english_spend" "$work/english.json" || fail "no $english_spend in the sample's layout"
! grep -q "$english_spend" "$work/german.json" || fail "--locale de_DE.UTF-8 still shows $english_spend"

run() {  # run VARIABLE VALUE COMMAND ARGS...: the command with that one locale setting
  local variable=$1 value=$2
  shift 2
  if [ "$variable" = --locale ]; then
    "$@" --locale "$value"
  else
    env "$variable=$value" "$@"
  fi
}

for variable in LC_ALL LC_NUMERIC LC_MONETARY LC_MESSAGES LANG LANGUAGE --locale; do
  for value in $'\xff' $'de\xe9' $'de_DE.\xff'; do
    shown=$(printf '%q' "$value")
    run "$variable" "$value" "$program" layout --sample > "$work/layout.json" \
      || fail "layout with $variable=$shown exited $?"
    grep -q "$english_spend" "$work/layout.json" || fail "layout with $variable=$shown: no en_US figures"
    [ "$(run "$variable" "$value" "$program" tap --sample --family medium --at 60,140)" = "zuvo://pane/new" ] \
      || fail "tap with $variable=$shown"
    run "$variable" "$value" "$program" render --sample -o "$work/w.png" || fail "render with $variable=$shown exited $?"
    if [ "$variable" != --locale ]; then  # the gallery has no --locale
      run "$variable" "$value" "$program" gallery --sample --scale 0.5 -o "$work/g.png" \
        || fail "gallery with $variable=$shown exited $?"
    fi
  done
done
echo "locale names that are not UTF-8 read as unset"
