#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed program from another directory:
# it must find its command groups' programs, resources and compiled catalogs beside itself, with no
# path of the build tree.
# Usage: installed_program_test.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/../shell_helpers.sh"
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
program="$prefix/bin/zuvo-widgets"
[ -x "$program" ] || fail "no installed program at $program"
[ -x "$prefix/libexec/zuvo-widgets/zuvo-widgets-draw" ] || fail "no drawing commands' program"
[ -f "$prefix/share/zuvo-widgets/locale/de/LC_MESSAGES/zuvo-widgets.mo" ] || fail "no compiled German catalog"
[ -f "$prefix/share/zuvo-widgets/images/VantleWordmark.svg" ] || fail "no wordmark"

# The desktop entry's launcher actions are the two controls (what each launches is checked by
# desktop_entry_test.sh).
grep -qx 'Actions=new-vantle;activity;' "$prefix/share/applications/com.halverdyne.zuvo.mac.widgets.desktop" || fail "desktop entry without its actions"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
unset ZUVO_RESOURCE_DIR LC_ALL LC_MESSAGES

described=$(LANG=de_DE.UTF-8 LANGUAGE=de "$program" describe)
grep -q '"displayName":"Neues Vantle"' <<<"$described" || fail "describe is not German: $described"
grep -q 'Freigaben, die auf dich warten' <<<"$described" || fail "control description is not German"

[ "$("$program" press new-vantle)" = "zuvo://pane/new" ] || fail "press new-vantle"
"$program" placeholder | grep -q '"status":{"waiting":1' || fail "placeholder"

"$program" render --sample -o widget.png
is_png widget.png || fail "render wrote no PNG"
"$program" gallery --sample --scale 1 -o gallery.png
is_png gallery.png || fail "gallery wrote no PNG"
# A status file at the end of a 4 KiB path widens nothing: the caption names the file, cut to fit.
png_width() { od -An -tu1 -j16 -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'; }
deep=$(printf "$work/deep"; for _ in $(seq 15); do printf "/%0250d" 0; done)
mkdir -p "$deep"
echo '{"waiting":1,"unread":0,"weekSpend":1}' > "$deep/$(printf '%0240d' 0).json"
"$program" gallery --status "$deep/$(printf '%0240d' 0).json" --scale 1 -o long.png
[ "$(png_width long.png)" = "$(png_width gallery.png)" ] || fail "a long status path widens the gallery"
# The wordmark was found: its image has the size of the installed artwork, not none.
"$program" layout --sample > layout.json
grep -Eq '"kind":"image","frame":\{"x":[-0-9.e]+,"y":[-0-9.e]+,"width":[1-9][0-9.]*,"height":[1-9][0-9.]*\},"name":"VantleWordmark"' layout.json \
  || fail "the wordmark has no size: $(head -c 600 layout.json)"

# The watch program, in libexec, finds the catalogs at ../../share; it leaves once `head` has a line.
watcher="$prefix/libexec/zuvo-widgets/zuvo-widgets-watch"
[ -x "$watcher" ] || fail "no installed watch program at $watcher"
line=$(XDG_DATA_HOME="$work/data" LANG=de_DE.UTF-8 LANGUAGE=de timeout 10 "$watcher" watch --format text | head -n 1)
[ "$line" = "Nichts offen" ] || fail "watch is not German: $line"
# The live widget's program sits in libexec and starts the installed program at login.
show="$prefix/libexec/zuvo-widgets/zuvo-widgets-show"
[ -x "$show" ] || fail "no installed show program at $show"
XDG_CONFIG_HOME="$work/config" "$show" show --install-autostart --family small
grep -qxF "Exec=$(realpath "$program") show --family small --corner top-right --margin 24" \
  "$work/config/autostart/zuvo-widgets-small.desktop" || fail "the login entry does not start the installed program"

echo "installed program works from $PWD"
