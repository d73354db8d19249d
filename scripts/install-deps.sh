#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that building and running the program needs, and
# with --tests, --bench or --fuzz also what the tests, the benchmarks or the fuzz targets need.
# Idempotent: packages already present are left alone, and apt is not touched when nothing is missing.
# Not root: through sudo; without sudo, it prints the command to run as root and fails.
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
    *) echo "usage: install-deps.sh [--tests] [--bench] [--fuzz]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null; then
    echo "error: install-deps: not root and no sudo; as root, run: apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
