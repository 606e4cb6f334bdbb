#!/usr/bin/env bash
# make_sounds.sh NAMES OUTDIR: the key-hit click OUTDIR/abc.wav, the error tone
# OUTDIR/ywerror.wav and one pronunciation OUTDIR/py/NAME.wav per sound name
# (a syllable with its tone digit, read by espeak-ng's Pinyin voice), all
# 11025 Hz mono 16-bit PCM with the silence around them trimmed.
set -euo pipefail
names=$1 out=$2
mkdir -p "$out/py"
if bad=$(grep -v '^$' "$names" | grep -Ev '^[a-z][a-z0-9]{0,15}$' | head -n 1) && [ -n "$bad" ]; then
  echo "make_sounds.sh: $names: \"$bad\" is not a syllable with a tone digit" >&2
  exit 1
fi
fmt=(-r 11025 -c 1 -b 16 -e signed-integer)

sox -n "${fmt[@]}" "$out/abc.tmp.wav" synth 0.035 pinknoise synth 0.035 sine amod 1800 \
  highpass 900 fade q 0.001 0.035 0.03 gain -n -4
mv "$out/abc.tmp.wav" "$out/abc.wav"
sox -n "${fmt[@]}" "$out/ywerror.tmp.wav" synth 0.28 triangle 150 synth 0.28 sine amod 30 \
  lowpass 900 fade q 0.005 0.28 0.12 gain -n -3
mv "$out/ywerror.tmp.wav" "$out/ywerror.wav"

say() {
  local name=$1 dir=$2 tmp
  tmp=$(mktemp "$dir/py/.$name.XXXXXX")
  espeak-ng -v cmn-latn-pinyin -s 150 -w "$tmp.raw.wav" "$name"
  sox "$tmp.raw.wav" -r 11025 -c 1 -b 16 -e signed-integer "$tmp.wav" \
    silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse gain -n -2
  mv "$tmp.wav" "$dir/py/$name.wav"
  rm -f "$tmp" "$tmp.raw.wav"
}
export -f say
grep -v '^$' "$names" | sort -u | xargs -P "$(nproc)" -I{} bash -c 'say "$1" "$2"' _ {} "$out"
