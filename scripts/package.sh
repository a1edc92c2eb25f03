#!/usr/bin/env bash
# Builds the Debian package from the tree as it stands (uncommitted work included, no build
# output), as a clean checkout would, and checks it with lintian: any error or warning fails.
# The package, its .changes and .buildinfo land in out/ (or OUT_DIR).
#
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out=${OUT_DIR:-$PWD/out}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/orvalin"
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    xargs -0 -I{} sh -c 'test -e "$1" && printf "%s\0" "$1"' _ {} |
    tar --null -T - -cf - | tar -xf - -C "$scratch/orvalin"
else
  # A copy without git (the other release's root): everything but the build output.
  tar --exclude='./build*' --exclude=./out --exclude='./obj-*' -cf - . |
    tar -xf - -C "$scratch/orvalin"
fi
export DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS:-parallel=$(nproc)}

(cd "$scratch/orvalin" && dpkg-buildpackage -us -uc -b) > "$scratch/build.log" 2>&1 ||
  { tail -40 "$scratch/build.log" >&2; exit 1; }
changes=$(ls "$scratch"/orvalin_*.changes)
lintian --fail-on error,warning --info "$changes"

mkdir -p "$out"
rm -f "$out"/orvalin_* "$out"/orvalin-dbgsym_*
cp "$scratch"/*.deb "$scratch"/*.changes "$scratch"/*.buildinfo "$out"/
ls "$out"/*.deb
