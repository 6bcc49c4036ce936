#!/usr/bin/env python3
"""Writes hand.cur: a 32 x 32 pointing-hand cursor, hot spot (5, 0) at the
tip of the index finger. '#' is the black outline, '.' the white hand,
anything else is transparent. Written as a classic 1-bit cursor (XOR and AND
masks), which every Windows version and Wine load."""
import struct
import sys

HAND = [
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..##",
    "    #..#..#..#.#",
    " ## #..#..#..#..#",
    "#..##..#..#..#..#",
    "#...#...........#",
    " #..............#",
    "  #.............#",
    "  #.............#",
    "   #...........#",
    "   #...........#",
    "    #.........#",
    "    #.........#",
    "    ###########",
]
SIZE = 32
HOT_SPOT = (5, 0)


def pixel(x, y):
    if y < len(HAND) and x < len(HAND[y]):
        return HAND[y][x]
    return " "


def mask_rows(bit_of):
    """1-bit rows, bottom-up, each 32 bits (already 4-byte aligned)."""
    out = bytearray()
    for y in reversed(range(SIZE)):
        value = 0
        for x in range(SIZE):
            if bit_of(pixel(x, y)):
                value |= 1 << (SIZE - 1 - x)
        out += value.to_bytes(4, "big")
    return bytes(out)


def cursor_bytes():
    assert pixel(*HOT_SPOT) == "#", "hot spot must be on the fingertip"
    # XOR mask: 1 = white. AND mask: 1 = transparent (screen kept).
    xor_mask = mask_rows(lambda c: c == ".")
    and_mask = mask_rows(lambda c: c not in "#.")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0,
                         len(xor_mask) + len(and_mask), 0, 0, 2, 2)
    palette = struct.pack("<8B", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0],
                        HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(cursor_bytes())
