#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that the build, tests, benchmarks and fuzzing need.
# Idempotent: packages already present are left alone, and apt is not touched when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev            # fuzzing (libFuzzer) and sanitizers
  libsimdjson-dev                     # status document decoding
  libicu-dev                          # number formatting, Unicode normalisation
  libpango1.0-dev libcairo2-dev librsvg2-dev   # text, drawing, SVG assets
  libpng-dev                          # writing PNG files
  libboost-locale-dev gettext         # string catalogs (.po compiled with msgfmt)
  libcli11-dev                        # command line
  libgtest-dev libgmock-dev libbenchmark-dev   # tests and benchmarks
  nlohmann-json3-dev                  # benchmark comparison only
  fonts-inter fonts-quicksand         # system font and rounded face
  xdg-utils                           # xdg-open for --open
  desktop-file-utils                  # validating the installed desktop entry
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
