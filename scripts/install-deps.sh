#!/usr/bin/env bash
# Installs the Debian 12 packages Orvalin needs to build, run and test, skipping those already
# there. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libbenchmark-dev
  libstrophe-dev prosody openssl
  fonts-liberation2 fonts-dejavu-core
)
if [[ "${ORVALIN_TOOLS:-}" == *checks* ]]; then
  packages+=(clang clang-format clang-tidy libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
echo "Instalando: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
