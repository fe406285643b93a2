#!/usr/bin/env bash
# Installs what is missing, builds, prepares run/ and starts Wordmill there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"

# Only what the program needs: the suite is the test command's business.
"$root/tools/build.sh" -DWORDMILL_BUILD_TESTS=OFF -DWORDMILL_BUILD_BENCH=OFF

run="$root/run"
# The learner's database and read.ini are kept from one start to the next; the database is
# brought up to a newer build's banks and transcriptions.
"$root/tools/prepare-run.sh" "$build" "$run"
cd "$run"
exec "$build/app/Wordmill" "$@"
