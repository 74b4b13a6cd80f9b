#!/usr/bin/env bash
# Builds ＫＯＭＡＳＵⅡ (release) and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOMASU_BUILD_TESTS=OFF
cmake --build build-release
exec ./build-release/src/app/komasu2 "$@"
