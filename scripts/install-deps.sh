#!/usr/bin/env bash
# Installs the Debian packages Orvalin needs to build, run and test, skipping those already
# there. Works on Debian 12 and 13 alike: a package whose name carries a version is chosen by
# what the release offers. Uses sudo when not run as root.
#
# Every package a build needs is named here, even when another one happens to pull it in:
# the next release may stop doing so.
set -euo pipefail

packages=(
  # compiler and build
  build-essential g++ cmake pkg-config git
  # the manual pages (scdoc), the folder of bash's completion (its pkg-config file), and the
  # Debian package: built with debhelper, checked with lintian, its AppStream data validated
  scdoc bash-completion file dpkg-dev debhelper lintian appstream
  # Qt and the libraries the code links; Qt's own texts (message boxes, the file dialog) in Spanish
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6sql6-sqlite qt6-translations-l10n
  libstrophe-dev libssl-dev libexpat1-dev zlib1g-dev libzip-dev libxml2-dev
  # the password of a remembered account lives in the system keyring
  qtkeychain-qt6-dev libsecret-1-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  prosody ejabberd openssl dbus-daemon sqlite3
  # a real Secret Service for the keyring tests; the program itself on a private X display,
  # driven from outside, and screenshots of its windows
  gnome-keyring dbus xvfb xdotool imagemagick
  # the program read from outside over AT-SPI, as a screen reader reads it
  at-spi2-core dbus-bin python3-gi python3-pyatspi
  # the fonts the windows name, or their metric-compatible stand-ins
  fonts-liberation2 fonts-dejavu-core
)
if [[ "${ORVALIN_TOOLS:-}" == *checks* ]]; then
  # llvm brings llvm-symbolizer, which makes the sanitizers' reports readable; debootstrap
  # makes the other release's root
  packages+=(clang clang-format clang-tidy llvm debootstrap)
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The clang runtime that holds the sanitizers is versioned like clang itself (14 on Debian 12,
# 19 on Debian 13); read the version off the release's clang package.
clang_runtime() {
  local version
  version=$(apt-cache show clang 2>/dev/null | sed -n 's/^Depends:.*clang-\([0-9][0-9]*\).*/\1/p' | head -1)
  [[ -n $version ]] && echo "libclang-rt-$version-dev"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [[ "${ORVALIN_TOOLS:-}" == *checks* ]]; then
  runtime=$(clang_runtime || true)
  if [[ -z $runtime ]]; then
    "${sudo[@]}" apt-get update -qq
    runtime=$(clang_runtime)
  fi
  installed "$runtime" || missing+=("$runtime")
fi
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Instalando: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
# The tests start throwaway XMPP servers of their own; the system services of the server
# packages installed here are kept from starting while they install, and left disabled, so
# that no XMPP server is left listening on the machine.
servers=()
for server in prosody ejabberd; do
  [[ " ${missing[*]} " == *" $server "* ]] && servers+=("$server")
done
policy_added=false
if [[ ${#servers[@]} -gt 0 && ! -e /usr/sbin/policy-rc.d ]]; then
  printf '#!/bin/sh\ncase "$1" in prosody*|ejabberd*) exit 101 ;; esac\nexit 0\n' |
    "${sudo[@]}" tee /usr/sbin/policy-rc.d >/dev/null
  "${sudo[@]}" chmod 755 /usr/sbin/policy-rc.d
  policy_added=true
  trap '"${sudo[@]}" rm -f /usr/sbin/policy-rc.d' EXIT
fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
if $policy_added; then
  "${sudo[@]}" rm -f /usr/sbin/policy-rc.d
  trap - EXIT
fi
for server in "${servers[@]}"; do
  "${sudo[@]}" systemctl disable --now "$server.service" >/dev/null 2>&1 || true
  "${sudo[@]}" update-rc.d "$server" disable >/dev/null 2>&1 || true
done
