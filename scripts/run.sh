#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvalin (on the built-in demo account unless
# ORVALIN_ACCOUNT or ORVALIN_XMPP name another one).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/app/orvalin "$@"
