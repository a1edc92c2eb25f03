#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs the whole suite there. The sanitizers'
# reports name functions, files and lines: they are pointed at llvm-symbolizer, and a missing
# one is an error rather than a report nobody can read.
#
#   scripts/test-sanitized.sh
#
#   CC, CXX        the compilers (clang and clang++ unless set)
#   ORVALIN_FUZZ   ON (the default with clang) also builds the libFuzzer targets, for
#                  scripts/fuzz.sh
#   BUILD_TYPE     Debug unless set
#   ORVALIN_WERROR ON makes any compiler warning fail the build
#   ORVALIN_LINE_TABLES ON keeps only line tables as debug information
set -euo pipefail
cd "$(dirname "$0")/.."
symbolizer=$(command -v llvm-symbolizer || true)
if [[ -z $symbolizer ]]; then
  echo "test-sanitized: falta llvm-symbolizer (paquete llvm);" \
    "ORVALIN_TOOLS=checks scripts/install-deps.sh lo instala" >&2
  exit 1
fi

export CC=${CC:-clang} CXX=${CXX:-clang++}
fuzz=OFF
[[ $(basename "$CXX") == clang* ]] && fuzz=ON
cmake -S . -B build-asan \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Debug}" -DORVALIN_SANITIZE=ON \
  -DORVALIN_FUZZ="${ORVALIN_FUZZ:-$fuzz}" -DORVALIN_WERROR="${ORVALIN_WERROR:-OFF}" \
  -DORVALIN_LINE_TABLES="${ORVALIN_LINE_TABLES:-OFF}" > build-asan.log 2>&1 || { cat build-asan.log; exit 1; }
cmake --build build-asan -j"$(nproc)"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_SYMBOLIZER_PATH=$symbolizer
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:external_symbolizer_path=$symbolizer
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:external_symbolizer_path=$symbolizer
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
