#!/usr/bin/env bash
# Builds Kalimar, starts it under a virtual X server and saves a picture of
# its main window to docs/main-window.png (or the file given as $1).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${KALIMAR_RUN_PACKAGES[@]}" xvfb xauth imagemagick x11-utils xdotool

out=${1:-docs/main-window.png}
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release \
      -DKALIMAR_BUILD_TESTS=OFF -DKALIMAR_BUILD_BENCH=OFF >/dev/null
cmake --build build-pkg --target kalimar -j "$(nproc)"

# Runs inside the virtual X server.
capture() {
    local exe=$1 out=$2 pid win geo x y w h
    "$exe" & pid=$!
    trap 'kill $pid 2>/dev/null || true' EXIT
    win=""
    for _ in $(seq 60); do
        win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1 || true)
        [ -n "$win" ] && break
        kill -0 "$pid" 2>/dev/null || { echo "screenshot: the program exited early" >&2; return 1; }
        sleep 0.5
    done
    [ -n "$win" ] || { echo "screenshot: no window appeared" >&2; return 1; }
    # Let the first paint and the fonts settle.
    sleep 2
    geo=$(xwininfo -id "$win")
    x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geo")
    y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geo")
    w=$(awk '/^ *Width:/ {print $NF}' <<<"$geo")
    h=$(awk '/^ *Height:/ {print $NF}' <<<"$geo")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
    echo "screenshot: ${w}x${h} window saved to $out"
    # Close the program before xvfb-run takes its X server away.
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

screen=${KALIMAR_SCREEN:-800x600x24}
# xvfb-run is a plain sh script and drops exported functions: pass the text.
xvfb-run -a -s "-screen 0 $screen" bash -c "$(declare -f capture); capture \"\$@\"" _ "$PWD/build-pkg/main/kalimar" "$out"
