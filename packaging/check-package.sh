#!/bin/sh
# Builds the package from a finished build tree, lints it, unpacks it into a
# scratch root and starts the unpacked app in a throw-away home: it must come
# up without QML errors, make its data folder and keep running, and every QML
# module it loads from the system must come from a package it depends on.
# Usage: check-package.sh BUILD_DIR
set -eu
build=$(realpath "$1")
scratch=$(mktemp -d)
app=
cleanup() {
    [ -z "$app" ] || kill "$app" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(echo "$scratch"/out/tovrin_*.deb)
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"
dpkg-deb -x "$deb" "$scratch/root"
appstreamcli validate-tree --no-net "$scratch/root" >"$scratch/appstream.log" ||
    { cat "$scratch/appstream.log"; fail "appstream metadata"; }

mkdir "$scratch/home"
env -i PATH=/usr/bin:/bin HOME="$scratch/home" QT_QPA_PLATFORM=offscreen QML_IMPORT_TRACE=1 \
    "$scratch/root/usr/bin/tovrin" >"$scratch/app.log" 2>&1 &
app=$!
data="$scratch/home/.local/share/Tovrin"
for _ in $(seq 100); do
    [ -d "$data" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
# The windows load right after the data folder is read; give them time to fail.
sleep 3
kill -0 "$app" 2>/dev/null || { cat "$scratch/app.log"; fail "the app did not stay up"; }
[ -d "$data" ] || fail "no data folder at $data"
kill "$app"
wait "$app" || true
app=

if grep -v '^qt\.qml\.import:' "$scratch/app.log" | grep -E '\.qml:[0-9]+|is not installed'; then
    fail "QML errors"
fi
depends=$(dpkg-deb -f "$deb" Depends)
for qmldir in $(grep -oE '"/usr/[^"]*/qmldir"' "$scratch/app.log" | tr -d '"' | sort -u); do
    owner=$(dpkg -S "$qmldir" | cut -d: -f1)
    echo "$depends" | grep -qE "(^|, )$owner( |,|$)" || fail "$owner ($qmldir) is not in Depends"
done
echo "package checked: $(basename "$deb")"
