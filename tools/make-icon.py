#!/usr/bin/env python3
"""Draws the program icon (a terminal screen with a signal mark) and writes app/tarnwick.ico:
32 x 32 and 16 x 16 images in 16 colours, which 100 % scaling shows, then 24, 48 and 64 pixels
for the small and large icons at 150 and 200 %, each drawn on its own pixel grid. Run it again
after changing the drawing."""
import struct
import sys

# The standard 16-colour palette.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, GREY, SILVER, WHITE, LIME, TEAL, YELLOW = 0, 4, 8, 7, 15, 10, 6, 11


def draw(size):
    """Returns rows (top first) of palette indices, None for transparent."""
    s = size / 32.0
    px = [[None] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = c

    rect(2, 3, 30, 24, BLACK)    # monitor case
    rect(3, 4, 29, 23, SILVER)
    rect(5, 6, 27, 21, NAVY)     # screen
    rect(12, 24, 20, 27, GREY)   # stand
    rect(7, 27, 25, 30, BLACK)
    rect(8, 27, 24, 29, SILVER)
    # a "T" on the screen and three rising bars of a signal
    rect(8, 8, 17, 10, WHITE)
    rect(11, 10, 14, 19, WHITE)
    rect(19, 16, 21, 19, LIME)
    rect(22, 13, 24, 19, LIME)
    rect(25, 10, 26, 19, YELLOW)
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor, mask = b'', b''
    for row in reversed(px):  # bottom-up
        nibbles = [c if c is not None else 0 for c in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += line.ljust(xor_row, b'\0')
        bits = 0
        line = b''
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                line += bytes([bits])
                bits = 0
        mask += line.ljust(and_row, b'\0')
    return header + palette + xor + mask


def main(path):
    sizes = [32, 16, 24, 48, 64]
    images = [image(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'app/tarnwick.ico')
