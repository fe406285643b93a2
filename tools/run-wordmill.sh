#!/usr/bin/env bash
# Installs what is missing, builds, prepares run/ and starts Wordmill there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"

# Only what the program needs: the suite is the test command's business.
"$root/tools/build.sh" -DWORDMILL_BUILD_TESTS=OFF -DWORDMILL_BUILD_BENCH=OFF

run="$root/run"
mkdir -p "$run"
# The learner's database and read.ini are kept from one start to the next.
[ -f "$run/danci.mdb" ] || cp "$build/data/danci.mdb" "$run/danci.mdb"
mkdir -p "$run/Skins"
cp "$build/data/Skins/corona.smf" "$run/Skins/corona.smf"
cp "$build/data/游戏指南.txt" "$build/data/wordmill-guide.html" "$run/"
cd "$run"
exec "$build/app/Wordmill" "$@"
