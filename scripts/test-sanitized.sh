#!/usr/bin/env bash
# Builds the programs and the tests with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitized/
# and runs every test there (the desktop app's tests offscreen). Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
TWINSCAN_BUILD_DIR=build-sanitized \
  TWINSCAN_CMAKE_ARGS="-DTWINSCAN_SANITIZE=ON -DTWINSCAN_BUILD_BENCH=OFF ${TWINSCAN_CMAKE_ARGS:-}" scripts/build.sh
cd build-sanitized
# Qt and fontconfig keep caches for the life of the process; leaks are looked for in our own code by the
# core tests, so the desktop tests run without leak detection.
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -LE ui_tests
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -L ui_tests
