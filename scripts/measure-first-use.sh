#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures what the first use costs on a fresh Debian 12, as the README's
# "What the first run costs" gives it: a minimal bookworm root made with
# debootstrap in a temporary folder, git installed there as root, a clone of
# this repository's HEAD, then ./run, a second ./run and ./test as a user
# with sudo, in a chroot. Prints the README's paragraph with the measured
# figures, to paste. Needs root, the network to a Debian mirror, about 3 GB
# in TMPDIR and some minutes (the builds use every core).
#   scripts/measure-first-use.sh [--keep]
#   --keep   leave the root in place afterwards (its folder is printed)
#   KALIMAR_MIRROR=URL  the Debian mirror (default http://deb.debian.org/debian)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

keep=""
case "${1:-}" in
--keep) keep=1 ;;
"") ;;
*) echo "usage: $0 [--keep]" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "$0: debootstrap and chroot need root" >&2; exit 1; }
mirror=${KALIMAR_MIRROR:-http://deb.debian.org/debian}
src=$PWD
commit=$(git rev-parse --short HEAD)
ensure_packages debootstrap git

work=$(mktemp -d "${TMPDIR:-/tmp}/kalimar-first-use.XXXXXX")
root=$work/root
mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true; done
    if [ -n "$keep" ]; then
        echo "measure-first-use: the root is kept in $root"
    elif ! grep -q " $work/" /proc/mounts; then
        # --one-file-system: never into a mount that failed to come off.
        rm -rf --one-file-system "$work"
    else
        echo "measure-first-use: $work still has mounts; not deleted" >&2
    fi
}
trap cleanup EXIT

step() { printf '== %s\n' "$*" >&2; }

step "debootstrap bookworm (minbase) from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { cat "$work/debootstrap.log"; exit 1; }
# As an installed system has it: with the updates and the security archive.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${mirror%/debian}/debian-security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
for fs in proc sys dev dev/pts; do
    case $fs in proc) mount -t proc proc "$root/proc" ;; *) mount --bind "/$fs" "$root/$fs" ;; esac
    mounts+=("$root/$fs")
done

# in_root USER COMMAND: COMMAND in bash, in the chroot, as USER, in a login's
# plain environment, without a display; prints its output and keeps a copy.
in_root() {
    local user=$1 home=/root; shift
    [ "$user" = root ] || home=/home/$user
    chroot "$root" runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" \
        PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin TERM=dumb bash -c "cd ~ && $1"
}
# timed COMMAND...: runs it and leaves its wall time in seconds, to a tenth, in $work/seconds.
timed() {
    local start=$EPOCHREALTIME rc=0
    "$@" || rc=$?
    awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f\n", b - a }' >"$work/seconds"
    return $rc
}
# minus A B: A - B to whole seconds.
minus() { awk -v a="$1" -v b="${2:-0}" 'BEGIN { printf "%d\n", a - b + 0.5 }'; }
# apt_figures LOG: "N packages, D to download, I installed" from apt-get's output.
apt_figures() {
    local n get disk
    n=$(sed -n 's/^.* \([0-9][0-9]*\) newly installed.*$/\1/p' "$1")
    get=$(sed -n 's|^Need to get \([^ ]* [kMG]*B\)\(/[^ ]* [kMG]*B\)\{0,1\} of archives\.$|\1|p' "$1")
    disk=$(sed -n 's/^After this operation, \(.*\) of additional disk space will be used\.$/\1/p' "$1")
    echo "$n|$get|$disk"
}
# The one line of ./run's or ./test's package step: count|download|disk|seconds.
install_figures() {
    sed -n 's/^Installing.*: done, \([0-9]*\) packages\{0,1\} with their dependencies, \(.*\) downloaded, \(.*\) of disk, \([0-9]*\) s\.$/\1|\2|\3|\4/p' "$1"
}
du_mb() { du -sm "$1" | cut -f1; }
# mb SIZE: apt-get's "5559 kB" or "1,234 kB" as "5.6 MB"; larger units as they are.
mb() {
    local n=${1%% *} unit=${1##* }
    n=${n//,/}
    case $unit in
    B) echo "under 0.1 MB" ;;
    kB) awk -v n="$n" 'BEGIN { if (n < 100) print "under 0.1 MB"; else printf "%.1f MB\n", n / 1000 }' ;;
    *) echo "$1" ;;
    esac
}

step "the root's own set-up: sudo and a user with it (not counted)"
in_root root "apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q sudo" >"$work/sudo.log" 2>&1 ||
    { cat "$work/sudo.log"; exit 1; }
in_root root "useradd -m -s /bin/bash -G sudo kim && echo 'kim ALL=(ALL) NOPASSWD: ALL' >/etc/sudoers.d/kim"

step "git, as the README says: apt-get install git"
in_root root "LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get install -y -q git" >"$work/git.log" 2>&1 ||
    { cat "$work/git.log"; exit 1; }
IFS='|' read -r git_n git_get git_disk < <(apt_figures "$work/git.log")
git_get=$(mb "$git_get") git_disk=$(mb "$git_disk")

step "clone of HEAD ($commit) into the user's home"
git clone -q --no-local "$src" "$root/home/kim/kalimar"
chroot "$root" chown -R kim:kim /home/kim/kalimar

export_env="QT_QPA_PLATFORM=offscreen KALIMAR_SMOKE_QUIT=1"
step "first ./run as the user"
timed in_root kim "cd kalimar && $export_env ./run" >"$work/run1.log" 2>&1 || { cat "$work/run1.log"; exit 1; }
run1_s=$(cat "$work/seconds")
IFS='|' read -r run_n run_get run_disk run_apt_s < <(install_figures "$work/run1.log")
[ -n "$run_n" ] || { cat "$work/run1.log"; echo "no package line in ./run's output" >&2; exit 1; }
run_get=$(mb "$run_get") run_disk=$(mb "$run_disk")
run_build_s=$(minus "$run1_s" "$run_apt_s")
run_mb=$(du_mb "$root/home/kim/kalimar/build")
[ -x "$root/home/kim/kalimar/build/cli/kalimar-cli" ] || { echo "./run did not build kalimar-cli" >&2; exit 1; }

step "second ./run"
timed in_root kim "cd kalimar && $export_env ./run" >"$work/run2.log" 2>&1 || { cat "$work/run2.log"; exit 1; }
run2_s=$(cat "$work/seconds")

step "first ./test"
timed in_root kim "cd kalimar && ./test" >"$work/test.log" 2>&1 || { cat "$work/test.log"; exit 1; }
test_s=$(cat "$work/seconds")
IFS='|' read -r test_n test_get test_disk test_apt_s < <(install_figures "$work/test.log")
test_get=$(mb "${test_get:-0 B}") test_disk=$(mb "${test_disk:-0 B}")
test_build_s=$(minus "$test_s" "$test_apt_s")
test_mb=$(du_mb "$root/home/kim/kalimar/build")
grep -E '^[0-9]+% tests passed' "$work/test.log" >&2 || true

step "logs in $work (kept with --keep)"
for f in run1 run2 test; do grep -m1 '^Installing' "$work/$f.log" >&2 || true; done
cat <<EOF

measure-first-use: $(nproc) cores, $(date -u +%Y-%m-%d), commit $commit
raw: ./run ${run1_s} s in all, ${run_apt_s} s of it installing; second ./run ${run2_s} s; ./test ${test_s} s in all, ${test_apt_s:-0} s of it installing

- Packages: on a minimal Debian 12 (no desktop), \`./run\` installs ${run_n}
  packages, about ${run_get} to download and ${run_disk} of disk once installed
  (compiler, CMake, Qt and the graphics libraries Qt needs). A desktop
  system that already has X, Mesa and fonts needs less. \`./test\` adds ${test_n:-0}
  packages, about ${test_get} (${test_disk} installed). git, if missing, is another
  ${git_n} packages, ${git_get} (${git_disk} installed). The time this takes depends on
  your connection (${run_apt_s} s for \`./run\`'s packages here).
- Build: the first \`./run\` builds the program and \`kalimar-cli\` in about
  ${run_build_s} seconds into \`build/\` (about ${run_mb} MB). The first \`./test\` after it
  builds the tests and benchmarks and runs the suite in about ${test_build_s} seconds
  (\`build/\` grows to about ${test_mb} MB).
- Later runs rebuild only what changed: a second \`./run\` starts the program
  in about ${run2_s} seconds.
EOF
