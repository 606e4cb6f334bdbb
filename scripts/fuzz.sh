#!/usr/bin/env bash
# Fuzz targets of fuzz/ (clang, libFuzzer, ASan/UBSan) in their own tree.
#   fuzz.sh build            builds build/fuzz (giflib from build/third_party/giflib)
#   fuzz.sh run SECONDS [TARGET...]
#                            runs every target (or those named) for SECONDS each (default 15)
# Seeds come from the native build's generated data (skin, dictionaries,
# pictures, articles) and the form definitions; findings and the grown corpus
# stay in build/fuzz. A finding fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
fuzz=$build/fuzz

case "${1:-run}" in
  build)
    bash "$root/scripts/fetch-giflib.sh" "$build/third_party/giflib"
    cmake -S "$root/fuzz" -B "$fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=Debug -DGIFLIB_SOURCE_DIR="$build/third_party/giflib" >/dev/null
    cmake --build "$fuzz" -j "${TAPMIRA_JOBS:-$(nproc)}"
    ;;
  run)
    seconds=${2:-15}
    only=("${@:3}")
    skin=$build/native/skin
    appdata=$build/native/appdata
    status=0
    for exe in "$fuzz"/*_fuzz; do
      name=$(basename "$exe")
      if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $name "* ]]; then continue; fi
      corpus=$fuzz/corpus/$name
      maxlen=65536
      mkdir -p "$corpus" "$fuzz/findings"
      case $name in
        skin_container_fuzz)
          maxlen=4096  # a few kilobytes decode to megabytes: keep inputs small for speed
          # A small container (description and one image) besides the whole skin.
          if [ -f "$skin/tapmira.skin" ] && [ ! -f "$corpus/seed-small.skin" ]; then
            small=$(mktemp -d)
            cp "$skin/source/tapmira.ini" "$skin/source/checkbox.bmp" "$small/"
            "$build/native/tools/skinpack/skinpack" "$small" "$corpus/seed-small.skin" >/dev/null
            rm -rf "$small"
          fi
          ;;
        skin_ini_fuzz)
          [ -f "$skin/source/tapmira.ini" ] && cp -n "$skin/source/tapmira.ini" "$corpus/seed.ini"
          ;;
        settings_fuzz|user_list_fuzz)
          # Typical stored values, in each target's input format.
          seeds=('abc;' 'abc;bob' 'bob;abc;;张三;\0a\3carld\1l\1')
          [ "$name" = settings_fuzz ] && seeds=('N1\nN1\nN1\nN5\nN1\nTabc;\nTabc'
            'T0\nN0\nT 1 \nT25\nN0\nTabc;张三;李四;\nT张三' 'Toff\nO\nN7\nT7.5\nT\nN3\nT\nR')
          for i in "${!seeds[@]}"; do printf "${seeds[$i]}" > "$corpus/seed-$i"; done
          ;;
        article_*_fuzz)
          # The generated articles (their first bytes choose the row room, the last ones the run's keys).
          for f in "$build"/native/appdata/English/* "$build"/native/appdata/Chinese/*; do [ -f "$f" ] && cp -n "$f" "$corpus/"; done
          ;;
        score_file_fuzz)
          [ -f "$build/native/scores/svlScore.dat" ] && cp -n "$build/native/scores/svlScore.dat" "$corpus/seed.dat"
          ;;
        *bmp*_fuzz)
          # Image targets start from the skin's own images and the program's bitmaps, and
          # two of them again as RLE8, RLE4, 16-bit and 32-bit bit-field files.
          for f in "$skin"/source/*.bmp "$skin"/bitmaps/*.bmp; do [ -f "$f" ] && cp -n "$f" "$corpus/"; done
          for f in "$skin/source/checkbox.bmp" "$skin/source/button.bmp"; do
            if [ -f "$f" ]; then "$fuzz/fuzz_seeds" bmp "$f" "$corpus" >/dev/null; fi
          done
          ;;
        form_fuzz)
          # The four windows' definitions, in GBK as the program reads them.
          for f in "$root"/forms/*.form; do
            [ -f "$corpus/seed-$(basename "$f")" ] || iconv -f UTF-8 -t GBK "$f" -o "$corpus/seed-$(basename "$f")"
          done
          ;;
        dict_fuzz)
          # Pieces of each generated dictionary, as stored and as deciphered text.
          [ -f "$corpus/seed-wb1.dat" ] || "$fuzz/fuzz_seeds" dict "$appdata" "$corpus" >/dev/null
          ;;
        gif_fuzz)
          # A spread of the decomposition pictures (every 500th by number).
          find "$build/native/gen/gif" -name '*.gif' 2>/dev/null | sort -V | awk 'NR % 500 == 1' |
            while read -r f; do cp -n "$f" "$corpus/"; done || true
          ;;
        gbk_fuzz)
          maxlen=4096
          # GBK text: the start of each article and a form definition.
          for f in "$appdata"/English/* "$appdata"/Chinese/*; do
            if [ -f "$f" ]; then head -c 2048 "$f" >"$corpus/seed-$(basename "$f" | md5sum | cut -c1-12)"; fi
          done
          iconv -f UTF-8 -t GBK "$root/forms/TForm2.form" -o "$corpus/seed-form"
          ;;
      esac
      # Seeds other helpers add for their targets: fuzz/seeds/<target>/ (generated there, not committed).
      [ -d "$fuzz/seeds/$name" ] && cp -rn "$fuzz/seeds/$name/." "$corpus/"
      echo "== fuzz $name for ${seconds}s"
      if ! "$exe" "$corpus" -max_total_time="$seconds" -max_len=$maxlen -timeout=10 -rss_limit_mb=2048 \
           -artifact_prefix="$fuzz/findings/$name-" -print_final_stats=1 2>"$fuzz/$name.log"; then
        tail -40 "$fuzz/$name.log"
        status=1
      fi
      grep -E "^stat::number_of_executed_units|^Done|^#[0-9]+.*DONE" "$fuzz/$name.log" | tail -2 || true
    done
    exit $status
    ;;
esac
