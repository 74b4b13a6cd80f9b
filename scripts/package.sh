#!/usr/bin/env bash
# Builds the Debian package of ＫＯＭＡＳＵⅡ (build-pkg/komasu2_*.deb) and checks it: it holds the
# program, its desktop entry, the .apt type, the icon, the help text, the copyright file and
# the changelog; lintian finds no error and the desktop entry validates. With --with-tests (the
# test command uses it) the release build compiles the tests as well and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=OFF
[ "${1:-}" = --with-tests ] && tests=ON
bash scripts/deps.sh
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOMASU_BUILD_TESTS=$tests \
  -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-pkg -j "$(nproc)"
if [ $tests = ON ]; then
  (cd build-pkg && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
fi
rm -f build-pkg/komasu2_*.deb
(cd build-pkg && cpack -G DEB)
deb=$(ls build-pkg/komasu2_*.deb | head -n 1)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/komasu2 ./usr/share/applications/komasu2.desktop \
  ./usr/share/mime/packages/komasu2-mime.xml ./usr/share/icons/hicolor/scalable/apps/komasu2.svg \
  ./usr/share/komasu2/help.txt ./usr/share/doc/komasu2/copyright \
  ./usr/share/doc/komasu2/changelog.gz; do
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
# The package itself: no package depended on twice, no lintian error (warnings are shown), a
# desktop entry desktop-file-validate accepts.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort)
if [ -n "$(uniq -d <<<"$depends")" ]; then
  echo "listed twice in Depends: $(uniq -d <<<"$depends" | tr '\n' ' ')" >&2
  exit 1
fi
lintian --fail-on error "$deb"
desktop-file-validate "$scratch/root/usr/share/applications/komasu2.desktop"
dpkg-deb -I "$deb"
echo "$deb"
