#!/usr/bin/env bash
# The library's dialogs as any program on a desktop meets them: a small C
# program, built against the installed library, calls HelpBox and the
# ownership box on a virtual X server (Xvfb, with a window manager); the test
# presses their buttons through the X server with xdotool and checks what the
# exports return. Then the fallbacks: no display, a display that does not
# answer, and no module beside the library all give -1 from HelpBox.
# x11_dialogs_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name 'libkalcore.so' | head -n 1)")
[[ -e "$libdir/kalcore3/libkalcore_dialogs.so" ]] ||
    { echo "the module is not installed in kalcore3/ beside the library"; exit 1; }
cc -Wall -Wextra -Werror "$source/tests/dialogs/dialog_program.c" -I"$work/prefix/include" \
    -L"$libdir" -lkalcore -Wl,-rpath,"$libdir" -o "$work/dialog_program"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data \
    XDG_RUNTIME_DIR=$work/home HOLDYPATH=
mkdir -p -m 700 "$HOME"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

session='
    set -u
    program=$1
    source "$X11_SESSION"
    # Clicks the point (X, Y) in dialog units of a dialog WIDTH x HEIGHT
    # units big: click WINDOW WIDTH HEIGHT X Y.
    click() {
        local WIDTH HEIGHT
        eval "$(xdotool getwindowgeometry --shell "$1" | grep -E "^(WIDTH|HEIGHT)=")"
        xdotool mousemove --window "$1" $(($4 * WIDTH / $2)) $(($5 * HEIGHT / $3)) click 1
    }

    start_window_manager
    "$program" HelpBox HelpBox KD_ABOUTDLL >"$HOME/results" &
    pid=$!

    # The formats dialog (300 x 252 units): "Date Format Examples" (156,230
    # 74x14) opens the examples (280 x 180) on top; its "Exit Back..."
    # (115,158 50x14) closes it; the formats dialog is still there, and its
    # "Exit Back..." (234,230 58x14) ends it.
    formats="Kalendrix Software - Valid Date Formats"
    await window "$formats" || fail "no formats dialog"
    sleep 0.3
    click "$(window "$formats")" 300 252 193 237
    await window "Some Date Format Examples" || fail "no examples dialog"
    sleep 0.3
    click "$(window "Some Date Format Examples")" 280 180 140 165
    await eval "! window \"Some Date Format Examples\"" || fail "the examples stayed"
    window "$formats" >/dev/null || fail "the formats dialog closed with the examples"
    click "$(window "$formats")" 300 252 263 237
    await grep -q "^HelpBox 1\$" "$HOME/results" || fail "the first HelpBox gave $(cat "$HOME/results")"

    # Again, in a new temporary application; Escape ends it. On loaded cores
    # the key can reach the dialog before it takes keys, or the first dialog
    # as it goes away: Escape is pressed again, at most 10 times, while a
    # formats dialog is shown and the second result has not come.
    await window "$formats" || fail "no formats dialog the second time"
    second_done() { [[ "$(grep -c "^HelpBox 1\$" "$HOME/results")" -eq 2 ]]; }
    for _ in $(seq 10); do
        sleep 0.3
        second_done && break
        shown=$(window "$formats") || continue
        xdotool windowactivate --sync "$shown" key Escape
        for _ in $(seq 40); do second_done && break; sleep 0.05; done
    done
    await second_done || fail "the second HelpBox gave $(cat "$HOME/results")"

    # The ownership box; its OK button takes Enter.
    await window "Software Ownership Information" || fail "no ownership box"
    sleep 0.3
    xdotool windowactivate --sync "$(window "Software Ownership Information")" key Return
    wait "$pid" || fail "the program ended with status $?"
    kill "$wm"
    [[ "$(cat "$HOME/results")" == "$(printf "HelpBox 1\nHelpBox 1\nKD_ABOUTDLL 1")" ]] ||
        { echo "FAIL: the program printed: $(cat "$HOME/results")"; exit 1; }
    echo "dialogs on the X server: passed"

    # The fallbacks: no display named; a display named that does not answer
    # (Qt would end the process on it); no module beside the library.
    [[ "$(env -u DISPLAY "$program" HelpBox KD_HELPABOUTME)" == \
       "$(printf "HelpBox -1\nKD_HELPABOUTME 1")" ]] || fail "without a display"
    [[ "$(DISPLAY=:4242 "$program" HelpBox)" == "HelpBox -1" ]] || fail "an unreachable display"
    rm "$2/kalcore3/libkalcore_dialogs.so"
    [[ "$(timeout 10 "$program" HelpBox)" == "HelpBox -1" ]] || fail "without the module"
    echo "no display, no answer, no module: passed"'
X11_SESSION=$source/tests/x11_session.sh xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$session" _ "$work/dialog_program" \
    "$libdir"
