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
dpkg-deb -I "$deb"
echo "$deb"
