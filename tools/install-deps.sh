#!/usr/bin/env bash
# Installs with apt whatever of the build and test packages is missing (Debian 12).
# (Debian's Qt speech CMake files need the declarative development files too.)
# With "windows": what the Windows cross-build, its tests under Wine and its packages need.
set -euo pipefail

if [ "${1:-}" = deb ]; then
    packages=(dpkg-dev lintian fakeroot file)
elif [ "${1:-}" = windows ]; then
    packages=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
              googletest tcl dpkg-dev nsis zip xvfb xauth python3 fonts-wqy-microhei)
else
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libsqlite3-dev
          libgtest-dev libbenchmark-dev fonts-wqy-microhei fonts-dejavu-core tzdata xvfb xauth
          clang-format desktop-file-utils appstream qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin
          speech-dispatcher speech-dispatcher-espeak-ng espeak-ng wbritish wamerican)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
