#!/usr/bin/env bash
# Builds and runs the tests headless: once as a normal debug build (which also compiles the
# benchmarks, without running them), once under AddressSanitizer and UndefinedBehaviorSanitizer,
# once as the release build of the Debian package, which is then built and checked (lintian,
# desktop-file-validate, its files); then runs each fuzz target for a bounded time (clang,
# libFuzzer, ASan and UBSan).
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
bash scripts/package.sh --with-tests

# Only the fuzz targets are built in this configuration. Inputs found are kept in the build
# folder; the seeds in fuzz/corpus stay as they are.
fuzz_dir=build-test-fuzz
fuzz_seconds=${KOMASU_FUZZ_SECONDS:-30}
cmake -S . -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKOMASU_FUZZ=ON -DKOMASU_BUILD_TESTS=OFF
cmake --build "$fuzz_dir" -j "$jobs" --target komasu_fuzzers
for target in fuzz_page_record fuzz_album_file fuzz_settings_values fuzz_csv_reader fuzz_csv_export; do
  mkdir -p "$fuzz_dir/corpus/$target" "$fuzz_dir/artifacts/$target"
  "$fuzz_dir/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$fuzz_dir/artifacts/$target/" \
    "$fuzz_dir/corpus/$target" "fuzz/corpus/$target"
done
