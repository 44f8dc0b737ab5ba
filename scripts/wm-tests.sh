#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the window-manager tests (tests/test_wm.cpp) on a virtual X server
# under openbox: where the side windows open and how the table's size limit
# holds depend on the frames that a real window manager draws, which the
# headless tests cannot see. Exits non-zero when a test fails.
#   scripts/wm-tests.sh [test function ...]   (arguments go to the test)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${KALIMAR_TEST_PACKAGES[@]}" xvfb xauth openbox x11-utils xdotool

build=${KALIMAR_BUILD_DIR:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target test_wm -j "$(nproc)"

# Runs inside the virtual X server.
under_openbox() {
    local exe=$1 wm rc
    shift
    if ! start_openbox; then
        echo "wm-tests: openbox did not start" >&2
        return 1
    fi
    wm=$OPENBOX_PID
    rc=0
    QT_QPA_PLATFORM=xcb "$exe" "$@" || rc=$?
    kill "$wm" 2>/dev/null || true
    wait "$wm" 2>/dev/null || true
    return "$rc"
}

# run_on SCREEN ARGS...: the test on a virtual screen of that size.
run_on() {
    local screen=$1
    shift
    # xvfb-run is a plain sh script and drops exported functions: pass the text.
    xvfb-run -a -s "-screen 0 $screen" bash -c "$(declare -f start_openbox under_openbox); under_openbox \"\$@\"" _ \
        "$PWD/$build/tests/test_wm" "$@"
}

rc=0
if [ -n "${KALIMAR_SCREEN:-}" ] || [ $# -gt 0 ]; then
    run_on "${KALIMAR_SCREEN:-1280x1024x24}" "$@" || rc=$?
else
    run_on 1280x1024x24 || rc=$?
    # Where the windows beside the main window open depends on the room beside it.
    for screen in 1920x1080x24 1366x768x24; do
        echo "wm-tests: on $screen"
        run_on "$screen" toolWindowsOpenBesideTheMainWindow || rc=$?
    done
fi
if [ "$rc" -eq 0 ]; then
    echo "wm-tests: PASS"
else
    echo "wm-tests: FAIL" >&2
fi
exit "$rc"
