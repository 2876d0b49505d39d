#!/usr/bin/python3
"""Times Post Process over 60 s and over 10 minutes of 48 kHz stereo 16-bit
noise (FFT 16384, Hann, 75 % overlap, both channels: idle_action_benchmark's
runs 0 and 5, headless in memory, and 3 and 6, on screen with one spectrum
view) against scipy.signal.welch averaging the same spectra of a wave of the
same length, width and distribution, and prints each as a multiple of real
time and their ratios. A 60 s wave is a fraction of a second of work, where
the run's start and stop weigh; 10 minutes shows the steady rate.

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
RATE, FFT, OVERLAP = 48000, 16384, 0.75
# Length in seconds: the benchmark's runs headless and on screen.
LENGTHS = {60: (0, 3), 600: (5, 6)}


def ours(run):
    """The real-time ratio the benchmark prints for one of its runs."""
    out = subprocess.run(["wine", EXE, str(run)], capture_output=True, text=True, check=True).stdout
    found = re.search(r"ratio\s+([0-9.]+)", out)
    if not found:
        sys.exit("no result from idle_action_benchmark:\n" + out)
    return float(found.group(1))


def welch_ratio(seconds):
    """Real time over the time welch takes for the averaged spectra, best of three; the samples are
    converted to float32 beforehand, which favours scipy (the program converts as it reads)."""
    rng = np.random.default_rng(5)
    pcm = np.clip(np.round(rng.normal(0.0, 3000.0, (RATE * seconds, 2))), -32767, 32767).astype("<i2")
    x = pcm.T.astype(np.float32) / 32767.0
    best = float("inf")
    for _ in range(3):
        start = time.perf_counter()
        signal.welch(x, RATE, window="hann", nperseg=FFT, noverlap=int(FFT * OVERLAP), scaling="spectrum")
        best = min(best, time.perf_counter() - start)
    return seconds / best


def main():
    for seconds, (headless_run, screen_run) in LENGTHS.items():
        headless = ours(headless_run)
        theirs = welch_ratio(seconds)
        screen = ours(screen_run)
        print(f"Post Process over {seconds} s, x real time: headless {headless:.1f}, on screen {screen:.1f}; "
              f"scipy.signal.welch {theirs:.1f}; headless / welch {headless / theirs:.2f}, "
              f"headless / on screen {headless / screen:.2f}")


if __name__ == "__main__":
    main()
