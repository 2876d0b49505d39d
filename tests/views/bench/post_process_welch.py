#!/usr/bin/python3
"""Times Post Process over 60 s of 48 kHz stereo 16-bit noise (FFT 16384, Hann,
75 % overlap, both channels: idle_action_benchmark's runs 0, headless in
memory, and 3, on screen with one spectrum view) against scipy.signal.welch
averaging the same spectra of a wave of the same length, width and
distribution, and prints each as a multiple of real time and their ratio.

Run after building the windows preset, with Xvfb and Wine as the tests have
them (scripts/environment.sh, start_test_services):
    /usr/bin/python3 tests/views/bench/post_process_welch.py
"""
import os
import re
import subprocess
import sys
import time

import numpy as np
from scipy import signal

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
EXE = os.path.join(ROOT, "build", "windows", "tests", "shell", "idle_action_benchmark.exe")
RATE, SECONDS, FFT, OVERLAP = 48000, 60, 16384, 0.75


def ours(run):
    """The real-time ratio the benchmark prints for one of its runs."""
    out = subprocess.run(["wine", EXE, str(run)], capture_output=True, text=True, check=True).stdout
    found = re.search(r"ratio\s+([0-9.]+)", out)
    if not found:
        sys.exit("no result from idle_action_benchmark:\n" + out)
    return float(found.group(1))


def welch_ratio():
    """Real time over the time welch takes for the averaged spectra, best of three; the samples are
    converted to float32 beforehand, which favours scipy (the program converts as it reads)."""
    rng = np.random.default_rng(5)
    pcm = np.clip(np.round(rng.normal(0.0, 3000.0, (RATE * SECONDS, 2))), -32767, 32767).astype("<i2")
    x = pcm.T.astype(np.float32) / 32767.0
    best = float("inf")
    for _ in range(3):
        start = time.perf_counter()
        signal.welch(x, RATE, window="hann", nperseg=FFT, noverlap=int(FFT * OVERLAP), scaling="spectrum")
        best = min(best, time.perf_counter() - start)
    return SECONDS / best


def main():
    headless = ours(0)
    theirs = welch_ratio()
    screen = ours(3)
    print(f"Post Process x real time: headless {headless:.1f}, on screen {screen:.1f}; "
          f"scipy.signal.welch {theirs:.1f}; headless / welch {headless / theirs:.2f}, "
          f"headless / on screen {headless / screen:.2f}")


if __name__ == "__main__":
    main()
