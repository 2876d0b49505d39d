#!/bin/sh
# Starts (start) or stops (stop) a PulseAudio daemon with one null sink, so that
# Wine lists the waveOut device "Null Output" and the waveIn device "Monitor of
# Null Output". A daemon that was already running is used and left alone.
set -u
marker="${TMPDIR:-/tmp}/tonalyx-pulse-$(id -u).pid"
case "${1:-}" in
start)
    if pulseaudio --check 2>/dev/null; then
        pactl list short sinks 2>/dev/null | grep -q '\bloop\b' ||
            pactl load-module module-null-sink sink_name=loop >/dev/null
        exit 0
    fi
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
        --load="module-null-sink sink_name=loop" --load="module-native-protocol-unix" || exit 1
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        pid=$(pgrep -u "$(id -u)" -x pulseaudio -n) && { echo "$pid" >"$marker"; exit 0; }
        sleep 0.2
    done
    exit 1
    ;;
stop)
    [ -f "$marker" ] || exit 0
    kill "$(cat "$marker")" 2>/dev/null
    rm -f "$marker"
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
