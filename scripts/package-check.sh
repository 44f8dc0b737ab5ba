#!/usr/bin/env bash
# Builds the Debian package, validates its desktop integration, installs it
# and starts the installed program once headless. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

fail() { echo "package-check: FAIL: $*"; exit 1; }
trap 'echo "package-check: FAIL: command failed on line $LINENO"' ERR

# devscripts: hardening-check.
ensure_packages "${KALIMAR_RUN_PACKAGES[@]}" dpkg-dev file appstream desktop-file-utils devscripts

# appstream_pedantic validate|validate-tree PATH: AppStream's strictest
# validation; any issue at all, a pedantic hint included, fails (appstreamcli
# itself fails only on errors).
appstream_pedantic() {
    local out rc=0
    out=$(appstreamcli "$1" --pedantic --no-net --no-color "$2" 2>&1) || rc=$?
    printf '%s\n' "$out"
    [ $rc -eq 0 ] || fail "appstreamcli $1 --pedantic failed on $2"
    if grep -qE '^[EWIP]: ' <<<"$out" || ! grep -qE 'Validation was successful\.$' <<<"$out"; then
        fail "appstreamcli $1 --pedantic reports issues on $2"
    fi
}

echo "== configure and build (Release, build-pkg/)"
# The Release build type brings the hardening flags (root CMakeLists.txt).
build_tree build-pkg -DCMAKE_BUILD_TYPE=Release -DKALIMAR_BUILD_TESTS=OFF -DKALIMAR_BUILD_BENCH=OFF

echo "== cpack"
rm -f build-pkg/kalimar_*.deb
(cd build-pkg && cpack -G DEB)
debs=(build-pkg/kalimar_*.deb)
{ [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ]; } || fail "expected one kalimar_*.deb in build-pkg/"
deb=${debs[0]}
info=$(dpkg-deb --info "$deb")
grep -q '^ Depends: .*libqt6widgets6' <<<"$info" || fail "dependencies were not computed (no libqt6widgets6 in Depends)"
# The layout's font must come even when recommendations are not installed.
font_dep='fonts-liberation2 | fonts-liberation'
depends=$(dpkg-deb -f "$deb" Depends)
grep -qxF "$font_dep" <<<"${depends//, /$'\n'}" || fail "Depends lacks '$font_dep': $depends"

echo "== validate desktop file and metainfo"
desktop-file-validate packaging/kalimar.desktop
for metainfo in packaging/*.metainfo.xml; do appstream_pedantic validate "$metainfo"; done
# The package's files as installed: the metainfo, its desktop file and icons together.
rm -rf build-pkg/tree
dpkg-deb -x "$deb" build-pkg/tree
appstream_pedantic validate-tree build-pkg/tree

echo "== install $deb without recommends"
# --reinstall: a rebuilt package of the same version must still replace the old files.
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends --reinstall "./$deb"
fonts=$(dpkg-query -W -f='${Status}\n' fonts-liberation2 fonts-liberation 2>/dev/null || true)
grep -q 'install ok installed' <<<"$fonts" || fail "neither fonts-liberation2 nor fonts-liberation is installed"

files=$(dpkg -L kalimar)
for want in '/bin/kalimar$' '/bin/kalimar-cli$' '/man1/kalimar-cli\.1\.gz$' '/applications/kalimar\.desktop$' '/metainfo/.*\.metainfo\.xml$' \
            '/hicolor/scalable/apps/kalimar\.svg$' '/hicolor/48x48/apps/kalimar\.png$'; do
    grep -q "$want" <<<"$files" || fail "installed package lacks $want"
done
desktop-file-validate "$(grep '/applications/kalimar\.desktop$' <<<"$files")"
appstream_pedantic validate "$(grep '/metainfo/.*\.metainfo\.xml$' <<<"$files")"

echo "== hardening of the installed programs"
# Debian 12's hardening=+all has no control flow protection on amd64.
bins=()
while read -r f; do [ -f "$f" ] && [ ! -L "$f" ] && bins+=("$f"); done < <(grep '^/usr/bin/' <<<"$files")
[ ${#bins[@]} -gt 0 ] || fail "the package installs nothing in /usr/bin"
for bin in "${bins[@]}"; do
    hardening-check --nocfprotection "$bin" || fail "$bin lacks some hardening"
    if readelf -d "$bin" | grep -qE '\((RPATH|RUNPATH)\)'; then
        fail "$bin has an RPATH or RUNPATH: $(readelf -d "$bin" | grep -E '\((RPATH|RUNPATH)\)')"
    fi
done

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
