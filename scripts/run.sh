#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the example status file.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default

build/zuvo-widgets check examples/widget-status.json
