#!/usr/bin/env bash
# Installs what is missing and builds into build/ (or $WORDMILL_BUILD_DIR). Arguments go
# to CMake (the start command turns the tests and benchmarks off).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build"
