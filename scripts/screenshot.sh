#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Kalimar, starts it on a virtual X server under openbox and saves a
# picture of one of its windows, opened as a user opens it.
#
#   scripts/screenshot.sh [--frame | --screen] [WINDOW] [OUT.png]
#
# WINDOW is main (the default), table, picker, palette, about, fit,
# reference, selection («Подбор», a drawing's deviations typed),
# selection-fits (its fit page), check, general, or all (each of them
# into docs/WINDOW-window.png). OUT defaults to docs/WINDOW-window.png; a
# single .png argument is the main window's picture, as before.
# The picture shows the window's client area; --frame adds the frame that
# openbox draws, --screen takes the whole screen (to see where windows open).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

mode=client
case "${1:-}" in
--frame) mode=frame; shift ;;
--screen) mode=screen; shift ;;
esac
what=${1:-main}
out=${2:-}
if [[ "$what" == *.png ]]; then
    out=$what
    what=main
fi
case "$what" in
main | table | picker | palette | about | fit | reference | selection | selection-fits | check | general | all) ;;
*)
    echo "screenshot: unknown window '$what' (main, table, picker, palette, about, fit, reference," \
         "selection, selection-fits, check, general, all)" >&2
    exit 2
    ;;
esac
if [ "$what" = all ] && [ -n "$out" ]; then
    echo "screenshot: 'all' writes docs/WINDOW-window.png and takes no file name" >&2
    exit 2
fi

ensure_packages "${KALIMAR_RUN_PACKAGES[@]}" xvfb xauth openbox imagemagick x11-utils xdotool

cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release \
      -DKALIMAR_BUILD_TESTS=OFF -DKALIMAR_BUILD_BENCH=OFF >/dev/null
cmake --build build-pkg --target kalimar -j "$(nproc)"

# Runs inside the virtual X server: openbox, the program, the clicks that
# open the window, the picture.
capture() {
    local exe=$1 what=$2 out=$3 mode=$4 pid wm main win
    start_openbox || echo "screenshot: openbox did not start" >&2
    wm=$OPENBOX_PID
    # Settings of its own: no place remembered from an earlier run.
    XDG_CONFIG_HOME=$(mktemp -d) "$exe" & pid=$!
    trap 'kill $pid $wm 2>/dev/null || true' EXIT

    # The first shown window of the program that is not among "$@" and that
    # the window manager frames (Qt may give child widgets X windows too).
    shown_window() {
        local w
        for _ in $(seq 60); do
            for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
                [[ " $* " == *" $w "* ]] && continue
                xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && { echo "$w"; return 0; }
            done
            kill -0 "$pid" 2>/dev/null || { echo "screenshot: the program exited early" >&2; return 1; }
            sleep 0.5
        done
        echo "screenshot: no window appeared" >&2
        return 1
    }
    # Clicks at a point of the main window's client area.
    click() { xdotool mousemove --window "$main" "$1" "$2" click "${3:-1}"; }

    main=$(shown_window) || return 1
    # Let the first paint and the fonts settle.
    sleep 2
    local before
    before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tr '\n' ' ')
    case $what in
    main) win=$main ;;
    table) click 533 340 ;;    # "Посмотреть таблицу  >>>>"
    picker) click 36 14 ;;     # "Квалитет" over the list
    about) click 560 368 ;;    # "О программе"
    palette)
        click 210 304          # "Ввести допуск вручную"
        sleep 0.5
        xdotool mousemove --window "$main" 236 198 click --repeat 2 --delay 80 1  # double click on Edit3
        ;;
    # The windows beside the main one, by their keys.
    fit) xdotool windowactivate --sync "$main" key F7 ;;
    reference) xdotool windowactivate --sync "$main" key F8 ;;
    selection | selection-fits) xdotool windowactivate --sync "$main" key F9 ;;
    check) xdotool windowactivate --sync "$main" key F10 ;;
    general) xdotool windowactivate --sync "$main" key F11 ;;
    esac
    if [ "$what" != main ]; then
        # shellcheck disable=SC2086
        win=$(shown_window $before) || return 1
        sleep 2
    fi
    case $what in
    selection | selection-fits)
        xdotool windowactivate --sync "$win"
        if [ "$what" = selection ]; then
            xdotool type --delay 40 "40 -0,025 -0,050"  # into the drawing's box, which has the focus
        else
            xdotool key ctrl+Tab
        fi
        sleep 1
        ;;
    esac
    if [ "$what" = check ]; then
        # A hole with a guard band, twenty sizes typed into the batch with
        # Enter, and one more size left in the box.
        xdotool windowactivate --sync "$win"
        xdotool key ctrl+a
        xdotool type --delay 20 "25H7"
        xdotool key Tab ctrl+a
        xdotool type "2"
        xdotool key Tab
        for v in 25,0105 25,012 25,009 25,0135 25,008 25,011 25,016 25,0065 25,0195 25,0215 \
                 25,010 25,013 24,9995 25,0115 25,0145 25,005 25,0095 25,012 25,0105 25,0075; do
            xdotool type --delay 5 "$v"
            xdotool key Return
        done
        xdotool type --delay 5 "25,0135"
        sleep 1
    fi
    # Away from the windows: no hover colours, no tooltips.
    xdotool mousemove 1 1
    sleep 1

    local geo x y w h l=0 r=0 t=0 b=0 extents
    geo=$(xwininfo -id "$win")
    x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geo")
    y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geo")
    w=$(awk '/^ *Width:/ {print $NF}' <<<"$geo")
    h=$(awk '/^ *Height:/ {print $NF}' <<<"$geo")
    if [ "$mode" = screen ]; then
        import -window root "$out"
    else
        if [ "$mode" = frame ]; then
            extents=$(xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
            [ -n "$extents" ] && IFS=, read -r l r t b <<<"$extents"
        fi
        import -window root -crop "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))" +repage "$out"
    fi
    echo "screenshot: $what window (${w}x${h} at $x,$y) saved to $out"
    # Close the program and openbox before xvfb-run takes its X server away.
    kill "$pid" "$wm" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    wait "$wm" 2>/dev/null || true
    trap - EXIT
}

screen=${KALIMAR_SCREEN:-1280x1024x24}
shoot() {
    local what=$1 out=$2
    mkdir -p "$(dirname "$out")"
    out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
    # xvfb-run is a plain sh script and drops exported functions: pass the text.
    xvfb-run -a -s "-screen 0 $screen" bash -c "$(declare -f start_openbox capture); capture \"\$@\"" _ \
        "$PWD/build-pkg/main/kalimar" "$what" "$out" "$mode"
}

if [ "$what" = all ]; then
    for w in main table picker palette about fit reference selection selection-fits check general; do
        shoot "$w" "docs/$w-window.png"
    done
else
    shoot "$what" "${out:-docs/$what-window.png}"
fi
