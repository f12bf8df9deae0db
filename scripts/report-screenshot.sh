#!/usr/bin/env bash
# Saves a screenshot of the HTML results report of the sample files into
# docs/screenshots/report.png: both samples checked and compared, two pairs
# decided, the report written by the batch tool and rendered by headless
# Chromium (installed here when missing; the tests do not need it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v chromium >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends chromium
fi
scripts/build.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/samples" docs/screenshots
cp samples/primary.txt samples/secondary.txt "$scratch/samples/"
cli() { build/twinscan-cli --data-dir "$scratch/data" "$@"; }
cli check "$scratch/samples/primary.txt" "$scratch/samples/secondary.txt" >/dev/null 2>&1
# Two decisions on the first pairs with differences, one remark that must stay text.
cli results --filter differences | awk -F, 'NR > 1 && NR <= 3 { print $1, $2 }' | {
  read -r a b && cli review "$a" "$b" --first yes --second no --remark "<script> stays text" --reference "BIPT 2024/17"
  read -r a b && cli review "$a" "$b" --first no --second yes --remark "=secondary is current"
} >/dev/null
cli results --format html --output "$scratch/report.html" 2>/dev/null
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --screenshot=docs/screenshots/report.png \
  --window-size=1400,1000 "file://$scratch/report.html"
echo "docs/screenshots/report.png"
