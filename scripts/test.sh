#!/usr/bin/env bash
# Installs what is missing, builds, and runs every check headless: formatting, the test
# suite, the Debian package checked by lintian, clang-tidy, the suite again under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, a short run of every fuzz
# target, and the whole suite and the package once more inside a minimal root of the other
# supported Debian release (12 or 13).
set -euo pipefail
cd "$(dirname "$0")/.."
ORVALIN_TOOLS=checks scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
step() { printf '\n==== %s\n' "$*"; }

step "Formato"
scripts/check-format.sh

step "Compilación"
ORVALIN_WERROR=ON scripts/build.sh

step "Pruebas"
ctest --test-dir build --output-on-failure -j"$jobs"

step "Paquete Debian (dpkg-buildpackage, lintian)"
scripts/package.sh

step "clang-tidy"
scripts/check-tidy.sh build

step "Compilación con sanitizers (clang)"
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
  -DORVALIN_SANITIZE=ON -DORVALIN_FUZZ=ON > build-asan.log 2>&1 || { cat build-asan.log; exit 1; }
cmake --build build-asan -j"$jobs"

step "Pruebas con sanitizers"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp
ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [[ -x scripts/fuzz.sh ]]; then
  step "Fuzzing (prueba corta)"
  FUZZ_BUILD_DIR=build-asan scripts/fuzz.sh --smoke
fi

step "Pruebas en la otra versión de Debian"
scripts/test-other-release.sh
