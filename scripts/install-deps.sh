#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that building and running the program needs, and
# with --tests, --bench, --fuzz or --package also what the tests, the benchmarks, the fuzz targets
# or the Debian package need.
# Idempotent: packages already present are left alone, and apt is not touched when nothing is missing.
# Not root: through sudo when sudo may be used without a password prompt; otherwise it prints the
# command to run as root and fails. apt's and dpkg's own output is kept back unless they fail.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsimdjson-dev                     # status document decoding
  libicu-dev                          # number formatting, Unicode normalisation
  libpango1.0-dev libcairo2-dev librsvg2-dev   # text, drawing, SVG assets
  libpng-dev                          # writing PNG files
  libboost-locale-dev gettext         # string catalogs (.po compiled with msgfmt)
  libcli11-dev                        # command line
  libgtest-dev libgmock-dev           # configuring the build (the test programs are built only on demand)
  libglib2.0-dev                      # GIO: watching the status file, timers, signals
  fonts-inter fonts-quicksand         # system font and rounded face
  xdg-utils                           # xdg-open for --open
  libgtk-4-dev                        # the live desktop widget (show)
)
for group in "$@"; do
  case "$group" in
    --tests) packages+=(desktop-file-utils libglib2.0-bin  # validating and launching the desktop entry
                        xvfb openbox x11-utils xdotool imagemagick  # the live widget: a headless X desktop
                        dbus at-spi2-core python3-pyatspi python3-dbus python3-gi  # session bus, screen reader
                        mutter kwin-x11 xfwm4 xfconf xfdesktop4 pcmanfm xcompmgr wmctrl  # other desktops' managers
                        sway) ;;                                # the README's window rules, on headless sway
    --bench) packages+=(libbenchmark-dev nlohmann-json3-dev) ;;  # Google Benchmark; nlohmann only for comparison
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;             # libFuzzer and clang's sanitizers
    --package) packages+=(dpkg-dev debhelper lintian appstream  # building and checking the package
                          scdoc man-db librsvg2-bin             # the manual page, the icon's sizes
                          zsh fish) ;;                          # loading the completions
    *) echo "usage: install-deps.sh [--tests] [--bench] [--fuzz] [--package]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

update=(apt-get update -qq)
install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}")
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  # sudo that would ask for a password (or refuse this user) is no way in: say what to run instead.
  if ! command -v sudo > /dev/null || ! sudo -n true 2> /dev/null; then
    echo "error: install-deps: not root and no sudo without a password; as root, run: ${update[*]} && ${install[*]}" >&2
    exit 1
  fi
  sudo=(sudo -n)
fi
echo "installing: ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { "${sudo[@]}" "${update[@]}" && "${sudo[@]}" "${install[@]}"; } > "$log" 2>&1; then
  cat "$log" >&2
  echo "error: install-deps: apt-get failed (above)" >&2
  exit 1
fi
