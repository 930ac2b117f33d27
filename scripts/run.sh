#!/usr/bin/env bash
# Installs what is missing and builds the library, kalc and the desktop demo.
# With a display, starts the demo kaldate; without one, converts a few sample
# dates with kalc.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    exec build/kaldate/kaldate
fi
kalc=build/tools/kalc/kalc
set -x
"$kalc" check 12/31/98
"$kalc" check TODAY
"$kalc" convert 1998-12-31 K
"$kalc" convert Jul-4-98 G --century 4
"$kalc" convert 7Sep1999 '@'
"$kalc" convert 12/25/1998 '{'
"$kalc" days 01/01/1999 TODAY
"$kalc" add -60 03/01/2000
"$kalc" lapse 09/24/1990 03/31/1993
"$kalc" info YESTER3
"$kalc" now K
"$kalc" format TODAY '#' --abbr-day
"$kalc" format 07/04/1998 K --time --ampm
"$kalc" window 06/15/1998 5 TODAY || true
"$kalc" prefer
"$kalc" config
"$kalc" holiday TODAY || true
"$kalc" nextwork TODAY 10 --holidays
"$kalc" holidays 2021
"$kalc" nextwork 12/23/2021 1 --holidays
"$kalc" dst 2026
TZ=Australia/Sydney "$kalc" dst 2026
"$kalc" easter 2026
printf '01/02/03\n1995/25/12\n31/Dec/98\nnot a date\n' | "$kalc" convert - 7 --century 5 || true
{ set +x; } 2>/dev/null
echo
echo "No display here, so the desktop demo build/kaldate/kaldate was not started."
echo "scripts/screenshots.sh saves a picture of each of its screens in build/screenshots/."
