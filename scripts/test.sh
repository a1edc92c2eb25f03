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
ORVALIN_WERROR=ON scripts/package.sh

step "clang-tidy"
scripts/check-tidy.sh build

step "Compilación y pruebas con sanitizers (clang)"
scripts/test-sanitized.sh

if [[ -x scripts/fuzz.sh ]]; then
  step "Fuzzing (prueba corta)"
  FUZZ_BUILD_DIR=build-asan scripts/fuzz.sh --smoke
fi

step "Pruebas en la otra versión de Debian"
scripts/test-other-release.sh
