#!/usr/bin/env bash
# Starts the program again and again on a private Xvfb display and counts the
# starts that showed the main window.
#   bash scripts/startup-loop.sh [STARTS [MODE...]]
# Modes: alone, busy (a busy loop on every core), pair (two instances started
# together in one prefix) under a running wineserver; cold-alone, cold-busy,
# cold-pair start each time with no Wine process running (Wine's server and
# desktop start with the program, as on a learner's first start). Default:
# every mode. Needs a built tree (native and Windows). TAPMIRA_LOOP_PREFIX
# chooses the Wine prefix (default build/loop-prefix).
# A start that shows no main window within 60 s, or whose program ends first,
# fails: its standard error, the windows on the screen and screenshots go to
# build/startup-loop/. Exit status 1 when any start failed.
# The windows are watched through one X connection (windowclock): Xvfb here
# drops now and then a connection opened just as another closes, and a
# watcher that connected anew for every look made Wine's own connections fail.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
clock=${TAPMIRA_WINDOWCLOCK:-$build/native/tools/windowclock/windowclock}
starts=${1:-200}
shift || true
modes=("$@")
[ ${#modes[@]} -eq 0 ] && modes=(alone busy pair cold-alone cold-busy cold-pair)
program=$build/win/bin/Tapmira.exe
for f in "$program" "$clock"; do
  [ -f "$f" ] || { echo "missing $f: build first (bash scripts/build.sh)" >&2; exit 2; }
done
out=$build/startup-loop
rm -rf "$out"
mkdir -p "$out"

source "$root/scripts/wine-env.sh"
start_xvfb || exit 2
wine_prefix "${TAPMIRA_LOOP_PREFIX:-$build/loop-prefix}" unmanaged
busy=()
running=()
watcher=
cleanup() {
  local p
  for p in "${running[@]}" "${busy[@]}" $watcher; do kill -9 "$p" 2>/dev/null; done
  "$WINESERVER" -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT

main_windows() { xdotool search --onlyvisible --name '^Tapmira ' 2>/dev/null | wc -l; }

record_failure() {
  local tag=$1 w
  sleep 1  # a message box shown at the end is painted by now
  {
    echo "== windows"
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do xprop -id "$w" WM_NAME 2>/dev/null; done
    for f in "$out"/stderr-*; do echo "== $(basename "$f")"; grep -av '^ALSA lib' "$f"; done
  } >"$out/failure-$tag.txt"
  import -window root "$out/failure-$tag.png" 2>/dev/null
  # Each message box on its own: another program's window may cover it.
  for w in $(xdotool search --onlyvisible --name '^(失败|错误|提示)$' 2>/dev/null); do
    xdotool windowraise "$w"
    import -window "$w" "$out/failure-$tag-box-$w.png" 2>/dev/null
  done
}

# Starts `instances` copies and waits for as many main windows; fails when a
# copy ends first or 60 s pass.
start_and_watch() {
  local instances=$1 k p
  "$clock" --count "$instances" "Tapmira " -- sleep 90 >/dev/null 2>&1 &
  watcher=$!
  until pgrep -P "$watcher" >/dev/null || ! kill -0 "$watcher" 2>/dev/null; do sleep 0.02; done
  for k in $(seq "$instances"); do
    "$WINE" "$program" 2>"$out/stderr-$k" &
    running+=($!)
  done
  while kill -0 "$watcher" 2>/dev/null; do
    for p in "${running[@]}"; do kill -0 "$p" 2>/dev/null || kill "$watcher" 2>/dev/null; done
    sleep 0.2
  done
  wait "$watcher"
  local status=$?
  watcher=
  return $status
}

end_running() {
  local p
  for p in "${running[@]}"; do kill -9 "$p" 2>/dev/null; done
  for p in "${running[@]}"; do wait "$p" 2>/dev/null; done
  running=()
  # The windows of the ended processes go before the next start.
  for _ in $(seq 100); do (($(main_windows) == 0)) && break; sleep 0.1; done
}

run_mode() {
  local mode=$1 instances=1 shown=0 cold=0 i
  case $mode in cold-*) cold=1 ;; esac
  case $mode in *pair) instances=2 ;; esac
  "$WINESERVER" -k 2>/dev/null
  "$WINESERVER" -w
  ((cold)) || "$WINESERVER" -p
  case $mode in
    *busy) for _ in $(seq "$(nproc)"); do yes >/dev/null & busy+=($!); done ;;
  esac
  for i in $(seq "$starts"); do
    rm -f "$out"/stderr-*
    if start_and_watch "$instances"; then
      shown=$((shown + 1))
    else
      record_failure "$mode-$i"
      echo "$mode: start $i failed (see $out/failure-$mode-$i.txt)"
    fi
    end_running
    if ((cold)); then "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w; fi
  done
  for i in "${busy[@]}"; do kill "$i" 2>/dev/null; done
  busy=()
  echo "$mode: $starts starts of $instances instance(s), $shown with every main window shown"
  ((shown == starts))
}

status=0
for mode in "${modes[@]}"; do run_mode "$mode" || status=1; done
exit $status
