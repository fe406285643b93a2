#!/usr/bin/env bash
# The Windows build on Debian, in one command: installs what is missing, cross-builds
# into build-windows/ and runs the suites that have no GUI under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/install-deps.sh windows
cmake --preset windows > /dev/null
cmake --build --preset windows

# Wine keeps its own Windows in a prefix: a fresh one for each run, never the user's.
export WINEPREFIX="${WORDMILL_WINEPREFIX:-$(mktemp -d /tmp/wordmill-wine-XXXXXX)}" WINEDEBUG=-all
/usr/lib/wine/wine64 wineboot --init > /dev/null 2>&1 || true
ctest --preset windows
