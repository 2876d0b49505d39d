#!/usr/bin/python3
"""Times the average spectrum of a 10-minute 48 kHz stereo 16-bit wave (FFT
16384, Hann, 75 % overlap, both channels; segment_average_benchmark.exe)
against scipy.signal.welch averaging the same spectra of a wave of the same
length, width and distribution, and prints both as multiples of real time.

Run after building the windows preset, with Wine as the tests have it
(scripts/environment.sh):
    /usr/bin/python3 tests/shell/bench/segment_average_welch.py
"""
import os
import re
import subprocess
import sys
import time

import numpy as np
from scipy import signal

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
EXE = os.path.join(ROOT, "build", "windows", "tests", "shell", "segment_average_benchmark.exe")
RATE, SECONDS, FFT, OVERLAP = 48000, 600, 16384, 0.75


def ours():
    out = subprocess.run(["wine", EXE], capture_output=True, text=True, check=True).stdout
    found = re.search(r"average spectrum of \d+ s: ([0-9.]+) s", out)
    if not found:
        sys.exit("no result from segment_average_benchmark:\n" + out)
    return float(found.group(1))


def welch_seconds():
    """Best of three; the samples are float32 beforehand, which favours scipy."""
    rng = np.random.default_rng(5)
    pcm = np.clip(np.round(rng.normal(0.0, 3000.0, (RATE * SECONDS, 2))), -32767, 32767).astype("<i2")
    x = pcm.T.astype(np.float32) / 32767.0
    best = float("inf")
    for _ in range(3):
        start = time.perf_counter()
        signal.welch(x, RATE, window="hann", nperseg=FFT, noverlap=int(FFT * OVERLAP), scaling="spectrum")
        best = min(best, time.perf_counter() - start)
    return best


def main():
    mine = ours()
    theirs = welch_seconds()
    print(f"average spectrum of {SECONDS} s, 48 kHz stereo, FFT {FFT}, 75 %: ours {mine:.2f} s "
          f"({SECONDS / mine:.0f} x real time); scipy.signal.welch {theirs:.2f} s ({SECONDS / theirs:.0f} x); "
          f"ours / welch {mine / theirs:.2f}")


if __name__ == "__main__":
    main()
