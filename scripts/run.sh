#!/usr/bin/env bash
# Installs what is missing, builds, and starts twinscan on the default data
# directory ($HOME/vienna). Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "twinscan needs a display: run scripts/run.sh in a desktop session, or headless with xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
scripts/install-deps.sh
scripts/build.sh
exec build/twinscan "$@"
