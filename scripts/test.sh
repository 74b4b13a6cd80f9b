#!/usr/bin/env bash
# Builds and runs the tests headless: once as a normal debug build (which also compiles the
# benchmarks, without running them), once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for config in debug asan; do
  dir=build-test-$config
  extra=()
  [ "$config" = debug ] && extra=(-DKOMASU_BUILD_BENCH=ON)
  [ "$config" = asan ] && extra=(-DKOMASU_SANITIZE=ON)
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${extra[@]}"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs")
done
