#!/usr/bin/env bash
# Builds and runs the whole test suite, the live-server fixtures included, under the sanitizers
# inside a minimal root of the other supported Debian release (Debian 13 on a Debian 12 machine,
# Debian 12 on a Debian 13 one), made with debootstrap from this machine's own apt sources. Then
# builds the Debian package there from debian/, checks it with lintian and installs it with
# apt-get, as a user of that release would.
#
#   scripts/test-other-release.sh [--prepare] [CODENAME]
#
# --prepare only makes the root and installs its packages, so that the test command can do that
# (mostly waiting on the network) while this machine builds and tests; a later run finds it ready.
#
# The root is kept in ORVALIN_ROOT_CACHE (/var/cache/orvalin/roots unless set) between runs,
# with the packages installed; only a root whose making finished is reused, so an interrupted
# run starts afresh. Needs root (sudo is used otherwise) for debootstrap, chroot and the mounts;
# /proc and /dev are mounted for the run and always unmounted after.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

if [[ $(id -u) -ne 0 ]]; then
  exec sudo --preserve-env=ORVALIN_ROOT_CACHE "$0" "$@"
fi
prepare_only=false
if [[ ${1:-} == --prepare ]]; then
  prepare_only=true
  shift
fi

. /etc/os-release
case "${1:-}" in
  "") case "$VERSION_CODENAME" in
        bookworm) release=trixie ;;
        trixie) release=bookworm ;;
        *) echo "test-other-release: Debian 12 o 13 necesarios, no «$PRETTY_NAME»" >&2; exit 2 ;;
      esac ;;
  bookworm | trixie) release=$1 ;;
  *) echo "test-other-release: versión desconocida «$1» (bookworm o trixie)" >&2; exit 2 ;;
esac

# The mirror this machine already uses for Debian itself.
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Identifier: Packages' 2>/dev/null |
  grep -m1 -E '/debian/?$' || true)
mirror=${mirror:-http://deb.debian.org/debian}
mirror=${mirror%/}

command -v debootstrap > /dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

cache=${ORVALIN_ROOT_CACHE:-/var/cache/orvalin/roots}
root="$cache/$release"
mkdir -p "$cache"
if [[ ! -f $root/.orvalin-complete ]]; then
  echo "Creando una raíz mínima de $release desde $mirror"
  rm -rf "$root"
  debootstrap --variant=minbase "$release" "$root" "$mirror" > "$cache/$release.log" 2>&1 ||
    { tail -20 "$cache/$release.log" >&2; exit 1; }
  cat > "$root/etc/apt/sources.list" << EOF
deb $mirror $release main
deb $mirror $release-updates main
EOF
  touch "$root/.orvalin-complete"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[i]}" 2> /dev/null || umount -lR "${mounted[i]}" || true
  done
}
trap cleanup EXIT
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --rbind /dev "$root/dev" && mounted+=("$root/dev")
# Unmounting the root's /dev must never reach the machine's own.
mount --make-rslave "$root/dev"

# The tree as it stands, uncommitted work included, without any build output.
rm -rf "$root/src"
mkdir -p "$root/src"
git ls-files -z --cached --others --exclude-standard |
  xargs -0 -I{} sh -c 'test -e "$1" && printf "%s\0" "$1"' _ {} |
  tar --null -T - -cf - | tar -xf - -C "$root/src"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen bash -c "$1"; }

# Nothing installed in the root may start a service there (the system bus would go on running
# after the run): Debian's packages ask policy-rc.d first.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
in_root 'cd /src && ORVALIN_TOOLS=checks scripts/install-deps.sh &&
  apt-get install -y -qq --no-install-recommends ca-certificates > /dev/null'
if $prepare_only; then
  rm -rf "$root/src"
  exit 0
fi
# One build serves two checks here: that release's GCC finds no warning anywhere, tests included,
# at the optimisation users build with, and the whole suite passes under AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer against that release's libraries.
in_root 'cd /src && CC=gcc CXX=g++ BUILD_TYPE=RelWithDebInfo ORVALIN_WERROR=ON \
  ORVALIN_LINE_TABLES=ON scripts/test-sanitized.sh'

# The package made on this release, from the source package, passes lintian, installs with its
# dependencies and runs.
in_root 'cd /src && OUT_DIR=/src/out scripts/package.sh &&
  apt-get install -y -qq ./out/orvalin_*.deb > /dev/null &&
  orvalin-audit --account demo scan | tail -1 &&
  apt-get purge -y -qq orvalin > /dev/null'
rm -rf "$root/src"
