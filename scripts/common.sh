# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by ./run, ./test and the scripts: install what is missing, then configure and build.
# shellcheck shell=bash

# What ./run needs to build and start the program.
KALIMAR_RUN_PACKAGES=(cmake make g++ qt6-base-dev qt6-base-dev-tools libgmp-dev fonts-liberation fonts-dejavu-core)
# ./test builds the tests and benchmarks too.
KALIMAR_TEST_PACKAGES=("${KALIMAR_RUN_PACKAGES[@]}" libgtest-dev libbenchmark-dev)

# as_root CMD...: runs CMD as root, through sudo when we are not root.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "$0: this step needs root: $*" >&2
        echo "Install and configure sudo for your user, or have root run it." >&2
        exit 1
    fi
}

# missing_packages_help REASON PACKAGE...: what a user without root can do.
# Not "run it as root" alone: in a clone that a user builds in, that leaves a
# build/ the user can no longer write.
missing_packages_help() {
    local reason=$1; shift
    cat >&2 <<EOF
$0: these Debian packages are missing: $*
Installing them needs root, and $reason.
Have root install them, then run $0 again:

    apt-get update
    apt-get install --no-install-recommends $*

or set up sudo for your user (as root: apt-get install sudo, then
adduser $(id -un) sudo, and log in again) and run $0 again: it uses sudo
for the packages only. Run $0 itself as root only in a fresh clone that no
other user builds in, as the build/ it makes belongs to root.
EOF
}

# apt_install [OPTION...] PACKAGE...: installs the packages and what they
# depend on, not what they recommend, as root. apt-get's output goes to a log
# that is shown only when it fails; otherwise this prints one line: what is
# installed, how many packages that took, their size and the time.
apt_install() {
    local log start rc=0 count get disk arg names=()
    log=$(mktemp "${TMPDIR:-/tmp}/kalimar-apt.XXXXXX")
    start=$SECONDS
    for arg in "$@"; do [[ $arg == -* ]] || names+=("$arg"); done
    if [ "$(id -u)" -eq 0 ]; then
        printf 'Installing %s: ' "${names[*]}"
    else
        printf 'Installing with sudo (it may ask for your password) %s: ' "${names[*]}"
    fi
    # LC_ALL=C: the summary below reads apt-get's English words.
    { as_root env LC_ALL=C apt-get update -q &&
      as_root env LC_ALL=C DEBIAN_FRONTEND=noninteractive \
          apt-get install -y -q --no-install-recommends "$@"; } >"$log" 2>&1 </dev/null || rc=$?
    if [ $rc -ne 0 ]; then
        echo "failed (apt-get exit status $rc). apt-get said:"
        cat "$log"
        rm -f "$log"
        return $rc
    fi
    # "0 upgraded, 174 newly installed, 0 to remove ..."; "1 reinstalled" comes after.
    count=$(sed -n 's/^.* \([0-9][0-9]*\) newly installed.*$/\1/p' "$log")
    count=$((${count:-0} + $(sed -n 's/^.* \([0-9][0-9]*\) reinstalled.*$/\1/p' "$log" | grep . || echo 0)))
    # "Need to get 170 MB of archives." or, with some already fetched, "12 MB/170 MB".
    get=$(sed -n 's|^Need to get \([^ ]* [kMG]*B\)\(/[^ ]* [kMG]*B\)\{0,1\} of archives\.$|\1|p' "$log")
    disk=$(sed -n 's/^After this operation, \(.*\) of additional disk space will be used\.$/\1/p' "$log")
    rm -f "$log"
    echo "done, $count package$([ "$count" = 1 ] || echo s) with their dependencies, ${get:-0 B} downloaded, ${disk:-0 B} of disk, $((SECONDS - start)) s."
}

# ensure_packages PACKAGE...: installs those that are missing with apt-get.
# Without root and without a working sudo it says what to do and exits with 1.
ensure_packages() {
    local wanted=("$@") missing=() pkg
    # Lets scripts/setup-check.sh ask for a package that is never installed.
    if [ -n "${KALIMAR_PACKAGES_OVERRIDE:-}" ]; then
        read -r -a wanted <<<"$KALIMAR_PACKAGES_OVERRIDE"
    fi
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
        missing_packages_help "sudo is not installed" "${missing[@]}"
        exit 1
    fi
    if ! apt_install "${missing[@]}"; then
        if [ "$(id -u)" -ne 0 ]; then
            missing_packages_help "sudo could not install them" "${missing[@]}"
        else
            echo "$0: apt-get could not install: ${missing[*]}" >&2
        fi
        exit 1
    fi
}

# check_tree_writable DIR: says what to do and exits with 1 when DIR holds
# something we cannot write, as a build/ left by a run as root does; cmake
# would only fail in it with "Permission denied".
check_tree_writable() {
    local dir=$1 bad owner me
    if [ ! -e "$dir" ]; then
        # Root in a user's clone: say so now, not when the user's next run fails.
        owner=$(stat -c %U . 2>/dev/null) || owner=root
        if [ "$(id -u)" -eq 0 ] && [ "$owner" != root ]; then
            echo "$0: note: running as root in a folder of $owner's: $dir/ will belong to root, and" \
                 "$owner's own runs will ask to give it back (chown -R $owner: $dir)." >&2
        fi
        return 0
    fi
    bad=$(find "$dir" ! -writable -print -quit 2>/dev/null) || bad=${bad:-$dir}
    [ -z "$bad" ] && return 0
    owner=$(stat -c %U "$bad" 2>/dev/null) || owner="another user"
    me=$(id -un)
    cat >&2 <<EOF
$0: $dir/ cannot be written by $me: $bad belongs to $owner.
A run as root leaves its build tree so. Give it back to $me:

    sudo chown -R $me: $PWD/$dir

or delete it (as $owner: rm -rf $PWD/$dir) and run $0 again.
EOF
    exit 1
}

# configure_tree DIR [-DNAME=VALUE...]: configures DIR when it is new or when an
# option differs from its cache, and leaves it alone otherwise, so that a second
# run does no work (cmake --build itself reconfigures after a CMakeLists change).
configure_tree() {
    local dir=$1; shift
    if [ -f "$dir/CMakeCache.txt" ] && { [ -f "$dir/Makefile" ] || [ -f "$dir/build.ninja" ]; }; then
        local opt name value stale=""
        for opt in "$@"; do
            name=${opt#-D}; value=${name#*=}; name=${name%%=*}; name=${name%%:*}
            [ "$(sed -n "s/^$name:[A-Z]*=//p" "$dir/CMakeCache.txt")" = "$value" ] || stale=1
        done
        [ -z "$stale" ] && return 0
    fi
    cmake -S . -B "$dir" "$@" >/dev/null
}

# build_tree DIR [cmake options...]: configures when needed and builds everything.
build_tree() {
    local dir=$1; shift
    configure_tree "$dir" "$@"
    cmake --build "$dir" -j "$(nproc)"
}

# start_openbox: starts openbox on the current X display and waits until it
# manages the screen (it names its check window on the root); its process is
# OPENBOX_PID. Fails when it does not come up.
start_openbox() {
    local config=()
    [ -f /etc/xdg/openbox/rc.xml ] && config=(--config-file /etc/xdg/openbox/rc.xml)
    openbox --sm-disable "${config[@]}" >/dev/null 2>&1 &
    OPENBOX_PID=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        sleep 0.1
    done
    kill "$OPENBOX_PID" 2>/dev/null || true
    return 1
}
