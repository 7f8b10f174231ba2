#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs: the
# program, its menu entry, icons, AppStream metadata and file types, each checked
# by the desktop's own validators when they are installed.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*"; exit 1; }
for file in bin/tremvix \
            share/applications/org.tremvix.Tremvix.desktop \
            share/metainfo/org.tremvix.Tremvix.metainfo.xml \
            share/mime/packages/org.tremvix.Tremvix.xml \
            share/icons/hicolor/scalable/apps/org.tremvix.Tremvix.svg \
            share/icons/hicolor/48x48/apps/org.tremvix.Tremvix.png \
            share/icons/hicolor/256x256/apps/org.tremvix.Tremvix.png \
            share/doc/tremvix/LICENSE \
            share/doc/tremvix/copyright \
            share/doc/tremvix/manual-ja.md; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/tremvix" ] || fail "bin/tremvix is not executable"
# Every picture the installed manual shows is installed beside it.
doc="$prefix/share/doc/tremvix"
pictures=$(grep -o '](images/[^)]*)' "$doc/manual-ja.md" | sed 's/^](//; s/)$//')
[ -n "$pictures" ] || fail "the manual links no pictures"
for picture in $pictures; do [ -s "$doc/$picture" ] || fail "manual picture $picture"; done
grep -q '^License: GPL-3.0-or-later' "$doc/copyright" || fail "copyright names no licence"
# The package's description is one text: a list would reach the package as "a;b".
description=$(grep 'CPACK_PACKAGE_DESCRIPTION "' "$build/CPackConfig.cmake" || true)
[ -n "$description" ] || fail "no package description"
! grep -q ';' <<<"$description" || fail "stray ';' in the package description"
grep -q '^Exec=tremvix %f$' "$prefix/share/applications/org.tremvix.Tremvix.desktop" || fail "Exec line"
# A PNG of the size its folder names.
identify_size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"; }
[ "$(identify_size "$prefix/share/icons/hicolor/48x48/apps/org.tremvix.Tremvix.png")" = "48 48" ] || fail "48x48 icon size"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.tremvix.Tremvix.desktop" | grep -v ': hint: ' && fail "desktop entry" || true
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.tremvix.Tremvix.metainfo.xml" >/dev/null || fail "metainfo"
fi
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "MIME types"
  grep -q 'application/x-knet-record' "$prefix/share/mime/globs2" || fail "K-NET globs"
  grep -qi '\*\.at2' "$prefix/share/mime/globs2" || fail "PEER globs"
  ! grep -q '\*\.csv' "$prefix/share/mime/globs2" || fail "a claim on every CSV"
fi
echo "install check passed"
