#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, validates its desktop integration, installs it
# and starts the installed program once headless. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

fail() { echo "package-check: FAIL: $*"; exit 1; }
trap 'echo "package-check: FAIL: command failed on line $LINENO"' ERR
check_tree_writable build-pkg

# devscripts: hardening-check; python3-debian: the copyright file's reader.
ensure_packages "${KALIMAR_RUN_PACKAGES[@]}" dpkg-dev file binutils appstream desktop-file-utils devscripts \
    man-db python3-debian

# Every tool, before the build: without file or dpkg-shlibdeps cpack fails
# with only "Problem compressing the directory".
tools=(cmake:cmake cpack:cmake make:make g++:g++ dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev file:file
       strip:binutils readelf:binutils appstreamcli:appstream desktop-file-validate:desktop-file-utils
       hardening-check:devscripts man:man-db)
lacking=()
for tool in "${tools[@]}"; do
    command -v "${tool%%:*}" >/dev/null 2>&1 || lacking+=("${tool%%:*} (Debian package ${tool#*:})")
done
# Debian's own Python, which python3-debian serves, whatever python3 comes first in PATH.
debian_python=/usr/bin/python3
if [ ! -x "$debian_python" ] || ! "$debian_python" -c 'import debian.copyright' 2>/dev/null; then
    lacking+=("$debian_python with debian.copyright (Debian package python3-debian)")
fi
if [ ${#lacking[@]} -gt 0 ]; then
    printf -v list '%s, ' "${lacking[@]}"
    fail "missing tools: ${list%, }"
fi

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
# A recommendation of a package that the release does not have is only noise.
recommends=$(dpkg-deb -f "$deb" Recommends)
for name in $(tr ',|' '  ' <<<"$recommends" | sed 's/([^)]*)//g'); do
    [ -n "$(apt-cache show --no-all-versions "$name" 2>/dev/null)" ] ||
        fail "Recommends names $name, which apt knows no package of (after apt-get update)"
done

# The version's one home is project(VERSION); the metainfo and a tag follow it.
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" packaging/io.github.kalimar.kalimar.metainfo.xml ||
    fail "the metainfo has no <release version=\"$version\">"
if tags=$(git tag --points-at HEAD 'v[0-9]*' 2>/dev/null) && [ -n "$tags" ]; then
    grep -qx "v$version" <<<"$tags" || fail "HEAD is tagged $(echo $tags), not v$version"
fi

echo "== copyright"
# Debian's machine-readable format, read as dpkg tools and Debian's archive read it.
rm -rf build-pkg/tree
dpkg-deb -x "$deb" build-pkg/tree
copyright=build-pkg/tree/usr/share/doc/kalimar/copyright
[ -f "$copyright" ] || fail "the package has no /usr/share/doc/kalimar/copyright"
"$debian_python" - "$copyright" <<'EOF' || fail "$copyright is not a valid machine-readable copyright file"
import sys
from debian.copyright import Copyright
with open(sys.argv[1], encoding="utf-8") as f:
    c = Copyright(f, strict=True)
every = c.find_files_paragraph("main/main.cpp")
assert every is not None and every.license.synopsis == "GPL-3+", "main/main.cpp is not under GPL-3+"
assert c.find_files_paragraph("packaging/io.github.kalimar.kalimar.metainfo.xml").license.synopsis == "CC0-1.0"
names = {p.license.synopsis for p in c.all_license_paragraphs()}
assert {"GPL-3+", "CC0-1.0"} <= names, "a licence of a Files paragraph has no text"
print("copyright: valid, GPL-3+ with the metainfo under CC0-1.0")
EOF

echo "== validate desktop file and metainfo"
desktop-file-validate packaging/kalimar.desktop
for metainfo in packaging/*.metainfo.xml; do appstream_pedantic validate "$metainfo"; done
# The package's files as installed: the metainfo, its desktop file and icons together.
appstream_pedantic validate-tree build-pkg/tree

echo "== install $deb without recommends"
# --reinstall: a rebuilt package of the same version must still replace the old files.
apt_install --reinstall "./$deb" || fail "apt-get could not install $deb"
fonts=$(dpkg-query -W -f='${Status}\n' fonts-liberation2 fonts-liberation 2>/dev/null || true)
grep -q 'install ok installed' <<<"$fonts" || fail "neither fonts-liberation2 nor fonts-liberation is installed"

files=$(dpkg -L kalimar)
for want in '/bin/kalimar$' '/bin/kalimar-cli$' '/man1/kalimar-cli\.1\.gz$' '/doc/kalimar/copyright$' '/applications/kalimar\.desktop$' '/metainfo/.*\.metainfo\.xml$' \
            '/hicolor/scalable/apps/kalimar\.svg$' '/hicolor/48x48/apps/kalimar\.png$'; do
    grep -q "$want" <<<"$files" || fail "installed package lacks $want"
done
desktop-file-validate "$(grep '/applications/kalimar\.desktop$' <<<"$files")"
appstream_pedantic validate "$(grep '/metainfo/.*\.metainfo\.xml$' <<<"$files")"

echo "== manual page"
# As the README has it read: from the source tree, and installed. man-db needs
# a UTF-8 locale for the Russian text; C.UTF-8 is always there.
for page in ./cli/kalimar-cli.1 "$(grep '/man1/kalimar-cli\.1\.gz$' <<<"$files")"; do
    # Debian's container images leave out installed manual pages.
    [ -f "$page" ] || { echo "no $page on disk; skipped"; continue; }
    manout=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) ||
        fail "man could not show $page: $manout"
    [ -z "$manout" ] || fail "man warns about $page: $manout"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -qE '^ +kalimar-cli +- ' ||
        fail "man $page does not show the page's name line"
done

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
