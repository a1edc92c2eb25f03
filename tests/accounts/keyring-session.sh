#!/bin/bash
# Runs a command against a real, throwaway Secret Service: a private session bus with
# gnome-keyring's secrets component, unlocked with an empty password, and HOME and the XDG
# folders in a temporary folder, so that nothing of the user's own keyring or settings is
# touched. The bus, the keyring daemon and the folder go when the command ends.
#
#   keyring-session.sh COMMAND [ARGUMENT...]
#   keyring-session.sh --no-keyring COMMAND [ARGUMENT...]
#   keyring-session.sh --bus-only COMMAND [ARGUMENT...]
#
# The second form gives the command the same private folders but no session bus at all, as on
# a machine without a keyring; the third a session bus on which nothing serves (or can be
# started to serve) the Secret Service.
#
# ORVALIN_TEST_HOME names the private HOME for the command.
set -euo pipefail

keyring=yes
if [[ ${1:-} == --no-keyring || ${1:-} == --bus-only ]]; then
    keyring=${1#--}
    shift
fi

home=$(mktemp -d "${TMPDIR:-/tmp}/orvalin-keyring.XXXXXX")
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"

export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
export XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime ORVALIN_TEST_HOME=$home
unset GNOME_KEYRING_CONTROL SSH_AUTH_SOCK

if [[ $keyring == no-keyring ]]; then
    unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
    "$@"
    exit
fi

if [[ $keyring == bus-only ]]; then
    # The system's session configuration would start gnome-keyring on demand: this one lists
    # no services at all.
    cat >"$home/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:dir=$home/runtime</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    unset DISPLAY WAYLAND_DISPLAY
    dbus-run-session --config-file="$home/bus.conf" -- "$@"
    exit
fi

# The daemon reads the unlock password from its standard input; it forks into the background
# and, being on this bus only, ends when dbus-run-session closes the bus.
dbus-run-session -- sh -c '
    echo -n orvalin-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null || exit 1
    exec "$@"' sh "$@"
