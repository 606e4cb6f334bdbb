#!/usr/bin/env bash
# Unpacks Debian's giflib source into the given folder (once).
set -euo pipefail
dest=$1
if [ -f "$dest/gif_lib.h" ]; then exit 0; fi
work=$(mktemp -d)
( cd "$work" && apt-get source -qq giflib >/dev/null 2>&1 )
src=$(find "$work" -maxdepth 1 -type d -name 'giflib-*' | head -n 1)
[ -n "$src" ] || { echo "giflib source not found" >&2; exit 1; }
mkdir -p "$dest"
cp -r "$src"/. "$dest"/
rm -rf "$work"
