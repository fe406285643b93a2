#!/usr/bin/env bash
# Pictures of every dialog under a virtual display, to look at the layout:
#   tools/screenshots.sh [OUT_DIR]   (default: screenshots/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${WORDMILL_BUILD_DIR:-$root/build}"
out=$(realpath -m "${1:-$root/screenshots}")

"$root/tools/build.sh" >/dev/null
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$build/data/." "$folder/"
cd "$folder"
XDG_CONFIG_HOME="$folder/config" xvfb-run -a "$build/tools/dialog_screenshots" "$out"
echo "Pictures in $out"
