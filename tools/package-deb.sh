#!/usr/bin/env bash
# The Debian package of Wordmill: built into build-deb/, checked with lintian (no errors).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
tools/install-deps.sh deb
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DWORDMILL_BUILD_TESTS=OFF -DWORDMILL_BUILD_BENCH=OFF > /dev/null
cmake --build build-deb
(cd build-deb && cpack -G DEB > /dev/null)
deb=$(ls build-deb/wordmill_*.deb)
lintian --fail-on error --suppress-tags "${WORDMILL_LINTIAN_SUPPRESS:-}" "$deb"
echo "package: $deb"
