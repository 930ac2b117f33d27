# What the tests on a virtual X server share; sourced inside the session,
# where $pid is the program under test and $wm the window manager.

# Ends the session with a failure.
fail() { echo "FAIL: $*"; kill "$pid" "$wm" 2>/dev/null; exit 1; }
# Waits up to 30 seconds for a command to succeed: a dialog takes seconds to
# appear when the build's other tests load both cores.
await() { for _ in $(seq 600); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done; return 1; }
# The first shown window of the program with a title matching $1.
window() {
    local found
    found=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n 1)
    [[ -n "$found" ]] && echo "$found"
}
# Whether the window with the focus has a title matching $1.
focused() { [[ "$(xdotool getactivewindow getwindowname 2>/dev/null)" =~ $1 ]]; }
# Starts the window manager (openbox) and waits until it runs.
start_window_manager() {
    local ready=$HOME/wm-ready
    pid=
    openbox --startup "touch $ready" >/dev/null 2>&1 &
    wm=$!
    await test -e "$ready" || fail "no window manager"
}
