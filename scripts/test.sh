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
wine_prefix "$prefix" unmanaged
( cd "$build/win" && ctest --output-on-failure --verbose ) || status=1

# Screenshots the tests took, as PNG beside the BMP files (build artefacts).
for shot in "$build"/win/artefacts/*.bmp; do
  [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" 2>/dev/null && echo "screenshot: ${shot%.bmp}.png"
done
exit $status
