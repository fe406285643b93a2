#!/usr/bin/env bash
# Installs what is missing, builds, prepares run/ and starts Wordmill there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"

# Only what the program needs: itself, and the data folder's database (with the tool that
# makes it) and files. The suite is the test command's business.
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DWORDMILL_BUILD_TESTS=OFF -DWORDMILL_BUILD_BENCH=OFF
cmake --build "$build" --target Wordmill danci_mdb data_files

run="$root/run"
# The learner's database and read.ini are kept from one start to the next; the database is
# brought up to a newer build's banks and transcriptions.
"$root/tools/prepare-run.sh" "$build" "$run"
cd "$run"
exec "$build/app/Wordmill" "$@"
