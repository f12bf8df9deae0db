#!/usr/bin/env bash
# Builds the Debian package from build/, checks what it declares and holds,
# extracts it into a scratch root and runs the installed batch tool from
# there: --version and an import of the sample primary file.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "package-test: $*" >&2; exit 1; }

rm -f build/twinscan_*.deb
(cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log >&2; fail "cpack failed"; }
deb=$(ls build/twinscan_*.deb)
echo "package-test: built $deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libsqlite3-0 qt6-qpa-plugins; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for file in usr/bin/twinscan usr/bin/twinscan-cli usr/share/twinscan/twinscan.db \
  usr/share/applications/twinscan.desktop usr/share/icons/hicolor/scalable/apps/twinscan.svg \
  usr/share/man/man1/twinscan-cli.1; do
  [ -e "$root/$file" ] || fail "missing $file"
done
desktop-file-validate "$root/usr/share/applications/twinscan.desktop" || fail "the desktop entry is not valid"

version=$("$root/usr/bin/twinscan-cli" --version)
[ "$version" = "twinscan-cli $(sed -n 's/^project(twinscan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ] ||
  fail "unexpected version: $version"
cp samples/primary.txt "$root/primary.txt"
out=$("$root/usr/bin/twinscan-cli" --data-dir "$root/data" import ff "$root/primary.txt" 2>&1) ||
  fail "the import failed: $out"
[[ "$out" == *"primary.txt: 50 records"* ]] || fail "unexpected import output: $out"
[ -f "$root/data/twinscan.db" ] || fail "no working database"
echo "package-test: 3 passed, 0 failed"
