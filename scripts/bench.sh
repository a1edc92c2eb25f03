#!/usr/bin/env bash
# Installs what is missing, builds an optimised tree in build-bench/ and runs the benchmarks,
# ending with one table of every figure beside its floor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build-bench -j"$(nproc)" --target orvalin_bench
QT_QPA_PLATFORM=offscreen build-bench/bench/orvalin_bench "$@"
