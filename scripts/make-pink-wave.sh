#!/bin/sh
# Writes resources/PinkNoise.wav, the "PINKWAVE" resource: 181,245 samples
# (about 4.1 s) of pink noise, 44,100 Hz, 16-bit mono, 8 dB below full scale,
# repeatable (-R); with its 44-byte header the file is 362,534 bytes.
cd "$(dirname "$0")/.." &&
sox -R -D -r 44100 -c 1 -n -b 16 -e signed-integer resources/PinkNoise.wav synth 181245s pinknoise gain -8
