#!/usr/bin/env bash
# Fuzz targets of fuzz/ (clang, libFuzzer, ASan/UBSan) in their own tree.
#   fuzz.sh build            builds build/fuzz
#   fuzz.sh run SECONDS      runs every target for SECONDS each (default 15)
# Seeds come from the native build's skin (build/native/skin); findings and the
# grown corpus stay in build/fuzz. A finding fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
fuzz=$build/fuzz

case "${1:-run}" in
  build)
    cmake -S "$root/fuzz" -B "$fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$fuzz" -j "$(nproc)"
    ;;
  run)
    seconds=${2:-15}
    skin=$build/native/skin
    status=0
    for exe in "$fuzz"/*_fuzz; do
      name=$(basename "$exe")
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
        *bmp*_fuzz)
          # Image targets start from the skin's own images and the program's bitmaps.
          for f in "$skin"/source/*.bmp "$skin"/bitmaps/*.bmp; do [ -f "$f" ] && cp -n "$f" "$corpus/"; done
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
