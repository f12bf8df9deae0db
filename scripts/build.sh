#!/usr/bin/env bash
# Configures and builds everything into build/ (or $TWINSCAN_BUILD_DIR).
# Extra CMake options come from $TWINSCAN_CMAKE_ARGS (CI adds -DTWINSCAN_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${TWINSCAN_BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TWINSCAN_CMAKE_ARGS:-} >/dev/null
cmake --build "$dir" -j"$(nproc)"
