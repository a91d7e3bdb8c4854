#!/bin/sh
# Measures the program under Xvfb: exec to main window, CPU at the menu and in a game at the
# default 10 ms frame period (medians of several stretches), the tick interval, resident memory;
# with xgalaga++ installed, its game's CPU measured the same way in the same X server.
#   bench/frontend_perf.sh [BUILD_DIR]     (default: build; needs voidraid and tests/xprobe built)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/frame_probe.so" "$here/frontend_frame_probe.c" -ldl
python3 "$here/frontend_perf.py" "$build/bin" "$build/tests/xprobe" "$work/frame_probe.so"
