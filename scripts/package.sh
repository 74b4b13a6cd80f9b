#!/usr/bin/env bash
# Builds the Debian package of ＫＯＭＡＳＵⅡ (build-pkg/komasu2_*.deb) and checks that it
# holds the program, its desktop entry, the .apt type, the icon and the help text.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOMASU_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-pkg
(cd build-pkg && cpack -G DEB)
deb=$(ls build-pkg/komasu2_*.deb | head -n 1)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/komasu2 ./usr/share/applications/komasu2.desktop \
  ./usr/share/mime/packages/komasu2-mime.xml ./usr/share/icons/hicolor/scalable/apps/komasu2.svg \
  ./usr/share/komasu2/help.txt; do
  grep -qF " $f" <<<"$contents" || { echo "missing in $deb: $f" >&2; exit 1; }
done
# The unpacked program, started from a scratch root with a fresh home, writes a small album
# as PDF and fills its settings folder from the defaults it carries.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
mkdir -p "$scratch/home"
printf '"ζ旅行ζ山田ζ2026/12/09ζ"\r\n"ζ1ζ外壁北面ζ"\r\n' | iconv -f UTF-8 -t CP932 \
  >"$scratch/album.apt"
HOME="$scratch/home" QT_QPA_PLATFORM=offscreen "$scratch/root/usr/bin/komasu2" \
  --pdf "$scratch/album.pdf" "$scratch/album.apt"
head -c 5 "$scratch/album.pdf" | grep -q '%PDF-' || { echo "no PDF written" >&2; exit 1; }
test -f "$scratch/home/.local/share/komasu2/position.ini" ||
  { echo "settings folder not filled" >&2; exit 1; }
dpkg-deb -I "$deb"
echo "$deb"
