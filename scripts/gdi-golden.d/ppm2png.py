#!/usr/bin/env python3
"""Turns binary PPM files into small PNG files: a palette image when the
picture has at most 256 colours (fixtures mostly do), RGB otherwise.

    ppm2png.py IN.ppm OUT.png
"""
import struct
import sys
import zlib


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError(path + ": not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height * 3]
    return width, height, pixels


def chunk(kind, body):
    crc = zlib.crc32(kind + body) & 0xFFFFFFFF
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)


def write_png(path, width, height, pixels):
    colours = {}
    for i in range(0, len(pixels), 3):
        colours.setdefault(pixels[i:i + 3], len(colours))
        if len(colours) > 256:
            break
    rows = []
    if len(colours) <= 256:
        for y in range(height):
            row = pixels[y * width * 3:(y + 1) * width * 3]
            rows.append(b"\0" + bytes(colours[row[i:i + 3]] for i in range(0, len(row), 3)))
        header = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
        extra = chunk(b"PLTE", b"".join(sorted(colours, key=colours.get)))
    else:
        for y in range(height):
            rows.append(b"\0" + pixels[y * width * 3:(y + 1) * width * 3])
        header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
        extra = b""
    body = zlib.compress(b"".join(rows), 9)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
                chunk(b"IDAT", body) + chunk(b"IEND", b""))


if __name__ == "__main__":
    write_png(sys.argv[2], *read_ppm(sys.argv[1]))
