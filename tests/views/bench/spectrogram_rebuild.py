#!/usr/bin/python3
"""Times the spectrogram's rebuild from a 10-minute 48 kHz stereo wave against
scipy.signal.spectrogram computing the same number of spectra (FFT 4096, Hann)
of both channels of the same wave, and prints both and their ratio.

Run after building the windows preset, with Xvfb and Wine as the tests have
them (scripts/environment.sh, start_test_services):
    /usr/bin/python3 tests/views/bench/spectrogram_rebuild.py
"""
import os
import re
import subprocess
import sys
import tempfile
import time
import wave

import numpy as np
from scipy import signal

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
EXE = os.path.join(ROOT, "build", "windows", "tests", "views", "spectrogram_rebuild_benchmark.exe")
RATE, SECONDS, FFT = 48000, 600, 4096


def make_wave(path):
    """Noise under a slow sweep on the left and a steady tone on the right."""
    rng = np.random.default_rng(7)
    t = np.arange(RATE * SECONDS) / RATE
    left = 0.3 * np.sin(2 * np.pi * (200 * t + 15 * t * t)) + 0.01 * rng.standard_normal(t.size)
    right = 0.3 * np.sin(2 * np.pi * 3000 * t) + 0.01 * rng.standard_normal(t.size)
    pcm = np.round(np.column_stack([left, right]) * 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def read_wave(path):
    with wave.open(path) as w:
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float32)
        return data.reshape(-1, w.getnchannels()).T / 32767.0


def main():
    path = os.path.join(tempfile.gettempdir(), "tonalyx_spectrogram_bench.wav")
    if not os.path.exists(path):
        make_wave(path)
    run = subprocess.run(["wine", EXE, "Z:" + path.replace("/", "\\")], capture_output=True, text=True, check=True)
    found = re.search(r"lines (\d+), panes (\d+), seconds ([0-9.]+)", run.stdout)
    if not found:
        sys.exit("no result from the rebuild:\n" + run.stdout + run.stderr)
    lines, ours = int(found.group(1)), float(found.group(3))

    x = read_wave(path)
    step = (x.shape[1] - FFT) // (lines - 1)
    start = time.perf_counter()
    _, _, power = signal.spectrogram(x, RATE, window="hann", nperseg=FFT, noverlap=FFT - step, mode="psd")
    levels = 10 * np.log10(np.maximum(power, 1e-30))
    theirs = time.perf_counter() - start
    assert levels.shape[-1] == lines, levels.shape
    print(f"{lines} lines of two channels: rebuild {ours:.3f} s, scipy.signal.spectrogram {theirs:.3f} s, "
          f"ratio {ours / theirs:.1f}")


if __name__ == "__main__":
    main()
