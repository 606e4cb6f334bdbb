#!/usr/bin/env bash
# Builds everything and starts the program under Wine: on the user's display,
# or on a private Xvfb display when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
bash "$root/scripts/build.sh"
# The help menu's 演示视频 (made once, again only when the program changes).
NO_BUILD=1 bash "$root/scripts/make-demo-video.sh" ||
  echo "The demonstration video could not be made: 演示视频 will say that it cannot open it." >&2
source "$root/scripts/wine-env.sh"
mode=managed
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  mode=unmanaged
  echo "No display: the program runs on Xvfb display $DISPLAY (see it with x11vnc or a screenshot: import -display $DISPLAY -window root shot.png)."
  trap stop_xvfb EXIT
fi
wine_prefix "${TAPMIRA_WINEPREFIX:-$build/wineprefix}" "$mode"
"$WINE" "$build/win/bin/Tapmira.exe"
