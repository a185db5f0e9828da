#!/usr/bin/env bash
# figplot on a batch of 1,000 small lists: one process with --jobs 1, one with --jobs 2,
# and the same batch split over processes by xargs; the batch again at 400 x 300, where
# drawing outweighs the system calls of each file; then the start-up of one figplot info
# against its 5 ms target.
# Prints wall and CPU seconds for each and fails when --jobs 2 is not faster than --jobs 1.
#   bench/cli_batch.sh [FIGPLOT]       (default build/host/figplot)
set -euo pipefail
figplot=$(realpath "${1:-build/host/figplot}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/lists"
for i in $(seq 1 1000); do
  printf 'code,top,left,bottom,right,color,c7,c8\n0,0,0,60,80,white,0,\n3,%d,5,40,60,steelblue,,\n1,0,0,50,70,red,2,\n6,30,5,1,12,black,0,"n%d"\n' \
    $((i % 20)) "$i" >"$work/lists/l$i.csv"
done
cd "$work"

# Wall seconds of one run of "$@", CPU seconds (user + sys) after a space.
measure() {
  rm -rf out
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f "%U %S" -o cpu.txt "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$(echo "$end - $start" | bc) $(awk '{print $1 + $2}' cpu.txt)"
}

best() {  # the fastest of three runs
  local label=$1; shift
  local runs=()
  for _ in 1 2 3; do runs+=("$(measure "$@")"); done
  printf '%s\n' "${runs[@]}" | sort -n | head -1 | awk -v l="$label" '{printf "%-32s %6.2f s wall %6.2f s CPU\n", l, $1, $2}'
}

one=$(best "compose --jobs 1" "$figplot" compose lists/*.csv -o out/ --width 80 --height 60 --jobs 1)
two=$(best "compose --jobs 2" "$figplot" compose lists/*.csv -o out/ --width 80 --height 60 --jobs 2)
split=$(best "xargs -P 2 -n 16, --jobs 1 each" sh -c "ls lists/*.csv | xargs -P 2 -n 16 '$figplot' compose --jobs 1 -o out/ --width 80 --height 60 2>/dev/null")
large1=$(best "400x300, --jobs 1" "$figplot" compose lists/*.csv -o out/ --width 400 --height 300 --jobs 1)
large2=$(best "400x300, --jobs 2" "$figplot" compose lists/*.csv -o out/ --width 400 --height 300 --jobs 2)
printf '%s\n' "$one" "$two" "$split" "$large1" "$large2"

# Start-up: CPU ms of one figplot info (task-clock, mean of 50 runs) against its 5 ms target,
# beside a C program that prints one line, the floor of any process on this machine now
# (other work on the cores raises both alike).
task_clock() { { perf stat -r 50 "$@" >/dev/null; } 2>&1 | awk '/task-clock/ {print $1}' || true; }
start=$(task_clock "$figplot" info)
if [ -n "$start" ]; then
  printf '#include <stdio.h>\nint main(int argc, char **argv) { puts(argv[0]); return argc - 1; }\n' >floor.c
  floor=$(cc -O2 floor.c -o floor 2>/dev/null && task_clock ./floor)
  echo "figplot info start-up: $start ms CPU (perf stat task-clock, 50 runs; target 5 ms)${floor:+; a C program that prints one line: $floor ms}"
  awk -v s="$start" 'BEGIN { if (s >= 5) print "figplot info start-up is over its 5 ms target" }'
fi
awk -v a="$(echo "$one" | awk '{print $(NF-5)}')" -v b="$(echo "$two" | awk '{print $(NF-5)}')" \
  'BEGIN { if (b >= a) { print "--jobs 2 is not faster than --jobs 1"; exit 1 } }'
