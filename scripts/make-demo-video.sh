#!/usr/bin/env bash
# Makes the demonstration video "Tapmira2020使用演示.mp4" in the program's folder
# (build/win/bin), which the help menu's 演示视频 opens: the scripted learner
# (tests/demo) plays a letter drill and a pinyin article on a private Xvfb
# display while ffmpeg records the window. Builds first unless NO_BUILD=1.
# The video is made again only when what it shows may have changed: it is keyed
# on a hash of the program's files, the learner and this script (FORCE=1 makes
# it anyway). The video is generated, never committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
[ "${NO_BUILD:-}" = 1 ] || bash "$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"

bin="$build/win/bin"
out="$bin/Tapmira2020使用演示.mp4"
learner="$build/win/tests/demo_learner.exe"
key_file="$build/win/demo-video.key"

# What the recording shows follows from these; the score file and the
# dictionaries' temporary files that a run of the program leaves are not inputs.
inputs_key() {
  {
    find "$bin" -type f ! -name "$(basename "$out")" ! -name 'svlScore*' ! -name '*Temp.dat' -printf '%P\0' |
      sort -z | (cd "$bin" && xargs -0 -r sha256sum)
    sha256sum < "$learner"
    sha256sum < "$root/scripts/make-demo-video.sh"
  } | sha256sum | cut -d' ' -f1
}

key=$(inputs_key)
if [ "${FORCE:-}" != 1 ] && [ -s "$out" ] && [ "$(cat "$key_file" 2>/dev/null)" = "$key" ]; then
  echo "video: $out (up to date)"
  exit 0
fi
echo "Recording the demonstration video (about a minute)..."

work=$(mktemp -d /tmp/tapmira-demo.XXXXXX)
prefix=$work/prefix
start_xvfb
ffmpeg_pid=
cleanup() {
  [ -n "$ffmpeg_pid" ] && kill "$ffmpeg_pid" 2>/dev/null || true
  stop_xvfb
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wine_prefix "$prefix" unmanaged

# The learner puts the window at the display's top-left corner (977 x 559).
ffmpeg -loglevel error -y -f x11grab -draw_mouse 0 -framerate 15 -video_size 978x560 -i "$DISPLAY+0,0" \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -movflags +faststart "$work/demo.mp4" </dev/null &
ffmpeg_pid=$!
"$WINE" "$learner"
sleep 1
kill -INT "$ffmpeg_pid"
wait "$ffmpeg_pid" || true
ffmpeg_pid=
[ -s "$work/demo.mp4" ] || { echo "no video was recorded" >&2; exit 1; }
mv "$work/demo.mp4" "$out"
echo "$key" > "$key_file"
echo "video: $out"
