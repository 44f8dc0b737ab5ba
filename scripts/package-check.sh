#!/usr/bin/env bash
# Builds the Debian package, validates its desktop integration, installs it
# and starts the installed program once headless. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

fail() { echo "package-check: FAIL: $*"; exit 1; }
trap 'echo "package-check: FAIL: command failed on line $LINENO"' ERR

ensure_packages "${KALIMAR_PACKAGES[@]}" dpkg-dev file appstream desktop-file-utils

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

echo "== configure and build (Release, build-pkg/)"
cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release \
      -DKALIMAR_BUILD_TESTS=OFF -DKALIMAR_BUILD_BENCH=OFF >/dev/null
cmake --build build-pkg -j "$(nproc)"

echo "== cpack"
rm -f build-pkg/kalimar_*.deb
(cd build-pkg && cpack -G DEB)
debs=(build-pkg/kalimar_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one kalimar_*.deb in build-pkg/"
deb=${debs[0]}
info=$(dpkg-deb --info "$deb")
grep -q '^ Depends: .*libqt6widgets6' <<<"$info" || fail "dependencies were not computed (no libqt6widgets6 in Depends)"

echo "== validate desktop file and metainfo"
desktop-file-validate packaging/kalimar.desktop
appstreamcli validate --no-net packaging/*.metainfo.xml

echo "== install $deb"
# --reinstall: a rebuilt package of the same version must still replace the old files.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall "./$deb"

files=$(dpkg -L kalimar)
for want in '/bin/kalimar$' '/applications/kalimar\.desktop$' '/metainfo/.*\.metainfo\.xml$' \
            '/hicolor/scalable/apps/kalimar\.svg$' '/hicolor/48x48/apps/kalimar\.png$'; do
    grep -q "$want" <<<"$files" || fail "installed package lacks $want"
done
desktop-file-validate "$(grep '/applications/kalimar\.desktop$' <<<"$files")"
appstreamcli validate --no-net "$(grep '/metainfo/.*\.metainfo\.xml$' <<<"$files")"

echo "== start the installed program headless"
exe=$(grep '/bin/kalimar$' <<<"$files")
set +e
out=$(QT_QPA_PLATFORM=offscreen KALIMAR_SMOKE_QUIT=1 timeout 30 "$exe" 2>&1)
rc=$?
set -e
printf '%s\n' "$out"
[ $rc -eq 0 ] || fail "$exe exited with $rc"
grep -qx 'kalimar: started' <<<"$out" || fail "$exe did not print 'kalimar: started'"

trap - ERR
echo "package-check: PASS ($deb)"
