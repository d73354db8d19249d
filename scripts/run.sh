#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests), and runs the main job on the example status file: checks it,
# draws the gallery sheet of it to out/gallery.png, and prints the timeline the widget host would
# get with that file in the shared container.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
# The program target brings what it needs at run time (its resources and catalogs); the other adds
# what installing takes besides (manual page, completions, icon sizes), so cmake --install can follow.
cmake --build --preset default --target zuvo-widgets zuvo_install_extras

status=examples/widget-status.json
build/zuvo-widgets check "$status"

mkdir -p out
build/zuvo-widgets gallery --status "$status" -o out/gallery.png
echo "gallery: out/gallery.png"

# The shared container lives under the XDG data directory: point that at a temporary one that
# holds the example as the status file.
data_home=$(mktemp -d)
trap 'rm -rf "$data_home"' EXIT
container="$data_home/group.com.halverdyne.zuvo/Library/Application Support"
mkdir -p "$container"
cp "$status" "$container/widget-status.json"
XDG_DATA_HOME="$data_home" build/zuvo-widgets timeline
