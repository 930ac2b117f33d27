#!/usr/bin/env bash
# Builds the demo, runs it on a virtual X server (Xvfb, with the openbox
# window manager for the title bars) and saves a picture
# of every screen built so far into build/screenshots/, one PNG named by the
# screen, and of the calendar and the widest screens at QT_SCALE_FACTOR=2 into
# build/screenshots/scale2/. Then checks each expected picture: it exists, has its window's
# size, and is not a single colour.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target kaldate kaldate_shots kalcore_dialogs

# The screens pictured, by name.
expected=(frmSplash mainmainfrm nwdatcnvfrm FormTwo datecnvhlpf genldateinfo genlhlpinfo
          nwdatecalcform datecalcform datlapsfrm datelapsehlpf nxtwrkdayform nxtwrkhlpfrm
          betweendates julcalform exampl8 slidwindform slidwindhelp datimeretvfrm afulldateform
          daylightform easterform frmMain frmCalendar mainFrmhlp hlpgetdate betweendates-picked
          infoform frmAbout frmAbout-sysinfo
          # the library's dialogs and information boxes, from its Qt module
          dialog101 dialog104 dialog109 dialog110 dialog111 dialog112 KD_HELPABOUTME KD_ABOUTDLL)

out=build/screenshots
rm -rf "$out"
mkdir -p "$out"
# A scratch home for the library's files, with the holidays of 1998 (the
# dates shown are in 1998), a fixed zone and no print server.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config/kalcore"
printf '[KalDateSoft]\nKeyYearForHolidayFile=1998\n' >"$home/config/kalcore/KalDatFl.Ini"
# The program runs once the window manager has taken over the display.
with_window_manager='
    ready=$(mktemp -u)
    openbox --startup "touch $ready" >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 100); do [[ -e "$ready" ]] && break; sleep 0.1; done
    [[ -e "$ready" ]] || { echo "the window manager did not start"; exit 1; }
    rm -f "$ready"
    status=0
    "$@" || status=$?
    kill "$wm"
    exit "$status"'
shoot() {
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home" HOLDYPATH= TZ=America/New_York CUPS_SERVER="$home/no-server" \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash -c "$with_window_manager" _ build/tools/screenshots/kaldate_shots "$1"
}
shoot "$out"
# The calendar and the widest screens again at twice the scale, on the same
# 1280x1024 screen: each must fit it (scrolling where it must).
mkdir -p "$out/scale2"
QT_SCALE_FACTOR=2 shoot "$out/scale2"
scaled=(mainmainfrm frmCalendar frmMain genldateinfo infoform julcalform nxtwrkhlpfrm frmAbout
        afulldateform daylightform nwdatcnvfrm)

failed=0
for name in "${expected[@]}" "${scaled[@]/#/scale2/}"; do
    png=$out/$name.png
    if [[ ! -s "$png" ]]; then
        echo "missing: $png"
        failed=1
        continue
    fi
    read -r width height colours < <(identify -format '%w %h %k\n' "$png")
    want=$(awk -v n="${name#scale2/}" '$1 == n { print $2 " " $3 }' "$(dirname "$png")/manifest")
    if [[ "$width $height" != "$want" ]]; then
        echo "$name: ${width}x$height, the window is ${want/ /x}"
        failed=1
    elif [[ "$width" -gt 1280 || "$height" -gt 1024 ]]; then
        echo "$name: ${width}x$height does not fit the 1280x1024 screen"
        failed=1
    elif [[ "$colours" -le 1 ]]; then
        echo "$name: a single colour"
        failed=1
    else
        echo "$name: ${width}x$height, $colours colours"
    fi
done
[[ "$failed" -eq 0 ]] || exit 1
echo "screenshots in $out"
