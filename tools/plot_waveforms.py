#!/usr/bin/env python3
"""Draws WAV files one above the other on one time scale, as a PNG:
    tools/plot_waveforms.py OUT.png "caption 1" ONE.wav "caption 2" TWO.wav ...
Needs only Python; ImageMagick, when there, writes the captions."""
import shutil
import struct
import subprocess
import sys
import wave
import zlib

WIDTH, PANEL, MARGIN = 900, 150, 28


def samples(path):
    with wave.open(path) as w:
        raw, width, channels = w.readframes(w.getnframes()), w.getsampwidth(), w.getnchannels()
        rate = w.getframerate()
    if width != 2:
        sys.exit(f"{path}: 16-bit files only")
    values = struct.unpack(f"<{len(raw) // 2}h", raw)[::channels]
    return rate, values


def png(path, pixels, width, height):
    rows = b"".join(b"\0" + bytes(pixels[y * width * 3:(y + 1) * width * 3]) for y in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main():
    out, pairs = sys.argv[1], list(zip(sys.argv[2::2], sys.argv[3::2]))
    sounds = [(caption, *samples(path)) for caption, path in pairs]
    longest = max(len(v) / rate for _, rate, v in sounds)
    height = len(sounds) * (PANEL + MARGIN)
    pixels = bytearray([255]) * (WIDTH * height * 3)
    def put(x, y, colour):
        i = (y * WIDTH + x) * 3
        pixels[i:i + 3] = bytes(colour)
    for k, (caption, rate, values) in enumerate(sounds):
        top = k * (PANEL + MARGIN) + MARGIN
        mid = top + PANEL // 2
        for x in range(WIDTH):
            put(x, mid, (200, 200, 200))
            for tick in range(int(longest * 10) + 1):  # a mark every tenth of a second
                if x == int(tick / 10 / longest * (WIDTH - 1)):
                    for y in range(top, top + PANEL, 3):
                        put(x, y, (225, 225, 225))
            first = int(x / WIDTH * longest * rate)
            last = int((x + 1) / WIDTH * longest * rate)
            piece = values[first:last]
            if not piece:
                continue
            low, high = min(piece), max(piece)
            for y in range(mid - high * (PANEL // 2) // 32768, mid - low * (PANEL // 2) // 32768 + 1):
                put(x, min(max(y, top), top + PANEL - 1), (20, 60, 200))
    png(out, pixels, WIDTH, height)
    if shutil.which("/usr/bin/convert"):
        args = ["/usr/bin/convert", out, "-font", "DejaVu-Sans", "-pointsize", "15", "-fill", "black"]
        for k, (caption, rate, values) in enumerate(sounds):
            args += ["-annotate", f"+6+{k * (PANEL + MARGIN) + 19}", f"{caption} ({len(values) / rate:.2f} s)".replace(".", ",")]
        subprocess.run(args + [out], check=True)


main()
