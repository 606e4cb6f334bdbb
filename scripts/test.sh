#!/usr/bin/env bash
# Builds everything and runs every test: native (with sanitizers), then under
# Wine in a throw-away prefix on a private Xvfb display.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
bash "$root/scripts/build.sh" || exit 1
source "$root/scripts/wine-env.sh"

status=0
echo "== native tests"
( cd "$build/native" && ctest --output-on-failure --verbose ) || status=1

echo "== fuzz targets (short run)"
bash "$root/scripts/fuzz.sh" run "${TAPMIRA_FUZZ_SECONDS:-15}" || status=1

echo "== Windows tests under Wine"
prefix=$(mktemp -d /tmp/tapmira-wine.XXXXXX)
start_xvfb || exit 1
trap 'stop_xvfb; "$WINESERVER" -k 2>/dev/null; rm -rf "$prefix"' EXIT
# Sound stays on whatever the machine has: the suites whose name ends in
# "Audio" bring their own device (ALSA's null device).
TAPMIRA_AUDIO=on wine_prefix "$prefix" unmanaged
( cd "$build/win" && ctest --output-on-failure --verbose ) || status=1

echo "== demonstration video"
# Made as the run command makes it; a sane length shows the learner played through.
video="$build/win/bin/Tapmira2020使用演示.mp4"
if NO_BUILD=1 bash "$root/scripts/make-demo-video.sh"; then
  seconds=$(ffprobe -v error -select_streams v:0 -show_entries format=duration -of csv=p=0 "$video" 2>/dev/null)
  if awk -v s="${seconds:-0}" 'BEGIN { exit !(s >= 20 && s <= 300) }'; then
    echo "demonstration video: ${seconds} s"
  else
    echo "demonstration video: length '${seconds}' s is outside 20..300 s" >&2
    status=1
  fi
else
  status=1
fi

# Screenshots the tests took, as PNG beside the BMP files (build artefacts).
for shot in "$build"/win/artefacts/*.bmp; do
  [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" 2>/dev/null && echo "screenshot: ${shot%.bmp}.png"
done
exit $status
