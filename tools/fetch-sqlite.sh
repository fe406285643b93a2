#!/usr/bin/env bash
# SQLite's one-file source for the Windows build: Debian's own sqlite3 source package, of
# the version Linux links, made into sqlite3.c with its configure and make. The machine's
# apt sources stay as they are; a private list of source entries, made from them, serves
# the download. Usage: fetch-sqlite.sh OUT_DIR (sqlite3.c and sqlite3.h land there).
set -euo pipefail
out=$(mkdir -p "$1" && cd "$1" && pwd)
[ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ] && exit 0
work="$out/apt"
rm -rf "$work"
mkdir -p "$work/lists/partial" "$work/parts" "$work/src"

# The machine's package entries, as source entries.
: > "$work/sources.list"
[ -f /etc/apt/sources.list ] && sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >> "$work/sources.list"
for list in /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] && sed -n 's/^deb \(.*\)$/deb-src \1/p' "$list" >> "$work/sources.list"
done
for entries in /etc/apt/sources.list.d/*.sources; do
    [ -f "$entries" ] && { sed 's/^Types:.*$/Types: deb-src/' "$entries"; echo; } >> "$work/parts/src.sources"
done

apt=(apt-get -q -o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts="$work/parts"
     -o Dir::State::Lists="$work/lists" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
"${apt[@]}" update > "$work/update.log"
version=$(dpkg-query -W -f='${source:Version}' libsqlite3-0 2>/dev/null || true)
(cd "$work/src" && { "${apt[@]}" source --download-only "sqlite3${version:+=$version}" ||
                     "${apt[@]}" source --download-only sqlite3; } > "$work/source.log")
(cd "$work/src" && dpkg-source -x --no-check ./*.dsc tree > "$work/extract.log")
(cd "$work/src/tree" && ./configure --quiet > "$work/configure.log" && make sqlite3.c > "$work/make.log")
cp "$work/src/tree/sqlite3.c" "$work/src/tree/sqlite3.h" "$out/"
rm -rf "$work"
echo "sqlite: $(grep -m1 '#define SQLITE_VERSION ' "$out/sqlite3.h")"
