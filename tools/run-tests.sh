#!/usr/bin/env bash
# Installs what is missing, builds with the dev preset (Debug, tests and benchmarks, into
# build-dev/) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset dev > /dev/null
cmake --build --preset dev
ctest --preset dev -j "$(nproc)"
