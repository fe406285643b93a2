#!/usr/bin/env bash
# Installs what is missing, builds, prepares run/ and starts Wordmill there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

run="$root/run"
mkdir -p "$run"
[ -f "$run/danci.mdb" ] || cp "$build/data/danci.mdb" "$run/danci.mdb"
if [ ! -x "$build/app/Wordmill" ]; then
    echo "The Wordmill window is not built yet; the data folder is ready in $run." >&2
    exit 1
fi
cd "$run"
exec "$build/app/Wordmill" "$@"
