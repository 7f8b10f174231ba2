#!/usr/bin/env bash
# Checks the Debian package that `make package` made: its declared dependencies, its
# files, and the program it holds answering --version.
#   tools/check-package.sh [BUILD_DIR]            unpacks it in a temporary folder
#   tools/check-package.sh [BUILD_DIR] --chroot   installs it with apt in a fresh Debian 12
#                                                 made by debootstrap (root, network, minutes)
set -euo pipefail
build=${1:-build}
deb=$(ls "$build"/tremvix_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "no package in $build: run make package first"; exit 1; }
echo "== $deb"
dpkg-deb --field "$deb" Package Version Depends
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libpng16-16 libfftw3-double3 fonts-ipafont-gothic qt6-translations-l10n; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed"; exit 1; }
done
! dpkg-deb --field "$deb" Description | grep -q ';' || { echo "stray ';' in the description"; exit 1; }
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/tremvix ./usr/share/applications/org.tremvix.Tremvix.desktop \
            ./usr/share/metainfo/org.tremvix.Tremvix.metainfo.xml ./usr/share/doc/tremvix/LICENSE \
            ./usr/share/doc/tremvix/copyright ./usr/share/doc/tremvix/images/main-graph.png; do
  grep -q " $file\$" <<<"$contents" || { echo "$file is not in the package"; exit 1; }
done

if [ "${2:-}" != "--chroot" ]; then
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  dpkg-deb -x "$deb" "$root"
  "$root/usr/bin/tremvix" --version
  exit 0
fi

command -v debootstrap >/dev/null || { echo "--chroot needs debootstrap (apt-get install debootstrap)"; exit 1; }
root=$(mktemp -d /var/tmp/tremvix-chroot.XXXXXX)
trap 'umount "$root/proc" 2>/dev/null || true; rm -rf "$root"' EXIT
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get install -y -q "/tmp/$(basename "$deb")" >/dev/null
chroot "$root" tremvix --version
