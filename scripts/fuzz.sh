#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 30)
# A target's corpus grows in build-fuzz/corpus/<name>, seeded from fuzz/corpus/<name>.
# A crash, hang or leak stops with the failing input saved in build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
scripts/setup.sh
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DAW_FUZZ=ON -DAW_BUILD_APP=OFF -DAW_BUILD_TESTS=OFF -DAW_BUILD_BENCH=OFF >/dev/null
targets=()
for src in fuzz/*_fuzz.cpp; do
  name=$(basename "$src" _fuzz.cpp)
  targets+=("fuzz_$name")
done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/$target" "$corpus" "fuzz/corpus/$name" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/artifacts/$name-" 2>&1 | tail -n 12
done
