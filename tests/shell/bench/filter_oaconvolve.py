#!/usr/bin/python3
"""The filter's reference speed: scipy.signal.oaconvolve of every channel of
the edit benchmark's wave with the filter's taps, as a multiple of real time.
edit_benchmark.exe runs it on the data it filters; by hand:
    /usr/bin/python3 filter_oaconvolve.py SAMPLES TAPS RATE CHANNELS [RESULT]
SAMPLES: interleaved 16-bit little-endian samples; TAPS: one float a line.
The line goes to RESULT when given (written whole, then renamed into place,
as the benchmark waits for it to appear), else to the standard output.
"""
import os
import sys
import time

import numpy as np
from scipy import signal


def main():
    samples, taps, rate, channels = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    x = np.fromfile(samples, dtype="<i2").reshape(-1, channels).T
    h = np.loadtxt(taps)
    seconds = x.shape[1] / rate
    lines = []
    # Single precision is the filter's own; double is what a script gets by
    # default.
    for dtype in (np.float32, np.float64):
        best = min(timed(x.astype(dtype), h.astype(dtype)) for _ in range(3))
        lines.append(f"{'scipy.signal.oaconvolve, same taps and data':44s} memory {seconds:5.0f} s of audio in "
                     f"{best:7.3f} s: {seconds / best:6.1f} x real time ({np.dtype(dtype).name}, best of 3)\n")
    if len(sys.argv) > 5:
        with open(sys.argv[5] + ".part", "w") as f:
            f.writelines(lines)
        os.replace(sys.argv[5] + ".part", sys.argv[5])
    else:
        print("".join(lines), end="")


def timed(x, h):
    start = time.perf_counter()
    for channel in x:
        signal.oaconvolve(channel, h)
    return time.perf_counter() - start


if __name__ == "__main__":
    main()
