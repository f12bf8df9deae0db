#!/usr/bin/env bash
# bench.sh [RECORDS...]: the program's speed figures, each beside its baseline in the same run.
#
# For each size (default 100000) it generates a primary file and a secondary file derived from it with
# build/vienna-gen, then times the batch tool's work and, right beside it, the bar it is measured against:
#   import ff plain              vs a bare SQLite load of the same rows (one prepared statement, 5,000-row transactions)
#   import ff report+corrected   vs a plain import that, like it, replaces the table the import before stored
#   import sf                    vs the bare load of the same rows followed by building TABLE2's indexes
#   compare, start settings      vs one INSERT ... SELECT doing the same pairing and difference texts
#   compare, 1A 6A 4C tolerant   vs the start-settings compare
#   export ff                    vs writing the same bytes
#   check end to end             (no baseline)
# and prints a table of seconds, ratios and the program's peak memory. BENCH_RUNS=3 takes medians of three runs;
# BENCH_IO_ONLY=1 leaves out the compare and check rows (the import and export rows take a fraction of the time).
# Builds build/ (Release) first unless BENCH_NO_BUILD=1.
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000)
runs=${BENCH_RUNS:-1}
io_only=${BENCH_IO_ONLY:-0}
if [ "${BENCH_NO_BUILD:-0}" != 1 ]; then
  { cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build -j"$(nproc)" \
      --target twinscan-cli vienna-gen twinscan-baseline twinscan-ui-bench; } >/tmp/bench-build.$$.log 2>&1 ||
    { tail -30 /tmp/bench-build.$$.log; exit 2; }
  rm -f /tmp/bench-build.$$.log
fi
cli=$PWD/build/twinscan-cli gen=$PWD/build/vienna-gen base=$PWD/build/twinscan-baseline
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# timed CMD...: runs CMD with its output kept in $work/out; sets secs and mib (peak resident memory).
timed() {
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >"$work/out" 2>"$work/err" ||
    { cat "$work/out" "$work/err"; echo "failed: $*"; exit 1; }
  read -r secs kib <"$work/time"
  mib=$((kib / 1024))
}
# median VALUES...: the middle one.
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
row() {  # row WORK SECONDS BASELINE-NAME BASELINE-SECONDS MIB
  awk -v w="$1" -v s="$2" -v bn="$3" -v b="$4" -v m="$5" 'BEGIN {
    r = (b > 0) ? sprintf("%.2f", s / b) : "-"
    printf "| %s | %.2f s | %s | %s | %s | %s MiB |\n", w, s, bn, (b > 0) ? sprintf("%.2f s", b) : "-", r, m }'
}

echo "| Work | Program | Baseline | Baseline time | Ratio | Peak memory |"
echo "|---|---|---|---|---|---|"
for n in "${sizes[@]}"; do
  d=$work/$n
  mkdir -p "$d"
  "$gen" "$d/p.txt" "$d/s.txt" --records "$n" --seed 11 --faults 0.05 >/dev/null
  declare -A t=() m=()
  add() { t[$1]="${t[$1]:-} $2"; m[$1]=$(( ${m[$1]:-0} > $3 ? ${m[$1]:-0} : $3 )); }
  for ((r = 0; r < runs; r++)); do
    rm -rf "$d/data"
    timed "$cli" --data-dir "$d/data" import ff "$d/p.txt" --no-report --no-corrected; add ffplain "$secs" "$mib"
    timed "$base" load "$d/data/twinscan.db" TABLE1 "$d/bare.db"; add ffbare "$(cat "$work/out")" 0
    timed "$cli" --data-dir "$d/data" import ff "$d/p.txt" --no-report --no-corrected; add ffagain "$secs" "$mib"
    timed "$cli" --data-dir "$d/data" import ff "$d/p.txt"; add fffull "$secs" "$mib"
    timed "$cli" --data-dir "$d/data" import sf "$d/s.txt" --no-report --no-corrected; add sf "$secs" "$mib"
    timed "$base" load "$d/data/twinscan.db" TABLE2 "$d/bare.db" --indexes; add sfbare "$(cat "$work/out")" 0
    rm -f "$d/bare.db"
    if [ "$io_only" != 1 ]; then
      cp "$d/data/twinscan.db" "$d/copy.db"
      timed "$base" compare "$d/copy.db"; add cmpbase "$(cat "$work/out")" 0
      rm -f "$d/copy.db"
      timed "$cli" --data-dir "$d/data" compare; add cmp "$secs" "$mib"
      timed "$cli" --data-dir "$d/data" compare --search 1A=2 --search 6A=2 --search 4C=2; add cmptol "$secs" "$mib"
    fi
    timed "$cli" --data-dir "$d/data" export ff "$d/export.txt"; add export "$secs" "$mib"
    timed "$base" write "$d/export.txt" "$d/written.txt"; add write "$(cat "$work/out")" 0
    rm -rf "$d/data" "$d/export.txt" "$d/written.txt"
    if [ "$io_only" != 1 ]; then
      timed "$cli" --data-dir "$d/data" check "$d/p.txt" "$d/s.txt"; add check "$secs" "$mib"
    fi
  done
  # shellcheck disable=SC2086  # the figures are words
  v() { median ${t[$1]}; }
  row "import ff plain, $n" "$(v ffplain)" "bare load" "$(v ffbare)" "${m[ffplain]}"
  row "import ff with report and corrected file, $n" "$(v fffull)" "import ff plain, replacing" "$(v ffagain)" \
    "${m[fffull]}"
  row "import sf, $n" "$(v sf)" "bare load + indexes" "$(v sfbare)" "${m[sf]}"
  if [ "$io_only" != 1 ]; then
    row "compare, start settings, $n x $n" "$(v cmp)" "one SQL statement" "$(v cmpbase)" "${m[cmp]}"
    row "compare, 1A 6A 4C tolerant, $n x $n" "$(v cmptol)" "compare, start settings" "$(v cmp)" "${m[cmptol]}"
  fi
  row "export ff, $n" "$(v export)" "writing the same bytes" "$(v write)" "${m[export]}"
  [ "$io_only" = 1 ] || row "check end to end, $n x $n" "$(v check)" "-" 0 "${m[check]}"
  rm -rf "$d"
done

# The full compare of 100,000 records from the desktop app's menu (offscreen, grids, labels and yields
# included) beside the same engine run without a window, in one process. BENCH_UI=0 leaves it out.
if [ "${BENCH_UI:-1}" != 0 ]; then
  mkdir -p "$work/ui"
  uiout=$work/ui/out
  for ((r = 0; r < runs; r++)); do
    "$PWD/build/twinscan-ui-bench" ui_full_compare_100k >"$uiout" 2>&1 || { cat "$uiout"; exit 1; }
    menu="${menu:-} $(awk '/full compare of/ {print $(NF-1) / 1000}' "$uiout")"
    plain="${plain:-} $(awk '/same compare without a window/ {print $(NF-1) / 1000}' "$uiout")"
    uimib=$(awk '/peak memory/ {print int($(NF-1))}' "$uiout")
  done
  # shellcheck disable=SC2086
  row "full compare from the desktop menu, 100000 x 100000" "$(median $menu)" "the same compare without a window" \
    "$(median $plain)" "${uimib:-0}"
fi
