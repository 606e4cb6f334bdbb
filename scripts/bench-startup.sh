#!/usr/bin/env bash
# Launch-to-window of the program against a bare window of the same size
# (977 x 559), and of the program with its skin against the program without
# it, in interleaved rounds under a warm wineserver on a private Xvfb display;
# then the idle CPU of the program and Wine's services together.
#   bash scripts/bench-startup.sh [ROUNDS [IDLE_SECONDS]]     (default 15 and 30)
# Needs a built tree (bash scripts/build.sh). TAPMIRA_BENCH_PREFIX chooses the
# Wine prefix (default build/bench-prefix, made on first use).
# The program without its skin is a build of the same sources for this
# benchmark only (build/win/bench/Tapmira_unskinned.exe): its main window's
# skin data is inactive and holds no skin. It runs from a folder beside the
# benchmark that links the program folder's files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
rounds=${1:-15}
idle=${2:-30}
program=$build/win/bin/Tapmira.exe
bare=$build/win/bench/bare_window.exe
unskinned_build=$build/win/bench/Tapmira_unskinned.exe
clock=$build/native/tools/windowclock/windowclock
for f in "$program" "$bare" "$unskinned_build" "$clock"; do
  [ -x "$f" ] || { echo "missing $f: build first (bash scripts/build.sh)" >&2; exit 1; }
done

# The unskinned program's folder: the program's files, its own executable and
# its own score file (nothing it writes reaches the program folder).
unskinned_folder=$build/win/bench/unskinned
rm -rf "$unskinned_folder"
mkdir -p "$unskinned_folder"
for f in "$build/win/bin"/*; do
  case $(basename "$f") in
    Tapmira.exe|svlScore*) ;;
    *) ln -s "$f" "$unskinned_folder/" ;;
  esac
done
cp "$unskinned_build" "$unskinned_folder/Tapmira.exe"
[ -f "$build/win/bin/svlScore.dat" ] && cp "$build/win/bin/svlScore.dat" "$unskinned_folder/"
unskinned=$unskinned_folder/Tapmira.exe

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
launch() {  # launch PROGRAM|UNSKINNED|BARE: prints milliseconds to the mapped, named window
  case $1 in
    PROGRAM) "$clock" "$program_caption" -- "$WINE" "$program" ;;
    UNSKINNED) "$clock" "$program_caption" -- "$WINE" "$unskinned" ;;
    BARE) "$clock" "$bare_caption" -- "$WINE" "$bare" ;;
  esac
}
launch PROGRAM >/dev/null
launch UNSKINNED >/dev/null
launch BARE >/dev/null

p_times=() u_times=() b_times=()
orders=("PROGRAM UNSKINNED BARE" "BARE PROGRAM UNSKINNED" "UNSKINNED BARE PROGRAM")
for r in $(seq "$rounds"); do
  # Rotate which goes first, so none gains from following another.
  for which in ${orders[$(( (r - 1) % 3 ))]}; do
    t=$(launch "$which")
    case $which in
      PROGRAM) p=$t ;;
      UNSKINNED) u=$t ;;
      BARE) b=$t ;;
    esac
  done
  p_times+=("$p") u_times+=("$u") b_times+=("$b")
  printf 'round %2d: program %7.1f ms   unskinned %7.1f ms   bare window %7.1f ms\n' "$r" "$p" "$u" "$b"
done

median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a/b}'; }
pm=$(median "${p_times[@]}")
um=$(median "${u_times[@]}")
bm=$(median "${b_times[@]}")
echo "median launch-to-window: program $pm ms, bare window $bm ms, ratio $(ratio "$pm" "$bm")"
echo "median launch-to-window: skinned $pm ms, unskinned $um ms, ratio $(ratio "$pm" "$um")"

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
