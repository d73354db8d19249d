#!/usr/bin/env zsh
# Prints, one a line, the words zsh's completion system offers at the end of a command line: it
# types the line and a Tab into an interactive zsh on a pseudo-terminal, and each word a completion
# function adds is printed between markers. The markers are split in the typed definitions, so the
# terminal's echo of them does not count.
# Usage: zsh_completions.zsh COMPLETIONS_FOLDER LINE
zmodload zsh/zpty
zpty completer zsh -f -i
zpty -w completer "PS1=''; fpath=(${(q)1} \$fpath); autoload -U compinit; compinit -u -D"
zpty -w completer 'compadd() {
  if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi
  local -a added; builtin compadd -A added "$@"
  local word; for word in $added; do print -r -- "<off""ered>$word</off""ered>"; done
  builtin compadd "$@"
}'
zpty -w completer 'finish() { print "<fin""ished>"; exit }; zle -N finish; bindkey "^T" finish'
zpty -w -n completer "$2"$'\t'
zpty -w -n completer $'\C-t'
local out
zpty -r -m completer out '*<finished>*'
print -r -- "$out" | grep -ao '<offered>[^<]*' | cut -c10-
zpty -d completer
