#!/usr/bin/env bash
# Installs the Debian packages twinscan needs; does nothing when they are present.
set -euo pipefail
packages=(cmake g++ make libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev xvfb xauth
  dpkg-dev desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
