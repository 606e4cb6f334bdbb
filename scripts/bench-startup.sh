#!/usr/bin/env bash
# Launch-to-window of the program against a bare window of the same size
# (977 x 559), in interleaved rounds under a warm wineserver on a private Xvfb
# display; then the idle CPU of the program and Wine's services together.
#   bash scripts/bench-startup.sh [ROUNDS [IDLE_SECONDS]]     (default 15 and 30)
# Needs a built tree (bash scripts/build.sh). TAPMIRA_BENCH_PREFIX chooses the
# Wine prefix (default build/bench-prefix, made on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
rounds=${1:-15}
idle=${2:-30}
program=$build/win/bin/Tapmira.exe
bare=$build/win/bench/bare_window.exe
clock=$build/native/tools/windowclock/windowclock
for f in "$program" "$bare" "$clock"; do
  [ -x "$f" ] || { echo "missing $f: build first (bash scripts/build.sh)" >&2; exit 1; }
done

source "$root/scripts/wine-env.sh"
start_xvfb
wine_prefix "${TAPMIRA_BENCH_PREFIX:-$build/bench-prefix}" unmanaged
kept=
cleanup() {
  [ -n "$kept" ] && kill -9 "$kept" 2>/dev/null
  "$WINESERVER" -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
# A persistent wineserver keeps Wine's services warm between launches.
"$WINESERVER" -p

program_caption="Tapmira"
bare_caption="Bare window"
launch() {  # launch PROGRAM|BARE: prints milliseconds to the mapped, named window
  if [ "$1" = PROGRAM ]; then "$clock" "$program_caption" -- "$WINE" "$program"
  else "$clock" "$bare_caption" -- "$WINE" "$bare"; fi
}
launch PROGRAM >/dev/null
launch BARE >/dev/null

p_times=() b_times=()
for r in $(seq "$rounds"); do
  # Alternate which goes first, so neither gains from following the other.
  if (( r % 2 )); then p=$(launch PROGRAM); b=$(launch BARE)
  else b=$(launch BARE); p=$(launch PROGRAM); fi
  p_times+=("$p") b_times+=("$b")
  printf 'round %2d: program %7.1f ms   bare window %7.1f ms\n' "$r" "$p" "$b"
done

median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
pm=$(median "${p_times[@]}")
bm=$(median "${b_times[@]}")
echo "median launch-to-window: program $pm ms, bare window $bm ms, ratio $(awk -v p="$pm" -v b="$bm" 'BEGIN {printf "%.2f", p/b}')"

(( idle > 0 )) || exit 0
# Idle: the main window open and left alone; CPU of every process of this
# prefix (the program, wineserver, services, devices, explorer).
read -r _ kept < <("$clock" --keep "$program_caption" -- "$WINE" "$program")
sleep 5
ticks() {  # "pid name ticks" for each process of the prefix
  local pid
  for pid in $(pgrep -d ' ' .); do
    { tr "\0" "\n" < /proc/$pid/environ; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    awk -v pid="$pid" '{sub(/^[0-9]+ \(/, ""); name=$0; sub(/\).*/, "", name); sub(/^.*\) /, "");
                        print pid, name, $12 + $13}' /proc/$pid/stat 2>/dev/null || true
  done
}
before=$(ticks)
sleep "$idle"
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU over $idle s with the main window open:"
join <(sort <<<"$before") <(sort <<<"$after") | \
  awk -v hz="$hz" -v s="$idle" '{d=$5-$3; total+=d; printf "  %-20s %6.2f%%\n", $2, 100*d/hz/s}
                                END {printf "  %-20s %6.2f%% of a core\n", "together", 100*total/hz/s}'
