#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"

"$root/tools/build.sh" -DWORDMILL_BUILD_TESTS=ON -DWORDMILL_BUILD_BENCH=ON
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
