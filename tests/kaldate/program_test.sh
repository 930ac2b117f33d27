#!/usr/bin/env bash
# The program itself, as a user meets it on a desktop (a virtual X server
# with a window manager): a key held down and repeated takes the splash away
# and shows the main menu without reaching it; Return and Space press the
# focused menu button; the window's close box asks before the program ends; No keeps it
# running, Yes ends it with status 0 (under the sanitizers: without a leak).
set -euo pipefail
kaldate=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config/kalcore"

session='
    set -u
    source "$X11_SESSION"
    start_window_manager
    "$1" &
    pid=$!

    menu="^The Kalendrix Software Demo\\.\$"
    # The main menu and the feature screens share their title.
    menus() { xdotool search --all --onlyvisible --pid "$pid" --name "$menu" 2>/dev/null | wc -l; }

    # Keys go where a user types them: to the window that has the focus.
    # Space held down takes the splash away; the server repeats it after
    # its delay, and then the repeats come as press and release pairs 40 ms
    # apart, as a client that cannot tell repeats sees them. None of it, nor
    # the last release, presses the main menu button that has the focus.
    await focused "^Kalendrix\$" || fail "no splash"
    xdotool keydown space
    sleep 0.8
    for _ in $(seq 10); do xdotool keyup --delay 0 space keydown --delay 40 space; done
    xdotool keyup space
    await window "$menu" || fail "no main menu after the splash"
    sleep 0.5
    [[ "$(menus)" -eq 1 ]] || fail "the key held on the splash opened a screen from the main menu"

    # Tab walks the menu row by row: five steps from the first button reach
    # "Date/Time Information", whose screen calls the library only on OK.
    # Return presses the focused button, and Space as well; Escape closes the
    # screen it opened.
    menuid=$(window "$menu")
    active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$1" ]]; }
    await active "$menuid" || fail "the main menu has no focus"
    xdotool key Tab Tab Tab Tab Tab
    for key in Return space; do
        await active "$menuid" || fail "the main menu has no focus"
        xdotool key "$key"
        await eval "[[ \$(menus) -eq 2 ]]" || fail "$key on a menu button opened nothing"
        await eval "! active $menuid" || fail "the screen opened has no focus"
        xdotool key Escape
        await eval "[[ \$(menus) -eq 1 ]]" || fail "Escape did not close the screen"
    done

    question="^ The Kalendrix Software Demo \$"
    await focused "^The Kalendrix Software Demo\\.\$" || fail "the main menu has no focus"
    xdotool key alt+F4
    await focused "$question" || fail "the close box asked nothing"
    xdotool key Escape
    await eval "! window \"\$question\"" || fail "the question stayed"
    kill -0 "$pid" 2>/dev/null || fail "No ended the program"
    window "^The Kalendrix Software Demo\\.\$" >/dev/null || fail "No closed the main menu"

    await focused "^The Kalendrix Software Demo\\.\$" || fail "the main menu lost the focus"
    xdotool key alt+F4
    await focused "$question" || fail "the close box asked nothing the second time"
    xdotool key Return
    status=0
    wait "$pid" || status=$?
    kill "$wm"
    [[ "$status" -eq 0 ]] || { echo "FAIL: the program ended with status $status"; exit 1; }
    echo "splash held and repeated, Return and Space on the menu, close box No and Yes: passed"'
X11_SESSION=$(cd "$(dirname "$0")/.." && pwd)/x11_session.sh \
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home" \
    HOLDYPATH= CUPS_SERVER="$home/no-server" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$session" _ "$kaldate"
