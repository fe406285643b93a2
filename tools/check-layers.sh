#!/usr/bin/env bash
# Fails on an include that reaches up or sideways against the layer order: each folder
# may include only itself and the layers listed for it (headers are named from the top).
# It also keeps the platforms behind the framework's seam: a backend's headers are its
# own, Qt's headers belong to the Qt backend and the system's Win32 headers to the Win32
# backend, with the few named files that need them besides.
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

# Beside the backends, the files that speak to a platform themselves: the game library's
# file for each, the store's few system calls, and the two interface headers that take
# the system's own types and styles on Windows.
qt_files=(game/game_qt.cpp)
win32_files=(game/game_win32.cpp store/atomic_file.cpp store/process_id.cpp
             framework/wintypes_ui.h framework/dialog_template.h)
win32_headers='^(windows|windowsx|win[a-z0-9]*|commctrl|commdlg|shellapi|shlobj|shlwapi|shobjidl|objbase|objidl|ole2|oleacc|oleauto|sapi|sphelper|initguid|mmsystem|uxtheme|dwmapi|knownfolders|propkey|tlhelp32|psapi|richedit|unknwn|wtypes)\.h$'

layer_of() {
    case "$1" in
    drills/core/*) echo drills/core ;;
    mainwnd/core/*) echo mainwnd/core ;;
    *) echo "${1%%/*}" ;;
    esac
}

# The backend folder a file is in, if any.
backend_of() {
    case "$1" in
    framework/qt/*) echo framework/qt ;;
    framework/win32/*) echo framework/win32 ;;
    esac
}

bad=0
refuse() {
    echo "$1"
    bad=1
}

# A quoted include: the layer order, and a backend's headers for that backend only.
check_quoted() {
    local file=$1 line=$2 layer=$3 target=$4
    [[ "$target" == */* ]] || return 0
    local ok=0
    for allowed in ${may[$layer]}; do
        if [[ "$target" == "$allowed"/* ]]; then
            ok=1
            break
        fi
    done
    [ "$ok" = 1 ] || refuse "$file:$line: $layer may not include $target"
    local backend
    backend=$(backend_of "$target")
    if [ -n "$backend" ] && [ "$(backend_of "$file")" != "$backend" ]; then
        refuse "$file:$line: only $backend/ may include $target"
    fi
}

# A system header: Qt's and Win32's only where the platform is spoken.
check_angled() {
    local file=$1 line=$2 header=$3
    if [[ "$header" =~ ^(Q|qt) ]]; then
        [[ "$file" == framework/qt/* || " ${qt_files[*]} " == *" $file "* ]] ||
            refuse "$file:$line: only the Qt backend may include <$header>"
    elif [[ "${header,,}" =~ $win32_headers ]]; then
        [[ "$file" == framework/win32/* || " ${win32_files[*]} " == *" $file "* ]] ||
            refuse "$file:$line: only the Win32 backend may include <$header>"
    fi
}

while IFS=: read -r file line text; do
    layer=$(layer_of "$file")
    # Tools, tests and benchmarks use any layer, and the backends themselves: they drive
    # and measure them, and each of their programs builds with one backend only.
    [ -n "${may[$layer]+set}" ] || continue
    if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
        check_quoted "$file" "$line" "$layer" "${BASH_REMATCH[1]}"
    elif [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
        check_angled "$file" "$line" "${BASH_REMATCH[1]}"
    fi
done < <(git ls-files '*.cpp' '*.h' | xargs grep -nE '^\s*#\s*include\s*[<"]' || true)

[ "$bad" = 0 ] && echo "layers: every include keeps to the layer order and the platform fence"
exit "$bad"
