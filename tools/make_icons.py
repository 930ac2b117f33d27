#!/usr/bin/env python3
"""Draws the library's two 32x32 icons (resources 102 and 105) and writes them
as .ico files: a calendar page for the product and an envelope for the
contact information. Run from the project root; the output is committed."""
import struct

SIZE = 32


def calendar(x, y):
    if not (3 <= x <= 28 and 4 <= y <= 28):
        return None
    if x in (3, 28) or y in (4, 28):
        return (40, 40, 40)
    if y <= 10:
        return (200, 30, 30)  # the month band
    if (x - 4) % 6 == 5 or (y - 11) % 4 == 3:
        return (170, 170, 170)  # the day grid
    if x in range(16, 21) and y in range(19, 22):
        return (30, 90, 200)  # one marked day
    return (255, 255, 255)


def envelope(x, y):
    if not (2 <= x <= 29 and 8 <= y <= 25):
        return None
    if x in (2, 29) or y in (8, 25):
        return (40, 40, 40)
    # the flap: two lines from the top corners down to the middle
    left = x <= 16 and y - 8 == (x - 2) * 9 // 14
    right = x >= 15 and y - 8 == (29 - x) * 9 // 14
    if left or right:
        return (40, 40, 40)
    return (250, 235, 180)


def ico(draw):
    pixels = b""
    mask = b""
    for y in reversed(range(SIZE)):  # bottom-up rows
        bits = 0
        for x in range(SIZE):
            colour = draw(x, y)
            if colour is None:
                pixels += bytes((0, 0, 0, 0))
                bits |= 1 << (SIZE - 1 - x)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    for name, draw in (("product", calendar), ("contact", envelope)):
        with open(f"kalcore/platform/win32/icons/{name}.ico", "wb") as f:
            f.write(ico(draw))
