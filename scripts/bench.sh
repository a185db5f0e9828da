#!/usr/bin/env bash
# Runs the raster benchmark natively and under Wine (the same entries, one after the other)
# and writes the tables into docs/performance.md between its bench markers.
#
# Usage: scripts/bench.sh [--quick] [--rounds n] [build directory, default build]
#   --quick  every entry once: checks that both sides run (CI's smoke test); writes no docs.
#   --rounds n  run both sides n times, alternately (default 3); every entry keeps its
#            fastest time, so that a neighbour's burst spoils no entry on one side only.
# FIGPLOT_BENCH_WINEPREFIX picks the Wine prefix (default: <build>/bench/wine-prefix,
# made on first use like the comparison test's: Liberation faces for Arial and friends,
# no font smoothing).
set -euo pipefail
cd "$(dirname "$0")/.."

quick=()
build=build
rounds=3
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=(--quick); rounds=1 ;;
    --rounds) rounds=$2; shift ;;
    *) build=$1 ;;
  esac
  shift
done

native=$build/bench/figplot_bench
exe=$build/bench/gdi_bench.exe
report=$build/bench/figplot_bench_report
results=$build/bench/results
wine=${FIGPLOT_WINE_LOADER:-/usr/lib/wine/wine64}
prefix=$(realpath -m "${FIGPLOT_BENCH_WINEPREFIX:-$build/bench/wine-prefix}")
mkdir -p "$results"

run_wine() {
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
    FONTCONFIG_FILE=$PWD/tests/wine/wine_fonts.conf "$wine" "$@"
}

make_prefix() {
  [ -f "$prefix/system.reg" ] && return
  echo "bench: creating the Wine prefix $prefix"
  run_wine wineboot -i >/dev/null 2>&1
  run_wine regedit tests/wine/wine_prefix.reg >/dev/null 2>&1
  "$(dirname "$wine")/wineserver" -w || true
}

haveWine=0
if [ -x "$wine" ] && [ -f "$exe" ]; then
  make_prefix
  haveWine=1
else
  echo "bench: Wine side skipped ($wine or $exe missing)"
fi
ours=() theirs=()
for round in $(seq 1 "$rounds"); do
  echo "bench: native, round $round"
  "$native" "$results/ours-$round.tsv" "${quick[@]}"
  ours+=("$results/ours-$round.tsv")
  : > "$results/wine-$round.tsv"
  if [ $haveWine -eq 1 ]; then
    echo "bench: Wine, round $round"
    # Wine now and then refuses a big DIB section; the entries it did run still count.
    run_wine "$exe" "Z:$(realpath "$results")/wine-$round.tsv" "${quick[@]}" ||
      echo "bench: some entries did not run under Wine (round $round)"
    "$(dirname "$wine")/wineserver" -w || true
  fi
  theirs+=("$results/wine-$round.tsv")
done
list() { local IFS=,; echo "$*"; }

before=()
if [ -f bench/baseline/ours.tsv ] && [ -f bench/baseline/wine.tsv ]; then
  before=(bench/baseline/ours.tsv bench/baseline/wine.tsv)
fi
"$report" "$(list "${ours[@]}")" "$(list "${theirs[@]}")" "${before[@]}" > "$results/tables.md"
if [ ${#quick[@]} -gt 0 ]; then
  echo "bench: smoke run complete ($(wc -l < "${ours[0]}") native, $(wc -l < "${theirs[0]}") Wine results)"
  if [ $haveWine -eq 1 ] && [ ! -s "${theirs[0]}" ]; then echo "bench: no Wine results" >&2; exit 1; fi
  exit 0
fi

# The generated part of docs/performance.md: run facts and the tables.
generated=$results/generated.md
{
  echo "<!-- bench:begin (written by scripts/bench.sh; do not edit by hand) -->"
  echo "Run of $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores,"
  echo "$(uname -sr), $("$wine" --version 2>/dev/null || echo 'no Wine'); canvas 1920x1080, bottom-up DIB sections;"
  echo "the fastest of $rounds alternating rounds per side."
  echo
  cat "$results/tables.md"
  echo "<!-- bench:end -->"
} > "$generated"
doc=docs/performance.md
if [ -f "$doc" ] && grep -q '<!-- bench:begin' "$doc"; then
  awk -v gen="$generated" '
    /<!-- bench:begin/ { while ((getline line < gen) > 0) print line; skip = 1; next }
    /<!-- bench:end/ { skip = 0; next }
    !skip { print }' "$doc" > "$doc.new"
  mv "$doc.new" "$doc"
else
  cat "$generated" >> "$doc"
fi
echo "bench: wrote $doc"
