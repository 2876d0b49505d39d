#!/bin/sh
# Loads (start) or unloads (stop) the null sinks of the full-duplex
# measurement tests, all at 48 kHz so that PulseAudio does not resample:
#   tlx_duplex  "TonalyxDuplex"   played and recorded through its own monitor;
#   tlx_room    "TonalyxRoom"     the program plays into it, the room relay reads its monitor;
#   tlx_echo    "TonalyxEcho"     the relay plays into it, the program records its monitor.
# Needs a running PulseAudio (scripts/pulse-null-sink.sh start). The default
# sink is put back, so that the other sound tests keep theirs.
set -u
marker="${TMPDIR:-/tmp}/tonalyx-test-sinks-$(id -u).modules"
case "${1:-}" in
start)
    default=$(pactl get-default-sink 2>/dev/null)
    for sink in tlx_duplex:TonalyxDuplex tlx_room:TonalyxRoom tlx_echo:TonalyxEcho; do
        name=${sink%%:*}
        pactl list short sinks | grep -q "\b$name\b" && continue
        pactl load-module module-null-sink sink_name="$name" rate=48000 \
            sink_properties=device.description="${sink#*:}" >>"$marker" || exit 1
    done
    [ -n "$default" ] && pactl set-default-sink "$default"
    exit 0
    ;;
stop)
    [ -f "$marker" ] || exit 0
    while read -r module; do
        pactl unload-module "$module" 2>/dev/null
    done <"$marker"
    rm -f "$marker"
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
