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
        echo "Run $0 as root, or install and configure sudo for your user." >&2
        exit 1
    fi
}

# missing_packages_help REASON PACKAGE...: what a user without root can do.
missing_packages_help() {
    local reason=$1; shift
    cat >&2 <<EOF
$0: these Debian packages are missing: $*
Installing them needs root, and $reason.
Either run $0 as root, or have root install them and run $0 again:

    apt-get update
    apt-get install --no-install-recommends $*

or install and configure sudo for your user (as root: apt-get install sudo,
then adduser $(id -un) sudo, and log in again).
EOF
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
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
    else
        echo "Installing with sudo (it may ask for your password): ${missing[*]}"
    fi
    if ! as_root apt-get update -qq ||
       ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
        if [ "$(id -u)" -ne 0 ]; then
            missing_packages_help "sudo could not install them" "${missing[@]}"
        else
            echo "$0: apt-get could not install: ${missing[*]}" >&2
        fi
        exit 1
    fi
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
