#!/usr/bin/env bash
# The desktop entry works from any install prefix: installed into prefixes holding a space and each
# character the Desktop Entry rules reserve, the entry validates, and a launcher (GLib's, through
# gio launch) runs the installed program with the right arguments for the entry and each action.
# A stub xdg-open on PATH records the URL the program hands it, so nothing is opened.
# CMake cannot install under a path holding a backslash (it takes it for a separator); for those
# prefixes the installed files are copied there and the entry written by the same install step.
# Usage: desktop_entry_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
source "$(dirname "$0")/../shell_helpers.sh"

mkdir "$work/stub"
cat > "$work/stub/xdg-open" <<'STUB'
#!/bin/sh
printf '%s\n' "$*" > "$OPENED.part" && mv "$OPENED.part" "$OPENED"
STUB
chmod +x "$work/stub/xdg-open"
export PATH="$work/stub:$PATH"

# launch ENTRY GROUP URL: gio launches the Exec line of that group of the entry (gio launches only
# an entry's main command, so an action's line is put in an entry of its own), and the program
# must hand URL to xdg-open.
launch() {
  local entry=$1 group=$2 url=$3
  local exec
  exec=$(sed -n "/^\[$group\]\$/,/^\[/ s/^Exec=//p" "$entry")
  [ -n "$exec" ] || fail "no Exec in [$group] of $entry"
  printf '[Desktop Entry]\nType=Application\nName=Launch test\nExec=%s\n' "$exec" > "$work/launch.desktop"
  export OPENED="$work/opened"
  rm -f "$OPENED"
  gio launch "$work/launch.desktop" 2> "$work/gio.err" || fail "gio launch [$group] failed: $(cat "$work/gio.err")"
  for _ in $(seq 100); do [ -f "$OPENED" ] && break; sleep 0.1; done  # the launch does not wait
  [ -f "$OPENED" ] || fail "[$group] of $entry ran nothing that opened a URL (Exec=$exec)"
  [ "$(cat "$OPENED")" = "$url" ] || fail "[$group] opened $(cat "$OPENED"), not $url"
}

for name in 'with space' 'dollar$HOME' 'per%fcent%%' 'quote"d' 'back\slash' 'back`tick' "all \$%\"\\\`'"; do
  prefix="$work/$name/prefix"
  entry="$prefix/share/applications/com.halverdyne.zuvo.mac.widgets.desktop"
  if [[ "$prefix" == *\\* ]]; then
    [ -d "$work/plain" ] || cmake --install "$build" --prefix "$work/plain" > "$work/install.log"
    mkdir -p "$prefix"
    cp -a "$work/plain/bin" "$work/plain/share" "$prefix/"
    cmake -D "DESKTOP_TEMPLATE=$source/resources/desktop/com.halverdyne.zuvo.mac.widgets.desktop.in" -D "DESKTOP_ENTRY=$entry" \
      -D "PROGRAM=$prefix/bin/zuvo-widgets" -P "$source/resources/desktop/install_desktop_entry.cmake" \
      > "$work/install.log" || fail "writing the entry for $prefix"
  else
    cmake --install "$build" --prefix "$prefix" > "$work/install.log" || fail "install into $prefix"
  fi
  [ -x "$prefix/bin/zuvo-widgets" ] || fail "no program in $prefix"
  desktop-file-validate "$entry" || fail "the entry for prefix $prefix is not valid: $(grep ^Exec "$entry")"
  launch "$entry" "Desktop Entry" "zuvo://pane/activity"
  launch "$entry" "Desktop Action new-vantle" "zuvo://pane/new"
  launch "$entry" "Desktop Action activity" "zuvo://pane/activity"
done
echo "the desktop entry launches the program from any prefix"
