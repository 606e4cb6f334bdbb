#!/usr/bin/env bash
# The Wine prefix's sound step: where the machine has no sound device, Wine
# loads no audio driver (nothing on the terminal, no wave device even where
# ALSA could offer one); once there is a device, its drivers come back.
# ALSA's null device (found through HOME) stands in for a sound card, and
# TAPMIRA_AUDIO for what wine_prefix finds on the machine.
#   prefix_sound_test.sh WAVE_DEVICES_EXE NULL_AUDIO_HOME
set -uo pipefail
probe=$1 null_home=$2
source "$(dirname "$0")/../../scripts/wine-env.sh"
prefix=$(mktemp -d /tmp/tapmira-sound.XXXXXX)
trap '"$WINESERVER" -k 2>/dev/null; rm -rf "$prefix"' EXIT
status=0

# expect AUDIO DEVICES: prepares the prefix with sound AUDIO (on/off) and
# counts the devices with ALSA's null device; the machine's own ALSA says
# nothing on standard error.
expect() {
  TAPMIRA_AUDIO=$1 wine_prefix "$prefix" unmanaged
  local devices errors
  devices=$(HOME=$null_home "$WINE" "$probe" 2>/dev/null | tr -d '\r')
  errors=$("$WINE" "$probe" 2>&1 >/dev/null)
  if [ "$devices" != "$2" ]; then
    echo "FAIL: sound $1: $devices wave devices, expected $2" >&2
    status=1
  fi
  if [ "$1" = off ] && [ -n "$errors" ]; then
    echo "FAIL: sound off, yet on standard error:" >&2
    echo "$errors" | head -5 >&2
    status=1
  fi
}

expect off 0
expect on 1
expect off 0
[ $status = 0 ] && echo "prefix sound step: off, on and off again as asked"
exit $status
