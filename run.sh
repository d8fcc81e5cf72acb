#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source tools/ensure-packages.sh
cmake -S . -B build -G Ninja >/dev/null
# Only the program and its folder; the tests and benchmarks are built by test.sh.
cmake --build build --target lumo lumo_data lumo_samples
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program under xvfb-run (it runs, but nobody sees it)."
  exec xvfb-run -a build/program/lumo
fi
exec build/program/lumo
