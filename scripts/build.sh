#!/usr/bin/env bash
# Builds everything: the native tree (portable code, host tools, generated data)
# and the Windows tree (the program's folder in build/win/bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPMIRA_BUILD:-$root/build}
jobs=${TAPMIRA_JOBS:-$(nproc)}

bash "$root/scripts/deps.sh"
bash "$root/scripts/fetch-giflib.sh" "$build/third_party/giflib"

cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j "$jobs"
bash "$root/scripts/fuzz.sh" build

cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DGIFLIB_SOURCE_DIR="$build/third_party/giflib" \
  -DHOST_BUILD_DIR="$build/native" >/dev/null
cmake --build "$build/win" -j "$jobs"
