#!/usr/bin/env bash
# The Windows build on Debian, in one command: installs what is missing, cross-builds into
# build-windows/, runs the suites under Wine (the GUI one on a virtual display) and makes
# the packages: build-windows/Wordmill-<version>-windows.zip (unzip and run) and
# build-windows/Wordmill-Setup-<version>.exe (the installer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build="$root/build-windows"

tools/install-deps.sh windows
# Wine keeps its own Windows in a prefix: a fresh one for each run, never the user's.
export WINEPREFIX="${WORDMILL_WINEPREFIX:-$(mktemp -d /tmp/wordmill-wine-XXXXXX)}" WINEDEBUG=-all
/usr/lib/wine/wine64 wineboot --init > /dev/null 2>&1 || true
# Wine has none of Windows' Chinese fonts: the dialogs' faces draw with WenQuanYi instead.
for face in "Microsoft YaHei UI" "宋体" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2"; do
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
        /t REG_SZ /d "WenQuanYi Micro Hei" /f > /dev/null 2>&1 || true
done
# The virtual display has no window manager: Wine places its windows itself, instead of
# waiting two seconds at each closed dialog for a manager that never answers.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    > /dev/null 2>&1 || true
cmake --preset windows > /dev/null
cmake --build --preset windows
# The Wine server of the steps above (set-up, the build's own runs) has no display: the
# suites must start theirs on the virtual one, or their windows cannot be made.
/usr/lib/wine/wineserver -w
xvfb-run -a ctest --preset windows

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage="$build/package/Wordmill"
rm -rf "$build/package"
mkdir -p "$stage/Skins" "$stage/tools"
cp "$build/app/Wordmill.exe" "$build/game/game.dll" "$build/data/danci.mdb" \
   "$build/data/wordmill-guide.html" "$stage/"
cp "$build/tools/build_danci.exe" "$stage/tools/"
cp "$build/data/Skins/corona.smf" "$stage/Skins/"
# With a byte-order mark: Notepad and older editors read UTF-8 without one as the ANSI code page.
{ printf '\xEF\xBB\xBF'; sed '1s/^\xEF\xBB\xBF//' "$build/data/游戏指南.txt"; } > "$stage/游戏指南.txt"
x86_64-w64-mingw32-strip "$stage/Wordmill.exe" "$stage/game.dll" "$stage/tools/build_danci.exe"
rm -f "$build/Wordmill-$version-windows.zip"
(cd "$build/package" && zip -qr "$build/Wordmill-$version-windows.zip" Wordmill)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
         -DICON="$build/app/pictures/icon128.ico" \
         -DOUTFILE="$build/Wordmill-Setup-$version.exe" installer/wordmill.nsi
ls -l "$build/Wordmill-$version-windows.zip" "$build/Wordmill-Setup-$version.exe"
