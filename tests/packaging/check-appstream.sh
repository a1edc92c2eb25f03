#!/usr/bin/env bash
# The AppStream data validates with no error and no warning (information and pedantic notes
# are allowed), without the network.
#
#   check-appstream.sh APPSTREAMCLI METAINFO
set -uo pipefail
output=$("$1" validate --no-net --no-color "$2" 2>&1)
status=$?
printf '%s\n' "$output"
if [[ $status -ne 0 ]] || grep -qE '^[EW]: ' <<< "$output"; then
  echo "$(basename "$2"): appstreamcli da errores o avisos" >&2
  exit 1
fi
