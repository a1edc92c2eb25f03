#!/bin/bash
# Runs an AT-SPI client against the real orvalin, read from outside as a screen reader reads it:
# a session bus, an accessibility bus and an X display of its own, all ended with the run.
#
#   atspi-session.sh ORVALIN CLIENT.py
#
# The client gets ORVALIN_PID (the program, started on the demo account) and DISPLAY; its exit
# status is the run's. Nothing of the caller's desktop is read or disturbed, and whatever the
# outcome (a failure, a hang, an interrupt) nothing started here is left running.
set -euo pipefail

program=${1:?the orvalin program}
client=${2:?the AT-SPI client script}
limit=${ORVALIN_ATSPI_LIMIT:-120}
# Debian's own Python, which python3-pyatspi serves, whatever else comes first on the PATH.
python=${ORVALIN_ATSPI_PYTHON:-/usr/bin/python3}

fail() {
    echo "atspi-session: $*" >&2
    exit 1
}

if [[ -z ${ORVALIN_ATSPI_INNER:-} ]]; then
    for tool in dbus-run-session dbus-send Xvfb xdotool "$python" timeout setsid; do
        command -v "$tool" >/dev/null || fail "'$tool' no está instalado"
    done
    "$python" -c 'import pyatspi' 2>/dev/null || fail "falta el módulo pyatspi en $python"
    # The run gets a process group of its own (a background job of a script leads none, so
    # setsid needs no fork and the group's number is the job's): whatever the buses start,
    # and whatever a killed run leaves, is swept up with the group.
    ORVALIN_ATSPI_INNER=1 setsid dbus-run-session -- "$0" "$@" &
    group=$!
    sweep() {
        kill -TERM -- "-$group" 2>/dev/null || return 0
        sleep 1
        kill -KILL -- "-$group" 2>/dev/null || true
    }
    trap 'sweep; exit 1' INT TERM HUP
    status=0
    wait "$group" || status=$?
    sweep
    exit "$status"
fi

launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [[ -x $candidate ]] && launcher=$candidate && break
done
[[ -n $launcher ]] || fail "no se encuentra at-spi-bus-launcher"

work=$(mktemp -d)
pids=()
stop_all() {
    local pid
    # The newest first: the program, then the accessibility bus, then the display.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill -TERM "$pid" 2>/dev/null || continue
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [[ -s $work/orvalin.log ]]; then
        echo "--- salida de orvalin ---" >&2
        cat "$work/orvalin.log" >&2
    fi
    rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 1' INT TERM HUP

exec {display_fd}>"$work/display"
Xvfb -displayfd "$display_fd" -nolisten tcp -screen 0 1024x768x24 2>"$work/xvfb.log" &
pids+=($!)
exec {display_fd}>&-
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb no arrancó: $(cat "$work/xvfb.log")"
DISPLAY=:$(head -1 "$work/display")
export DISPLAY

"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Asked without activating it: the bus must be the one started here.
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' &&
        break
    sleep 0.1
done

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime
unset ORVALIN_XMPP ORVALIN_ACCOUNT QT_SCALE_FACTOR QT_FONT_DPI
"$program" --account demo >"$work/orvalin.log" 2>&1 &
pids+=($!)
export ORVALIN_PID=$!

# In the foreground, so that the client stays in the run's process group.
timeout --foreground -k 5 "$limit" "$python" "$client"
