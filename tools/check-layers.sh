#!/usr/bin/env bash
# Fails on an include that reaches up or sideways against the layer order: each folder
# may include only itself and the layers listed for it (headers are named from the top).
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A may=(
    [store]="store"
    [framework]="framework store"
    [res]="res framework store"
    [drills/core]="drills/core store" # never drills/ itself
    [mainwnd/core]="mainwnd/core store"
    [drills]="drills res framework store"
    [mainwnd]="mainwnd drills res framework store"
    [app]="app mainwnd drills res framework store"
    [game]="game framework store"
)

layer_of() {
    case "$1" in
    drills/core/*) echo drills/core ;;
    mainwnd/core/*) echo mainwnd/core ;;
    *) echo "${1%%/*}" ;;
    esac
}

bad=0
while IFS=: read -r file line text; do
    layer=$(layer_of "$file")
    [ -n "${may[$layer]+set}" ] || continue # tools, tests and benchmarks use any layer
    target=$(sed -E 's/^#include "([^"]+)".*/\1/' <<<"$text")
    [[ "$target" == */* ]] || continue
    ok=0
    for allowed in ${may[$layer]}; do
        if [[ "$target" == "$allowed"/* ]]; then
            ok=1
            break
        fi
    done
    if [ "$ok" = 0 ]; then
        echo "$file:$line: $layer may not include $target"
        bad=1
    fi
done < <(git ls-files '*.cpp' '*.h' | xargs grep -nE '^#include "[^"]+/' || true)

[ "$bad" = 0 ] && echo "layers: every include keeps to the layer order"
exit "$bad"
