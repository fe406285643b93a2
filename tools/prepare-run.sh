#!/usr/bin/env bash
# Prepares the data folder tools/run-wordmill.sh starts Wordmill in, from a build's data folder.
# The learner's danci.mdb is copied on first start and, once the build's banks, variants or
# transcriptions change, brought up to them with the review rows kept, as the installed
# launcher does; the rest is ours and simply copied.
# Usage: tools/prepare-run.sh BUILD_DIR RUN_DIR
set -euo pipefail
build=$1
run=$2
mkdir -p "$run/Skins"
bundle=$(cksum < "$build/data/danci.mdb")
if [ ! -e "$run/danci.mdb" ]; then
    cp "$build/data/danci.mdb" "$run/danci.mdb"
    echo "$bundle" > "$run/.bundled-danci"
elif [ "$(cat "$run/.bundled-danci" 2>/dev/null)" != "$bundle" ]; then
    if "$build/tools/build_danci" "$run/danci.mdb" --upgrade-from "$build/data/danci.mdb"; then
        echo "$bundle" > "$run/.bundled-danci"
    else
        echo "run-wordmill: $run/danci.mdb keeps its old word banks this time" >&2
    fi
fi
cp "$build/data/Skins/corona.smf" "$run/Skins/corona.smf"
cp "$build/data/游戏指南.txt" "$build/data/wordmill-guide.html" "$run/"
