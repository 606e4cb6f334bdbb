#!/usr/bin/env bash
# make_music.sh NOTES WORKDIR OUT.mp3: renders the note list written by
# "mediagen notes" with sox (one file per note, in parallel), joins each
# voice, mixes the voices, repeats the tune to about a minute and encodes it
# with lame.
set -euo pipefail
notes=$1 work=$2 out=$3
rm -rf "$work"
mkdir -p "$work"
rate=22050

note() {
  local voice=$1 seq=$2 sound=$3 gain=$4 freq=$5 secs=$6 work=$7
  local f="$work/v$voice-$seq.wav"
  if [ "$freq" = "0.000" ]; then
    sox -n -r 22050 -c 1 -b 16 "$f" trim 0 "$secs"
  else
    # A plucked or soft tone that dies away within the note.
    sox -n -r 22050 -c 1 -b 16 "$f" synth "$secs" "$sound" "$freq" \
      fade q 0.005 "$secs" "$(awk -v s="$secs" 'BEGIN{printf "%.4f", s*0.6}')" vol "$gain"
  fi
}
export -f note
xargs -P "$(nproc)" -L 1 bash -c 'note "$@" "'"$work"'"' _ < "$notes"

voices=$(cut -d' ' -f1 "$notes" | sort -u)
tracks=()
for v in $voices; do
  parts=("$work"/v"$v"-*.wav)  # the glob sorts by the zero-padded note number
  sox "${parts[@]}" "$work/track$v.wav"
  tracks+=("$work/track$v.wav")
done
if [ ${#tracks[@]} -gt 1 ]; then
  sox -m "${tracks[@]}" "$work/mix.wav"
else
  cp "${tracks[0]}" "$work/mix.wav"
fi
# Repeat to at least 55 seconds, soften with a little reverb, fade the ends.
len=$(soxi -D "$work/mix.wav")
reps=$(awk -v l="$len" 'BEGIN{r=int(55/l); if (r*l<55) r++; print (r>1?r-1:0)}')
sox "$work/mix.wav" "$work/long.wav" repeat "$reps" reverb 30 50 60 gain -n -3
total=$(soxi -D "$work/long.wav")
sox "$work/long.wav" "$work/final.wav" fade t 0.3 "$total" 2
lame --quiet -m m -b 48 --resample 22.05 "$work/final.wav" "$out.tmp"
mv "$out.tmp" "$out"
