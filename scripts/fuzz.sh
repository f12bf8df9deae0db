#!/usr/bin/env bash
# Fuzzes the import, the exports and the full compare for SECONDS (default 60) with libFuzzer, built by clang
# with the address and undefined-behaviour sanitizers into build-fuzz/. The seed corpus is generated each run
# (vienna-gen files of both layouts, with and without a header, with faults, and the samples), each seed led by
# the byte that picks the file options. Non-zero when the fuzzer finds anything; the input is in
# build-fuzz/fuzz-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=build-fuzz
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed" >&2; exit 1; }
CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWINSCAN_FUZZ=ON -DTWINSCAN_BUILD_UI=OFF \
  -DTWINSCAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target twinscan-fuzz vienna-gen

seeds=$dir/fuzz-seeds corpus=$dir/fuzz-corpus
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$dir/fuzz-artifacts"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# seed NAME OPTION-BYTE FILE: the option byte (bit 0 2001 layout, bit 1 header, bit 2 report, bit 3 clean
# lines left out, bit 4 corrected file without line ends, bit 5 erroneous records compared), then the file.
seed() { { printf "\\$(printf '%03o' "$2")"; cat "$3"; } >"$seeds/$1"; }
n=0
for layout in "" "--2001" "--2001 --lines"; do
  for header in "" "--header"; do
    for faults in 0 0.5; do
      n=$((n + 1))
      # shellcheck disable=SC2086
      "$dir/vienna-gen" "$tmp/p" "$tmp/s" --records 6 --seed "$n" --faults "$faults" $layout $header --unit-faults
      options=$(( (${#layout} > 0 ? 1 : 0) | (${#header} > 0 ? 2 : 0) | (n % 4) * 4 | (n % 2) * 16 | (n % 3 == 0) * 32 ))
      seed "gen-$n-p" "$options" "$tmp/p"
      seed "gen-$n-s" "$options" "$tmp/s"
    done
  done
done
head -c 2000 samples/primary.txt >"$tmp/primary" && seed sample-primary 7 "$tmp/primary"
head -c 2000 samples/secondary.txt >"$tmp/secondary" && seed sample-secondary 3 "$tmp/secondary"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$dir/twinscan-fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=60 -print_final_stats=1 \
  -artifact_prefix="$dir/fuzz-artifacts/" "$corpus" "$seeds"
