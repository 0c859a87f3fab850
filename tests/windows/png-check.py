#!/usr/bin/env python3
"""Prints a PNG file's width, height and number of distinct colours ("W H N").

The Windows start test checks the main window's screenshot with it: its size and that it
is a picture, not one flat colour. Reads 8-bit greyscale, RGB and RGBA, the forms Qt
writes; anything else is an error."""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace != 0:
        raise ValueError(f"unsupported PNG form (depth {depth}, colour type {colour}, interlace {interlace})")
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    colours = set()
    for row in range(height):
        start = row * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upper_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, upper_left)) & 0xFF
        if len(colours) < 4096:
            colours.update(bytes(line[i:i + channels]) for i in range(0, stride, channels))
        previous = line
    return width, height, len(colours)


if __name__ == "__main__":
    try:
        print(*read(sys.argv[1]))
    except (OSError, ValueError, zlib.error, TypeError, struct.error) as error:
        print(f"png-check: {sys.argv[1]}: {error}", file=sys.stderr)
        sys.exit(1)
