#!/usr/bin/env bash
# Installs what is missing, builds, and starts twinscan on the default data
# directory ($HOME/vienna). Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/twinscan "$@"
