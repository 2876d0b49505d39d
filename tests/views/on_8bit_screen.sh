#!/bin/sh
# Runs a test program under Wine on a screen of its own with 256 colours
# (an 8-bit Xvfb), where Wine draws through a palette.
set -u
for n in $(seq 160 200); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1024x768x8 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 50); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY=":$n" wine "$@"
