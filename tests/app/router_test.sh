#!/usr/bin/env bash
# zuvo-widgets as users run it: the status commands load no drawing, text, locale or GLib library;
# every other command is handed to its group's program and works as before; check refuses at once
# what the widget would not read.
# Usage: router_test.sh ROUTER DRAW_PROGRAM
set -euo pipefail
router=$1
draw=$2
source "$(dirname "$0")/../shell_helpers.sh"
cd "$work"
example='{"waiting":1,"unread":0,"weekSpend":2}'
echo "$example" > status.json

# The dynamic loader names every library it maps (LD_DEBUG=files). The drawing stack's libraries
# must show up for a drawing command, or this check could never fail.
heavy='lib(pango|cairo|rsvg|icu|glib|gobject|gio|harfbuzz|fontconfig|boost|gtk)'
loaded() { LD_DEBUG=files "$@" 2>&1 >/dev/null | grep -oE "file=[^ ]+" | sort -u || true; }
loaded "$router" layout --sample | grep -qE "$heavy" || fail "the loader trace shows no drawing library for layout"
export XDG_DATA_HOME="$work/data"
for command in timeline snapshot placeholder "check status.json"; do
  # shellcheck disable=SC2086
  if found=$(loaded "$router" $command | grep -E "$heavy"); then fail "$command loads: $found"; fi
done

# Routed commands, through the router.
"$router" render --sample -o widget.png
is_png widget.png || fail "render wrote no PNG"
"$router" layout --sample | grep -q '^{"family":"small"' || fail "layout"
[ "$("$router" tap --sample --at 40,150)" = "zuvo://pane/activity" ] || fail "tap"
"$router" describe | grep -q '"extension":"com.halverdyne.zuvo.mac.widgets"' || fail "describe"
[ "$("$router" press new-vantle)" = "zuvo://pane/new" ] || fail "press"
"$router" gallery --status status.json --scale 0.5 -o gallery.png && [ -s gallery.png ] || fail "gallery"
# A command's own failure keeps its exit code through the hand-over; usage mistakes exit 2.
exits 1 "$router" tap --sample --at 500,500
exits 2 "$router" tap --sample --at nowhere 2> /dev/null
exits 2 "$router" press nothing 2> /dev/null
# An unknown option is named, before a required one that is missing; no floating option takes nan.
exits 2 "$router" render --bogus 2> err
[ "$(head -n 1 err)" = "The following argument was not expected: --bogus" ] || fail "render --bogus: $(cat err)"
exits 2 "$router" show --margin nan 2> /dev/null
# A router copied away from its programs names the folders it looked in.
mkdir away && cp "$router" away/
exits 1 away/zuvo-widgets show --stop 2> err
[ "$(cat err)" = "error: zuvo-widgets-show: cannot run: not found in $work/away/libexec/zuvo-widgets or $work/libexec/zuvo-widgets" ] \
  || fail "copied router: $(cat err)"
# The router states the bundle's families and controls without building it: the help of each
# drawing command must equal the help the group's program gives from the bundle itself.
for command in render layout tap press gallery; do
  diff <("$router" $command --help | sed 1,2d) <("$draw" $command --help | sed 1,2d) > /dev/null \
    || fail "$command --help differs between the router and $draw"
done

# check reads as the widget does, and says why it refuses.
refuses() {  # expected-message, then the command's arguments after check
  local want=$1; shift
  local got status=0
  got=$(timeout 5 "$router" check "$@" 2>&1 > /dev/null) || status=$?
  [ "$status" = 1 ] && [ "$got" = "$want" ] || fail "check $*: exit $status, said: $got"
}
mkfifo fifo
refuses "error: fifo: not a regular file" fifo
refuses "error: /dev/zero: not a regular file" /dev/zero
refuses "error: $work: not a regular file" "$work"
truncate -s 2G sparse
refuses "error: sparse: larger than 16 MiB, the widget would show the empty status" sparse
head -c $((17 << 20)) /dev/zero > large
refuses "error: large: larger than 16 MiB, the widget would show the empty status" large
refuses "error: standard input: larger than 16 MiB, the widget would show the empty status" - < large
got=$(head -c $((17 << 20)) /dev/zero | timeout 5 "$router" check 2>&1 > /dev/null) && fail "check of a large pipe passed"
[ "$got" = "error: standard input: larger than 16 MiB, the widget would show the empty status" ] || fail "pipe: $got"
refuses "error: missing: cannot read" missing
# Within the bound, from a file and a pipe alike.
[ "$("$router" check status.json)" = "$(echo "$example" | "$router" check)" ] || fail "check of a file and of a pipe differ"
echo "router: status commands load no drawing library; routed commands work"
