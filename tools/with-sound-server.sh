#!/usr/bin/env bash
# Runs one test program against a real sound server: the test run's own when test.sh started
# one, otherwise a private one for this program alone (a plain "ctest" needs no set-up).
set -euo pipefail
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$(dirname "$0")/sound-server.sh" >/dev/null
fi
"$@"
