#!/usr/bin/env bash
# The shell completions the program writes load in their shells and offer the right words, and the
# manual page renders without warnings and covers every command and option the program declares.
# A shell that is not installed is left out, with a note.
# Usage: completions_and_manual_test.sh PROGRAM COMPLETIONS_FOLDER [MANUAL_PAGE]
set -euo pipefail
program=$1
completions=$2
manual=${3:-}
source "$(dirname "$0")/../shell_helpers.sh"
here=$(cd "$(dirname "$0")" && pwd)

touch "$work/picture.png" "$work/status.json"
# The shells keep their own files (fish its configuration folder) in the work folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
# What each shell offers at the end of a line, one word a line.
bash_offers() {
  bash -c 'source "$1"
    [ "$(complete -p zuvo-widgets)" = "complete -F _zuvo_widgets zuvo-widgets" ] || exit 3
    read -ra COMP_WORDS <<<"$2"
    [[ $2 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$2 COMP_POINT=${#2}
    _zuvo_widgets zuvo-widgets "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$completions/bash" "$1"
}
zsh_offers() { timeout 30 zsh "$here/zsh_completions.zsh" "$work/zsh" "$1"; }
fish_offers() { fish --no-config -c 'source $argv[1]; complete -C $argv[2]' "$completions/fish" "$1" | cut -f1; }
mkdir "$work/zsh"
cp "$completions/zsh" "$work/zsh/_zuvo-widgets"

# line | the words offered, sorted (file names without their folder, which zsh offers apart)
cases=(
  "zuvo-widgets ren|render"
  "zuvo-widgets c|check"  # the hidden completion command is not offered
  "zuvo-widgets render --family |medium small"
  "zuvo-widgets layout --appearance |dark light"
  "zuvo-widgets show --appearance |auto dark light"
  "zuvo-widgets tap --rendering-mode |accented full-color vibrant"
  "zuvo-widgets watch --format |json text waybar"
  "zuvo-widgets show --corner bottom-|bottom-left bottom-right"
  "zuvo-widgets press n|new-vantle"
  "zuvo-widgets render -o $work/pic|picture.png"
  "zuvo-widgets watch --status $work/st|status.json"
)
checked=0
for shell in bash zsh fish; do
  if ! command -v "$shell" > /dev/null; then
    echo "note: $shell is not installed; its completions are not checked"
    continue
  fi
  "$shell" -n "$completions/$shell" || fail "the $shell completions do not parse"
  for case in "${cases[@]}"; do
    line=${case%%|*}
    offered=$("${shell}_offers" "$line" | sed 's|.*/||' | sort -u | paste -sd' ') || fail "$shell: completing '$line' failed"
    [ "$offered" = "${case#*|}" ] || fail "$shell offers '$offered' after '$line', not '${case#*|}'"
  done
  checked=$((checked + 1))
done
[ "$checked" -gt 0 ] || fail "no shell checked"

if [ -n "$manual" ]; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 > "$work/manual.txt") || fail "man failed: $warnings"
  [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
  # Every command and every long option the program's help lists is in the manual.
  words=$("$program" --help-all | grep -oE '^ *[a-z]+$|--[a-z][a-z-]*' | sed 's/^ *//' | sort -u)
  [ "$(wc -l <<<"$words")" -gt 20 ] || fail "too few words in the help: $words"
  for word in $words; do
    grep -qF -- "$word" "$work/manual.txt" || fail "the manual page does not mention $word"
  done
fi
echo "completions offer the declared words; the manual page renders cleanly"
