#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and the sanitizers in build-fuzz/ and runs each one
# for a set time on a scratch copy of its committed corpus, so that new inputs never land in
# the tree. Fails when any target finds a crash, a leak, a timeout or an out-of-memory.
#
#   scripts/fuzz.sh [--smoke] [NAME...]
#
#   --smoke        10 seconds per target
#   NAME...        only these targets (as listed in build-fuzz/fuzz/fuzzers.txt)
#   FUZZ_SECONDS   seconds per target, 60 unless set (--smoke wins)
#   FUZZ_JOBS      build jobs, 2 unless set
#
# A failing input is kept in build-fuzz/fuzz-failures/NAME/ with the target's log; reproduce
# it with build-fuzz/fuzz/fuzz_NAME FILE. Once fixed, add it to fuzz/corpus/NAME/. A target may
# have a dictionary in fuzz/dict/NAME.dict.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# FUZZ_BUILD_DIR may name another sanitized clang build to reuse (the test script's).
build="$root/${FUZZ_BUILD_DIR:-build-fuzz}"

seconds=${FUZZ_SECONDS:-60}
wanted=()
for arg in "$@"; do
    case "$arg" in
    --smoke) seconds=10 ;;
    -h | --help)
        sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    -*)
        echo "fuzz.sh: opción desconocida «$arg»" >&2
        exit 2
        ;;
    *) wanted+=("$arg") ;;
    esac
done
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz.sh: FUZZ_SECONDS debe ser un número entero de segundos, no «$seconds»" >&2
    exit 2
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DORVALIN_SANITIZE=ON -DORVALIN_FUZZ=ON > "$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }

# The targets come from the build, so a new orvalin_add_fuzzer() needs no edit here.
list="$build/fuzz/fuzzers.txt"
mapfile -t targets < <(grep -v '^$' "$list")
if [ "${#targets[@]}" -eq 0 ]; then
    echo "fuzz.sh: $list no nombra ningún objetivo" >&2
    exit 1
fi
if [ "${#wanted[@]}" -gt 0 ]; then
    for name in "${wanted[@]}"; do
        if ! printf '%s\n' "${targets[@]}" | grep -qx -- "$name"; then
            echo "fuzz.sh: objetivo desconocido «$name» (hay: ${targets[*]})" >&2
            exit 2
        fi
    done
    targets=("${wanted[@]}")
fi

cmake --build "$build" -j"${FUZZ_JOBS:-2}" --target "${targets[@]/#/fuzz_}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$scratch/runtime"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1"

failed=()
for name in "${targets[@]}"; do
    work="$scratch/$name"
    mkdir -p "$work/corpus" "$work/artifacts"
    if [ -d "$root/fuzz/corpus/$name" ]; then
        cp -r "$root/fuzz/corpus/$name/." "$work/corpus/"
    fi
    printf '%-22s %4ss ... ' "$name" "$seconds"
    # A target's dictionary of option names and keys, when it has one, helps reach deep code.
    dict=()
    if [ -f "$root/fuzz/dict/$name.dict" ]; then
        dict=(-dict="$root/fuzz/dict/$name.dict")
    fi
    status=0
    "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
        "${dict[@]}" -artifact_prefix="$work/artifacts/" "$work/corpus" > "$work/log" 2>&1 ||
        status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    if [ "$status" -eq 0 ]; then
        echo "bien (${runs:-?} entradas, corpus $(find "$work/corpus" -type f | wc -l))"
    else
        echo "FALLO (código $status)"
        kept="$build/fuzz-failures/$name"
        rm -rf "$kept"
        mkdir -p "$kept"
        cp -r "$work/artifacts/." "$kept/"
        cp "$work/log" "$kept/log"
        grep -E 'ERROR|SUMMARY|invariant|runtime error|==[0-9]+==' "$work/log" | head -20 || true
        echo "    entradas y registro en $kept"
        failed+=("$name")
    fi
done

if [ "${#failed[@]}" -gt 0 ]; then
    echo "fuzz.sh: fallaron ${failed[*]}" >&2
    exit 1
fi
