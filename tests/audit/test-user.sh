#!/usr/bin/env bash
# Creates (start) or deletes (stop) an unprivileged user and a group it belongs to, so that the
# account file's permission cases run as someone root's rights do not cover. Without root it
# does nothing, and the tests that need the user skip themselves.
set -euo pipefail
user=orvalin-test-user
group=orvalin-test-shared
[[ $(id -u) -eq 0 ]] || exit 0
case "$1" in
start)
  getent group "$group" > /dev/null || groupadd --system "$group"
  if ! id "$user" > /dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin --user-group \
      --groups "$group" "$user"
  fi
  ;;
stop)
  if id "$user" > /dev/null 2>&1; then userdel "$user"; fi
  if getent group "$group" > /dev/null; then groupdel "$group"; fi
  ;;
esac
