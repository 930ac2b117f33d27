#!/usr/bin/env bash
# The program itself, as a user meets it on a desktop (a virtual X server
# with a window manager): a key press takes the splash away and shows the
# main menu; the window's close box asks before the program ends; No keeps it
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

    # Keys go where a user types them: to the window that has the focus.
    await focused "^Kalendrix\$" || fail "no splash"
    xdotool key space
    await window "^The Kalendrix Software Demo\\.\$" || fail "no main menu after the splash"

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
    echo "splash, main menu, close box No and Yes: passed"'
X11_SESSION=$(cd "$(dirname "$0")/.." && pwd)/x11_session.sh \
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home" \
    HOLDYPATH= CUPS_SERVER="$home/no-server" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$session" _ "$kaldate"
