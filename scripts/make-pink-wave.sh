#!/bin/sh
# Writes resources/PinkNoise.wav, the "PINKWAVE" resource: 181,245 samples
# (about 4.1 s) of pink noise, 44,100 Hz, 16-bit mono, repeatable (-R), its
# peak at half of full scale (16384), as the white noise's is, so that both
# noises set to one level reach the same peak; with its 44-byte header the
# file is 362,534 bytes.
cd "$(dirname "$0")/.." &&
sox -R -D -r 44100 -c 1 -n -b 16 -e signed-integer resources/PinkNoise.wav synth 181245s pinknoise gain -n -6.0206
