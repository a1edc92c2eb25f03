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
# Each stage's heading says how long the run has taken so far.
step() { printf '\n==== %s (a los %d min %02d s)\n' "$*" $((SECONDS / 60)) $((SECONDS % 60)); }

# The other release's root is made and its packages installed in the background while this
# machine builds and tests; a failure here waits for it, so that nothing is left running.
prepare_log=$PWD/other-release-prepare.log
prepare=""
if [[ $(id -u) -eq 0 ]]; then
  scripts/test-other-release.sh --prepare > "$prepare_log" 2>&1 &
  prepare=$!
  trap '[[ -n $prepare ]] && wait "$prepare" 2> /dev/null || true' EXIT
fi

step "Formato"
scripts/check-format.sh

step "Compilación"
ORVALIN_WERROR=ON ORVALIN_LINE_TABLES=ON scripts/build.sh

step "Pruebas"
ctest --test-dir build --output-on-failure -j"$jobs"

step "Paquete Debian (dpkg-buildpackage, lintian)"
ORVALIN_WERROR=ON scripts/package.sh

step "clang-tidy"
scripts/check-tidy.sh build

step "Compilación y pruebas con sanitizers (clang)"
scripts/test-sanitized.sh

# The fuzz smoke runs one target at a time for a fixed time each, leaving a core idle: it runs
# beside the other release's stage, its output kept in a log and shown after.
step "Fuzzing (prueba corta, en segundo plano) y pruebas en la otra versión de Debian"
fuzz_log=$PWD/fuzz-smoke.log
FUZZ_BUILD_DIR=build-asan scripts/fuzz.sh --smoke > "$fuzz_log" 2>&1 &
fuzz=$!
trap '[[ -n $prepare ]] && wait "$prepare" 2> /dev/null; [[ -n $fuzz ]] && wait "$fuzz" 2> /dev/null || true' EXIT
if [[ -n $prepare ]]; then
  started=$prepare
  prepare=""
  wait "$started" || { cat "$prepare_log" >&2; exit 1; }
fi
scripts/test-other-release.sh
step "Fuzzing: resultado"
started=$fuzz
fuzz=""
wait "$started" || { cat "$fuzz_log" >&2; echo "test: el fuzzing ha encontrado un fallo" >&2; exit 1; }
cat "$fuzz_log"
step "Hecho"
