#!/usr/bin/env bash
# Installs what is missing, builds, and starts twinscan on the default data
# directory ($HOME/vienna). Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/twinscan ]; then
  exec build/twinscan "$@"
fi
# Without the desktop app: the batch tool on the bundled sample files.
build/twinscan-cli import ff samples/primary.txt "$@"
build/twinscan-cli import sf samples/secondary.txt "$@"
