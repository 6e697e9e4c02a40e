#!/usr/bin/env python3
"""Draws the viewer's cursors and built-in pictures from the character art below and
writes them as .cur and .bmp files beside this script. The results are kept in the tree;
run this only to change them.

Cursor art: '.' lets the screen through, 'X' is black, 'o' is white, 'H' marks the hot spot
(black). Picture art: one character per pixel, coloured by the table of each picture."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

HAND = """
.....XX.........
....XooX........
....XooX........
....XooX........
....XooX........
....XooXXX......
....XooXooXXX...
....XooXooXooXX.
.XX.XooXooXooXoX
XooXXooooooooXoX
XoooXooooooooooX
.XooXooooooooooX
..XoXoooooooooX.
..XoooooooooooX.
...XooooooooooX.
...XoooooooooX..
....XooooooooX..
....XooooooooX..
....XXXXXXXXXX..
"""
HAND_HOT = (5, 0)

IBEAM = """
XXX.XXX
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
...X...
XXX.XXX
"""
IBEAM_HOT = (3, 8)

# The middle-button scroll cursors: a ring with arrows up, down or both.
UP = """
......X......
.....XoX.....
....XoooX....
...XoooooX...
..XXXXoXXXX..
.....XoX.....
.....XoX.....
"""
RING = """
....XXXXX....
...XoooooX...
..XooXXXooX..
..XoX...XoX..
..XooXXXooX..
...XoooooX...
....XXXXX....
"""


def lines(art):
    return [row for row in art.strip("\n").split("\n")]


def flip(rows):
    return rows[::-1]


def compose_scroll(up, down):
    rows = []
    rows += lines(UP) if up else ["." * 13] * 7
    rows += ["." * 13]
    rows += lines(RING)
    rows += ["." * 13]
    rows += flip(lines(UP)) if down else ["." * 13] * 7
    return rows


def write_cursor(name, rows, hot):
    size = 32
    xor = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c in "XxH":
                mask[y][x] = 0
            elif c == "o":
                mask[y][x] = 0
                xor[y][x] = 1

    def plane(bits):
        out = b""
        for row in reversed(bits):  # bottom-up
            value = 0
            for bit in row:
                value = (value << 1) | bit
            out += struct.pack(">I", value)
        return out

    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + plane(xor) + plane(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot[0], hot[1], len(image), 6 + 16)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(directory + entry + image)


def write_bmp(name, rows, colours):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):
        line = b""
        for c in row:
            r, g, b = colours[c]
            line += bytes((b, g, r))
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + pixels)


# A picture that could not be loaded: a torn photo with a red cross. The mask is white
# wherever the background shows through.
CANNOT_LOAD = """
................
.kkkkkkkkkkkkk..
.kwwwwwwwwwwwk..
.kwrrwwwwwrrwk..
.kwwrrwwwrrwwk..
.kwwwrrwrrwwwk..
.kwwwwrrrwwwwk..
.kwwwwwrwwwwwk..
.kwwwwrrrwwwwk..
.kwwwrrwrrwwwk..
.kwwrrwwwrrwwk..
.kwrrwwwwwrrwk..
.kwwwwwwwwwwwk..
.kkkkkkkkkkkkk..
................
................
"""
# An image not shown (images off, or its bytes still to come): a small landscape.
NOT_SHOWN = """
kkkkkkkkkkkkkkkk
kbbbbbbbbbbbbbbk
kbbbbbbbbbbyybbk
kbbbbbbbbbbyybbk
kbbbbbbbbbbbbbbk
kbbbbbgbbbbbbbbk
kbbbbgggbbbbbbbk
kbbbgggggbbbgbbk
kbbgggggggbgggbk
kbgggggggggggggk
kggggggggggggggk
kggggggggggggggk
kkkkkkkkkkkkkkkk
"""
COLOURS = {
    ".": (255, 255, 255), "k": (64, 64, 64), "w": (255, 255, 255), "r": (220, 0, 0),
    "b": (128, 176, 224), "y": (255, 220, 64), "g": (64, 160, 64),
}


def main():
    write_cursor("hand.cur", lines(HAND), HAND_HOT)
    write_cursor("text.cur", lines(IBEAM), IBEAM_HOT)
    write_cursor("updown.cur", compose_scroll(True, True), (6, 11))
    write_cursor("uponly.cur", compose_scroll(True, False), (6, 11))
    write_cursor("downonly.cur", compose_scroll(False, True), (6, 11))
    write_bmp("cannot-load.bmp", lines(CANNOT_LOAD), COLOURS)
    mask_colours = {c: (255, 255, 255) if c == "." else (0, 0, 0) for c in COLOURS}
    write_bmp("cannot-load-mask.bmp", lines(CANNOT_LOAD), mask_colours)
    write_bmp("not-shown.bmp", lines(NOT_SHOWN), COLOURS)


if __name__ == "__main__":
    main()
