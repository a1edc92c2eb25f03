#!/bin/bash
# Starts and stops a throwaway Prosody on loopback for the XMPP tests.
#
#   prosody-fixture.sh start STATE_FILE ACCOUNT...
#   prosody-fixture.sh stop STATE_FILE
#
# start writes STATE_FILE (shell assignments: SERVER, PORT, DOMAIN, CAFILE, OTHER_CAFILE, PASSWORD,
# SERVER_PID, WORKDIR) and returns once the server accepts connections. The server runs as an
# unprivileged user when started by root, listens on 127.0.0.1 only, and ends on its own when
# the process that started the fixture (CTest) goes away or after ORVALIN_PROSODY_LIFETIME
# seconds (900 by default), so that a killed test run leaves nothing behind.
#
# ORVALIN_PROSODY_UNNAMED=1 leaves out the module that tells the server's software and
# version, so that the server is one a client cannot recognise. ORVALIN_PROSODY_SEED names a
# folder copied into the server's data folder before it starts (such as
# localhost/roster/USER.dat, a stored roster).
set -euo pipefail

action=${1:?start or stop}
state_file=${2:?state file}
lifetime=${ORVALIN_PROSODY_LIFETIME:-900}
domain=localhost
password=orvalin-test-password

fail() {
    echo "prosody-fixture: $*" >&2
    exit 1
}

stop_server() {
    [[ -f $state_file ]] || return 0
    # shellcheck disable=SC1090
    source "$state_file"
    if [[ -n ${WATCHDOG_PID:-} ]]; then
        kill "$WATCHDOG_PID" 2>/dev/null || true
    fi
    if [[ -n ${SERVER_PID:-} ]] && kill -0 "$SERVER_PID" 2>/dev/null; then
        kill -TERM "$SERVER_PID" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$SERVER_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$SERVER_PID" 2>/dev/null || true
    fi
    if [[ -n ${WORKDIR:-} && -d $WORKDIR ]]; then
        cp -f "$WORKDIR/prosody.log" "$(dirname "$state_file")/prosody.log" 2>/dev/null || true
        rm -rf "$WORKDIR"
    fi
    rm -f "$state_file"
}

if [[ $action == stop ]]; then
    stop_server
    exit 0
fi
[[ $action == start ]] || fail "unknown action '$action' (start or stop)"
shift 2
(($# > 0)) || fail "no accounts to register"

# A fixture left over from a run that was killed before its cleanup.
stop_server

for tool in prosody prosodyctl openssl perl setsid timeout; do
    command -v "$tool" >/dev/null || fail "'$tool' is not installed"
done

run_as=()
if ((EUID == 0)); then
    run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi

workdir=$(mktemp -d /tmp/orvalin-prosody.XXXXXX)
chmod 755 "$workdir"
mkdir "$workdir/data" "$workdir/certs"

make_certificate() {
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
        -subj "/CN=$1" -addext "subjectAltName=DNS:$1" \
        -keyout "$2" -out "$3" 2>"$workdir/openssl.log" ||
        fail "openssl could not make a certificate: $(cat "$workdir/openssl.log")"
}
make_certificate "$domain" "$workdir/key.pem" "$workdir/cert.pem"
# An unrelated authority, for the test that expects the server's certificate to be refused.
make_certificate "$domain" "$workdir/other-key.pem" "$workdir/other-ca.pem"

port=$(perl -MIO::Socket::INET -e '
    my $s = IO::Socket::INET->new(LocalAddr => "127.0.0.1", LocalPort => 0, Listen => 1)
        or die "no free port: $!\n";
    print $s->sockport;') || fail "no free port on 127.0.0.1"

modules='"roster", "saslauth", "tls", "disco", "ping", "pep", "vcard", "offline"'
if [[ ${ORVALIN_PROSODY_UNNAMED:-} != 1 ]]; then
    modules+=', "version"'
fi

cat >"$workdir/prosody.cfg.lua" <<CFG
pidfile = "$workdir/prosody.pid"
data_path = "$workdir/data"
plugin_paths = {}
interfaces = { "127.0.0.1" }
local_interfaces = { "127.0.0.1" }
c2s_ports = { $port }
c2s_direct_tls_ports = {}
s2s_ports = {}
http_ports = {}
https_ports = {}
modules_enabled = { $modules }
modules_disabled = { "s2s", "s2s_auth_certs" }
authentication = "internal_hashed"
storage = "internal"
c2s_require_encryption = true
allow_registration = false
log = { { levels = { min = "info" }, to = "file", filename = "$workdir/prosody.log" } }
certificates = "$workdir/certs"
ssl = { certificate = "$workdir/cert.pem", key = "$workdir/key.pem" }
VirtualHost "$domain"
-- Served with the certificate of $domain, for the test that expects a name mismatch.
VirtualHost "wrongname.$domain"
CFG

if [[ -n ${ORVALIN_PROSODY_SEED:-} ]]; then
    cp -R "$ORVALIN_PROSODY_SEED/." "$workdir/data/" || fail "cannot copy $ORVALIN_PROSODY_SEED"
fi
if ((EUID == 0)); then
    chown -R nobody:nogroup "$workdir"
fi

for account in "$@"; do
    "${run_as[@]}" prosodyctl --config "$workdir/prosody.cfg.lua" register "$account" "$domain" \
        "$password" >"$workdir/register.log" 2>&1 ||
        fail "could not register $account@$domain: $(cat "$workdir/register.log")"
done

# setsid: the server leaves CTest's process group and holds none of its pipes.
setsid timeout -k 5 "$lifetime" "${run_as[@]}" prosody -F --config "$workdir/prosody.cfg.lua" \
    </dev/null >"$workdir/stdout.log" 2>&1 &
server_pid=$!

# The watchdog ends the server when the test run that started it is gone.
owner_pid=$PPID
setsid bash -c "while kill -0 $owner_pid 2>/dev/null && kill -0 $server_pid 2>/dev/null; do
                    sleep 1
                done
                kill -TERM $server_pid 2>/dev/null
                sleep 3
                rm -rf '$workdir'" </dev/null >/dev/null 2>&1 &
watchdog_pid=$!

cat >"$state_file" <<STATE
SERVER=prosody
PORT=$port
DOMAIN=$domain
CAFILE=$workdir/cert.pem
OTHER_CAFILE=$workdir/other-ca.pem
PASSWORD=$password
SERVER_PID=$server_pid
WATCHDOG_PID=$watchdog_pid
WORKDIR=$workdir
STATE

for _ in $(seq 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        exit 0
    fi
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
done
log=$(cat "$workdir/prosody.log" "$workdir/stdout.log" 2>/dev/null | tail -20)
stop_server
fail "prosody did not start on 127.0.0.1:$port: $log"
