#!/usr/bin/env bash
# Drives the bash completion of orvalin-audit as bash does on Tab: COMP_WORDS and COMP_CWORD
# set for a typed line, the completion function called, COMPREPLY read. The remembered
# accounts and the keep list are real ones, in a temporary home.
#
#   completion-test.sh COMPLETION_FILE ORVALIN_AUDIT
set -uo pipefail
completion=$(realpath "$1")
audit=$(realpath "$2")

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
unset ORVALIN_XMPP ORVALIN_ACCOUNT
PATH=$(dirname "$audit"):$PATH
cd "$home" || exit 1

. /usr/share/bash-completion/bash_completion || exit 1
. "$completion" || exit 1

failures=0
# complete LINE EXPECTED...: the completions of LINE (the cursor at its end) are EXPECTED.
complete_line() {
  local line=$1
  shift
  read -ra COMP_WORDS <<< "$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _orvalin_audit orvalin-audit "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got expected
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  if [[ $got != "$expected" ]]; then
    echo "«$line»: se esperaba «$expected», se obtuvo «$got»" >&2
    failures=$((failures + 1))
  fi
}

# Commands, options and values.
complete_line "orvalin-audit k" keep
complete_line "orvalin-audit " changes fans history keep remove scan
complete_line "orvalin-audit --format " csv json table
complete_line "orvalin-audit scan --format j" json
complete_line "orvalin-audit --format=c" csv
complete_line "orvalin-audit scan --f" --format
complete_line "orvalin-audit changes --n" --notify
complete_line "orvalin-audit history --f" --forget
complete_line "orvalin-audit --account demo k" keep
complete_line "orvalin-audit keep " add list remove
complete_line "orvalin-audit fans " add drop
complete_line "orvalin-audit fans --f" --format
complete_line "orvalin-audit fans drop "

# --account: the demo account, the remembered accounts and files.
mkdir -p "$XDG_CONFIG_HOME/orvalin"
cat > "$XDG_CONFIG_HOME/orvalin/orvalin.conf" << 'CONF'
[General]
ultimaCuenta=ana@example.org

[cuentas]
1\direccion=ana@example.org
1\servidor=xmpp.example.org
2\direccion=bruno@example.net
size=2
CONF
touch cuenta.json
complete_line "orvalin-audit --account " ana@example.org bruno@example.net cuenta.json config \
  demo
complete_line "orvalin-audit --account a" ana@example.org
complete_line "orvalin-audit scan --account=b" bruno@example.net

# keep remove: the kept addresses of the account on the line.
"$audit" --account demo keep add ana.soto@example.org tomas.herrera@example.org > /dev/null ||
  { echo "orvalin-audit keep add falló" >&2; exit 1; }
complete_line "orvalin-audit --account demo keep remove " ana.soto@example.org \
  tomas.herrera@example.org
complete_line "orvalin-audit --account demo keep remove t" tomas.herrera@example.org
complete_line "orvalin-audit --account cuenta.json keep remove "

if [[ $failures -gt 0 ]]; then
  echo "$failures completados fallaron" >&2
  exit 1
fi
echo "completado de orvalin-audit: todo bien"
