#!/bin/sh
# Writes resources/PinkNoise.wav, the "PINKWAVE" resource: one second of pink
# noise, 44,100 Hz, 16-bit mono, 8 dB below full scale, repeatable (-R).
cd "$(dirname "$0")/.." &&
sox -R -D -r 44100 -c 1 -n -b 16 -e signed-integer resources/PinkNoise.wav synth 1 pinknoise gain -8
