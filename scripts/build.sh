#!/usr/bin/env bash
# Configures and builds everything (programs and tests) into build/. With ORVALIN_WERROR=ON, as
# CI builds, any compiler warning fails the build; ORVALIN_LINE_TABLES=ON keeps only line tables
# as debug information.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DORVALIN_WERROR="${ORVALIN_WERROR:-OFF}" -DORVALIN_LINE_TABLES="${ORVALIN_LINE_TABLES:-OFF}" \
  > build.log 2>&1 || { cat build.log; exit 1; }
cmake --build build -j"$(nproc)"
