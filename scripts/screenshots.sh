#!/usr/bin/env bash
# Saves PNG screenshots of the desktop app into docs/screenshots/: the main
# window during a long import of a generated file, during and after a full
# compare of the sample files, and each dialog.
# The app runs under a virtual X server on a scratch data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Copies, so that the reports and corrected files land in the scratch folder.
mkdir -p "$scratch/samples" docs/screenshots
cp samples/primary.txt samples/secondary.txt "$scratch/samples/"
build/vienna-gen "$scratch/samples/long.txt" --records 400000
xvfb-run -a build/twinscan --data-dir "$scratch/data" \
  --screenshots docs/screenshots "$scratch/samples/long.txt" "$scratch/samples/primary.txt" \
  "$scratch/samples/secondary.txt"
