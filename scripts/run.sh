#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvalin, which opens its sign-in window unless an
# account is named (--account, ORVALIN_XMPP, ORVALIN_ACCOUNT) or remembered to sign in by itself.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/app/orvalin "$@"
