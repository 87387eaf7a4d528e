#!/usr/bin/env bash
# Builds the Debian package build/tallybird_<version>_<arch>.deb; install it
# with: apt-get install ./build/tallybird_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j2 --target tallybird tallybird-data
rm -f build/tallybird_*.deb
(cd build && cpack -G DEB)

deb=$(ls build/tallybird_*.deb)
dpkg-deb --info "$deb"
# The dependencies come from the libraries the program links; none found means
# dpkg-shlibdeps did not run and the package would install without Qt.
if ! dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6'; then
    echo "package: $deb does not depend on Qt's libraries" >&2
    exit 1
fi
# What a distribution's archive checks: no error or warning, and the
# hardening flags in both programs.
lintian --fail-on error,warning --display-info "$deb" | tee build/lintian.txt
if grep -q 'hardening-' build/lintian.txt; then
    echo "package: the programs are built without the hardening flags" >&2
    exit 1
fi
echo "package: $deb"
