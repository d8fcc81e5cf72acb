#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$0")"
source tools/ensure-packages.sh
source tools/sound-server.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure "$@"
