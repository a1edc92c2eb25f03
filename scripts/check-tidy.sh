#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every source file of a configured build
# (default build/), in parallel; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[[ -f $build/compile_commands.json ]] || { echo "falta $build/compile_commands.json" >&2; exit 1; }
top=$(pwd)
files=$(git ls-files '*.cpp' | grep -v '^fuzz/' | sed "s|^|$top/|")
log=$(mktemp)
if ! printf '%s\n' $files | xargs -P"$(nproc)" -n8 clang-tidy -p "$build" --quiet > "$log" 2>&1; then
  grep -E 'warning:|error:' "$log" | sort -u >&2 || cat "$log" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"
