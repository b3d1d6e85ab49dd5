#!/bin/bash
# Builds the Debian package from a copy of the working tree and fails when
# lintian finds an error or a warning in it; its information tags are listed.
#   tools/package-check.sh [--install-deps] [OUTPUT-DIR]
# --install-deps  installs what is missing to build and check the package
# OUTPUT-DIR      keeps the packages and the lintian report there
#                 (default: a temporary folder, removed at the end)
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

install_deps=false
if [ "${1:-}" = --install-deps ]; then
    install_deps=true
    shift
fi
out=${1:-}

if $install_deps; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        dpkg-dev debhelper lintian
    DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq "$source"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy, because the build writes into the source tree (obj-*, debian/vespera)
# and its packages beside it; the build folders of a checkout stay out of it.
mkdir "$work/vespera"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard \
        | while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done \
        | tar --null -T - -cf - | tar -xf - -C "$work/vespera"
else
    tar --exclude='./build*' --exclude='./obj-*' -cf - . | tar -xf - -C "$work/vespera"
fi

echo "Building the package in $work"
(cd "$work/vespera" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; echo "FAIL: the package did not build" >&2; exit 1; }

# What lintian cannot see: the pieces the programs need at run time that no
# library link shows, and the tree the programs expect to find.
deb=$(ls "$work"/vespera_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6webenginecore6-bin fonts-noto-cjk xdg-utils; do
    grep -q "$need" <<<"$depends" || { echo "FAIL: the package does not depend on $need" >&2; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/vespera ./usr/lib/vespera/vesweb ./usr/lib/vespera/vespera-sound \
    ./usr/share/vespera/blue.vss './usr/lib/vespera/vespera_en.qm -> ../../share/vespera/vespera_en.qm' \
    ./usr/share/man/man1/vesclean.1.gz ./usr/share/metainfo/org.example.vespera.metainfo.xml; do
    grep -qF " $f" <<<"$contents" || { echo "FAIL: not in the package: $f" >&2; exit 1; }
done

changes=$(ls "$work"/vespera_*.changes)
status=0
lintian --display-info --fail-on error,warning "$changes" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"

if [ -n "$out" ]; then
    mkdir -p "$out"
    cp "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$work/build.log" "$work/lintian.log" "$out/"
fi
if [ "$status" -ne 0 ]; then
    echo "FAIL: lintian finds errors or warnings (status $status)" >&2
    exit 1
fi
echo "ok: $(cd "$work" && ls -- *.deb | tr '\n' ' ')without lintian errors or warnings"
