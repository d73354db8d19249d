#!/usr/bin/env bash
# Builds the Debian package from a copy of the source (scripts/package.sh), checks it with lintian,
# unpacks it into a temporary root and runs the unpacked program from there: it must find its
# command groups' programs, resources and catalogs from the /usr paths relocated under that root.
# Skipped (exit 77) when the packaging tools are not installed (scripts/install-deps.sh --package).
# Usage: package_test.sh SOURCE_DIR WORK_DIR   (WORK_DIR keeps one path, so ccache finds its objects)
set -euo pipefail
source=$1
build_work=$2
# What scripts/package.sh would install otherwise (install-deps.sh --package), so it installs nothing.
for tool in dpkg-buildpackage dh lintian appstreamcli desktop-file-validate scdoc rsvg-convert man zsh fish; do
  command -v "$tool" > /dev/null || { echo "skipped: no $tool (scripts/install-deps.sh --package)"; exit 77; }
done
source "$(dirname "$0")/../shell_helpers.sh"
trap 'rm -rf "$work" "$build_work"' EXIT

bash "$source/scripts/package.sh" --work "$build_work" --dist "$work/dist" || fail "the package did not build"
deb=$(echo "$work"/dist/zuvo-widgets_*.deb)
[ -f "$deb" ] || fail "no package in $work/dist"

lintian --fail-on error,warning --display-info "$deb" > "$work/lintian.txt" 2>&1 \
  || fail "lintian: $(cat "$work/lintian.txt")"
cat "$work/lintian.txt"

depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-inter fonts-quicksand xdg-utils libgtk-4-1 libc6; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "the package does not depend on $package: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
app=com.halverdyne.zuvo.mac.widgets
for file in usr/bin/zuvo-widgets usr/libexec/zuvo-widgets/zuvo-widgets-{draw,watch,show} \
    usr/share/zuvo-widgets/locale/de/LC_MESSAGES/zuvo-widgets.mo usr/share/zuvo-widgets/images/VantleWordmark.svg \
    usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$app.svg usr/share/icons/hicolor/{16x16,48x48,256x256}/apps/$app.png \
    usr/share/man/man1/zuvo-widgets.1.gz usr/share/bash-completion/completions/zuvo-widgets \
    usr/share/zsh/vendor-completions/_zuvo-widgets usr/share/fish/vendor_completions.d/zuvo-widgets.fish \
    usr/share/doc/zuvo-widgets/examples/waybar/{config.json,style.css} usr/share/doc/zuvo-widgets/copyright; do
  [ -f "$root/$file" ] || fail "the package lacks /$file"
done
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=/usr/bin/zuvo-widgets press new-vantle --open' "$root/usr/share/applications/$app.desktop" \
  || fail "the desktop entry does not run /usr/bin/zuvo-widgets: $(grep ^Exec "$root/usr/share/applications/$app.desktop")"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app.metainfo.xml" \
  || fail "the AppStream metadata is not valid"

# The unpacked program, run from elsewhere with no hint of where it is.
mkdir "$work/elsewhere"
cd "$work/elsewhere"
unset ZUVO_RESOURCE_DIR LC_ALL LC_MESSAGES
program=$root/usr/bin/zuvo-widgets
"$program" render --sample --family medium -o widget.png || fail "render failed"
is_png widget.png || fail "render wrote no PNG"
"$program" layout --sample | grep -Eq '"width":[1-9][0-9.]*,"height":[1-9][0-9.]*\},"name":"VantleWordmark"' \
  || fail "the wordmark was not found"
line=$(XDG_DATA_HOME="$work/data" LANG=de_DE.UTF-8 LANGUAGE=de timeout 10 "$program" watch --format text | head -n 1)
[ "$line" = "Nichts offen" ] || fail "watch's first line is not the German empty status: $line"
XDG_DATA_HOME="$work/data" "$program" timeline | grep -q '^{"entries":\[{"date":' || fail "timeline"
echo "the package builds, passes lintian and runs from $root"
