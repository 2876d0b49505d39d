#!/bin/sh
# Runs a command with DISPLAY on a private 8-bit Xvfb screen, the palette
# display of a 256-colour video mode, started for it and stopped afterwards.
# Wine keeps its desktop on the screen its server started with, so the
# command gets a Wine prefix (and server) of its own beside the usual one;
# the tests that use it take turns, as it is stopped when a command ends.
set -u
export WINEPREFIX="${WINEPREFIX:-$(dirname "$0")/../build/wineprefix}-palette"
for n in $(seq 140 180); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x8 -nolisten tcp >/dev/null 2>&1 &
    server=$!
    for _ in $(seq 50); do
        xdpyinfo -display ":$n" >/dev/null 2>&1 && break
        sleep 0.1
    done
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        DISPLAY=":$n" wineboot --init >/dev/null 2>&1
        wineserver -w
    fi
    DISPLAY=":$n" TONALYX_PALETTE_DISPLAY=1 "$@"
    status=$?
    wineserver -k >/dev/null 2>&1
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    exit $status
done
echo "no free display for Xvfb" >&2
exit 1
