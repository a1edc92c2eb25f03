#!/bin/bash
# Starts and stops a throwaway ejabberd on loopback for the XMPP tests.
#
#   ejabberd-fixture.sh start STATE_FILE ACCOUNT...
#   ejabberd-fixture.sh stop STATE_FILE
#
# Writes the same STATE_FILE as prosody-fixture.sh (SERVER, PORT, DOMAIN, CAFILE, OTHER_CAFILE,
# PASSWORD, SERVER_PID, WATCHDOG_PID, WORKDIR). Configuration, database, logs, certificate and
# the Erlang cookie all live in one temporary folder. The Erlang node listens for its control
# tool on a private loopback port, without epmd, so nothing is shared with another node on the
# machine. The server runs as the package's "ejabberd" user when started by root, and ends on
# its own when CTest goes away or after ORVALIN_EJABBERD_LIFETIME seconds (900 by default).
set -euo pipefail

action=${1:?start or stop}
state_file=${2:?state file}
lifetime=${ORVALIN_EJABBERD_LIFETIME:-900}
domain=localhost
password=orvalin-test-password

fail() {
    echo "ejabberd-fixture: $*" >&2
    exit 1
}

stop_server() {
    [[ -f $state_file ]] || return 0
    # shellcheck disable=SC1090
    source "$state_file"
    if [[ -n ${WATCHDOG_PID:-} ]]; then
        kill "$WATCHDOG_PID" 2>/dev/null || true
    fi
    # The server is the leader of its own process group: the Erlang VM and its helper
    # programs go with it.
    if [[ -n ${SERVER_PID:-} ]] && kill -0 "$SERVER_PID" 2>/dev/null; then
        kill -TERM -- "-$SERVER_PID" 2>/dev/null || true
        for _ in $(seq 100); do
            kill -0 -- "-$SERVER_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL -- "-$SERVER_PID" 2>/dev/null || true
    fi
    if [[ -n ${WORKDIR:-} && -d $WORKDIR ]]; then
        cp -f "$WORKDIR/logs/ejabberd.log" "$(dirname "$state_file")/ejabberd.log" 2>/dev/null ||
            true
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

stop_server

for tool in ejabberdctl erl openssl perl setsid timeout; do
    command -v "$tool" >/dev/null || fail "'$tool' is not installed"
done

workdir=$(mktemp -d /tmp/orvalin-ejabberd.XXXXXX)
chmod 700 "$workdir"
mkdir "$workdir/etc" "$workdir/spool" "$workdir/logs" "$workdir/home"

# ejabberdctl runs only as root (then switching to "ejabberd") or as "ejabberd"; as root the
# fixture becomes that user itself, so that the environment below reaches the server. Anyone
# else runs a copy of the tool that stays with the current user.
ctl=(ejabberdctl)
run_as=()
if ((EUID == 0)); then
    id ejabberd >/dev/null 2>&1 || fail "the 'ejabberd' user does not exist"
    run_as=(setpriv --reuid=ejabberd --regid=ejabberd --clear-groups --)
elif [[ $(id -un) != ejabberd ]]; then
    sed 's/^INSTALLUSER=.*/INSTALLUSER=/' "$(command -v ejabberdctl)" >"$workdir/ejabberdctl"
    chmod 700 "$workdir/ejabberdctl"
    ctl=("$workdir/ejabberdctl")
fi

make_certificate() {
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
        -subj "/CN=$1" -addext "subjectAltName=DNS:$1" \
        -keyout "$2" -out "$3" 2>"$workdir/openssl.log" ||
        fail "openssl could not make a certificate: $(cat "$workdir/openssl.log")"
}
make_certificate "$domain" "$workdir/key.pem" "$workdir/cert.pem"
make_certificate "$domain" "$workdir/other-key.pem" "$workdir/other-ca.pem"
cat "$workdir/cert.pem" "$workdir/key.pem" >"$workdir/etc/server.pem"

free_port() {
    perl -MIO::Socket::INET -e '
        my $s = IO::Socket::INET->new(LocalAddr => "127.0.0.1", LocalPort => 0, Listen => 1)
            or die "no free port: $!\n";
        print $s->sockport;' || fail "no free port on 127.0.0.1"
}
port=$(free_port)
dist_port=$(free_port)
node="orvalin-$(openssl rand -hex 4)@localhost"

# The cookie is read by every Erlang node of the fixture from $HOME, never from a command line.
(umask 077 && openssl rand -hex 24 >"$workdir/home/.erlang.cookie")
chmod 400 "$workdir/home/.erlang.cookie"

cp /etc/ejabberd/inetrc "$workdir/etc/inetrc" 2>/dev/null || : >"$workdir/etc/inetrc"
cat >"$workdir/etc/ejabberdctl.cfg" <<CFG
ERLANG_NODE=$node
ERL_DIST_PORT=$dist_port
INET_DIST_INTERFACE=127.0.0.1
ERL_EPMD_ADDRESS=127.0.0.1
ERL_OPTIONS="-env ERL_CRASH_DUMP_BYTES 0"
EJABBERD_LOG_PATH=$workdir/logs/ejabberd.log
CONTRIB_MODULES_PATH=$workdir/contrib
CONTRIB_MODULES_CONF_DIR=$workdir/contrib
CFG

cat >"$workdir/etc/ejabberd.yml" <<CFG
loglevel: info
log_rotate_count: 0
hosts:
  - $domain
  # Served with the certificate of $domain, for the test that expects a name mismatch.
  - wrongname.$domain
certfiles:
  - "$workdir/etc/server.pem"
listen:
  -
    port: $port
    ip: "127.0.0.1"
    module: ejabberd_c2s
    starttls_required: true
auth_method: internal
auth_password_format: scram
acl:
  local:
    user_regexp: ""
access_rules:
  local:
    allow: local
  c2s:
    allow: all
  pubsub_createnode:
    allow: local
shaper_rules:
  c2s_shaper: none
api_permissions:
  "console commands":
    from:
      - ejabberd_ctl
    who: all
    what: "*"
modules:
  mod_caps: {}
  mod_disco: {}
  # Messages to an account with no session are kept for its next sign-in.
  mod_offline: {}
  mod_ping: {}
  mod_pubsub:
    plugins:
      - flat
      - pep
  mod_roster:
    versioning: false
  mod_vcard: {}
CFG

if ((EUID == 0)); then
    chown -R ejabberd:ejabberd "$workdir"
fi

ctl_run() {
    (cd "$workdir" && HOME="$workdir/home" "${run_as[@]}" "${ctl[@]}" \
        --config-dir "$workdir/etc" --ctl-config "$workdir/etc/ejabberdctl.cfg" \
        --config "$workdir/etc/ejabberd.yml" --spool "$workdir/spool" --logs "$workdir/logs" "$@")
}

# setsid: the server leads a process group of its own and holds none of CTest's pipes.
(cd "$workdir" && HOME="$workdir/home" exec setsid timeout -k 5 "$lifetime" "${run_as[@]}" \
    "${ctl[@]}" --config-dir "$workdir/etc" --ctl-config "$workdir/etc/ejabberdctl.cfg" \
    --config "$workdir/etc/ejabberd.yml" --spool "$workdir/spool" --logs "$workdir/logs" \
    foreground) </dev/null >"$workdir/logs/stdout.log" 2>&1 &
server_pid=$!

owner_pid=$PPID
setsid bash -c "while kill -0 $owner_pid 2>/dev/null && kill -0 $server_pid 2>/dev/null; do
                    sleep 1
                done
                kill -TERM -- -$server_pid 2>/dev/null
                sleep 5
                kill -KILL -- -$server_pid 2>/dev/null
                rm -rf '$workdir'" </dev/null >/dev/null 2>&1 &
watchdog_pid=$!

cat >"$state_file" <<STATE
SERVER=ejabberd
PORT=$port
DOMAIN=$domain
CAFILE=$workdir/cert.pem
OTHER_CAFILE=$workdir/other-ca.pem
PASSWORD=$password
SERVER_PID=$server_pid
WATCHDOG_PID=$watchdog_pid
WORKDIR=$workdir
STATE

started=false
for _ in $(seq 300); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        started=true
        break
    fi
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.2
done
if ! $started; then
    log=$(cat "$workdir/logs/ejabberd.log" "$workdir/logs/stdout.log" 2>/dev/null | tail -20)
    stop_server
    fail "ejabberd did not start on 127.0.0.1:$port: $log"
fi

for account in "$@"; do
    if ! ctl_run register "$account" "$domain" "$password" >"$workdir/register.log" 2>&1; then
        log=$(cat "$workdir/register.log")
        stop_server
        fail "could not register $account@$domain: $log"
    fi
done
