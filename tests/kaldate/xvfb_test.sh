#!/usr/bin/env bash
# Runs a test program on a virtual X server of its own (Xvfb) on Qt's xcb
# platform: xvfb_test.sh PROGRAM [ARGS...].
set -euo pipefail
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
