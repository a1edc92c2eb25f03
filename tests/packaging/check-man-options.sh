#!/usr/bin/env bash
# Every option a program's --help names must be described in its manual page, and every option
# the page describes must be one --help names, so that the two cannot drift apart.
#
#   check-man-options.sh PROGRAM PAGE.scd
set -uo pipefail
program=$1
page=$2
name=$(basename "$program")

help=$(QT_QPA_PLATFORM=offscreen "$program" --help 2> /dev/null)
status=$?
if [[ $status -ne 0 ]]; then
  echo "$name --help salió con $status: sin su ayuda no se pueden comprobar las opciones" >&2
  exit 1
fi

# An option starts a word (or follows "[", "(", "," or "|"): "-o", "--font-size", but not the
# "-MM" of AAAA-MM-DD.
options=$(grep -oE -- '(^|[][[:space:](,|])--?[[:alnum:]][[:alnum:]-]*' <<< "$help" |
  sed -E 's/^[^-]*//' | sort -u)
if [[ -z $options ]]; then
  echo "$name --help no nombra ninguna opción" >&2
  exit 1
fi

missing=()
while read -r option; do
  grep -qE -- "(^|[^[:alnum:]-])${option}([^[:alnum:]-]|\$)" "$page" || missing+=("$option")
done <<< "$options"
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "$(basename "$page") no describe estas opciones de $name --help: ${missing[*]}" >&2
  exit 1
fi

# The page describes an option on a line of its own that starts with it: "*-h*, *--help*".
described=$(grep -E '^\*-' "$page" | grep -oE -- '\*--?[[:alnum:]][[:alnum:]-]*' | tr -d '*' |
  sort -u)
unknown=()
while read -r option; do
  grep -qxF -- "$option" <<< "$options" || unknown+=("$option")
done <<< "$described"
if [[ ${#unknown[@]} -gt 0 ]]; then
  echo "$(basename "$page") describe opciones que $name --help no conoce: ${unknown[*]}" >&2
  exit 1
fi
echo "$(basename "$page"): $(wc -l <<< "$options") opciones de $name --help, todas descritas y ninguna más"
