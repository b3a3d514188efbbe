#!/usr/bin/env python3
"""Draws Zelvane's turtle and writes resources/zelvane.ico.

The .ico holds five 32-bit images of 128, 48, 32, 24 and 16 pixels, in that
order, each a bottom-up DIB (BITMAPINFOHEADER, BGRA pixels, 1-bit AND mask) and
a colour count of 0 in its directory entry. The directory is written by hand
so that it stays exactly this; the tray code picks the 16-pixel image by it.

Rerun after changing the drawing (needs Pillow, Debian python3-pil):
    /usr/bin/python3 resources/make_icon.py [out.ico [preview.png]]
"""

import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

SIZES = (128, 48, 32, 24, 16)
CANVAS = 1024  # drawn once large, then scaled down for each size

SHELL_DARK = (34, 94, 44, 255)
SHELL = (64, 150, 66, 255)
SHELL_LIGHT = (124, 196, 92, 255)
SKIN = (150, 196, 96, 255)
SKIN_DARK = (70, 118, 52, 255)
EYE = (20, 28, 20, 255)


def scaled(box):
    return [v * CANVAS / 64 for v in box]


def ellipse(draw, box, fill, outline=None, width=0):
    draw.ellipse(scaled(box), fill=fill, outline=outline, width=int(width * CANVAS / 64))


def polygon(draw, points, fill):
    draw.polygon([(x * CANVAS / 64, y * CANVAS / 64) for x, y in points], fill=fill)


def draw_turtle():
    """A turtle seen from above, head up, on a 64-unit grid."""
    image = Image.new("RGBA", (CANVAS, CANVAS), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    outline = 2.2

    # Legs and tail first, so that the shell covers their roots.
    for box in ((8, 14, 22, 26), (42, 14, 56, 26), (8, 40, 22, 52), (42, 40, 56, 52)):
        ellipse(draw, box, SKIN, SKIN_DARK, outline)
    polygon(draw, [(29, 52), (35, 52), (32, 61)], SKIN_DARK)
    # Head with two eyes.
    ellipse(draw, (24, 2, 40, 19), SKIN, SKIN_DARK, outline)
    ellipse(draw, (26.5, 7, 30.5, 11), EYE)
    ellipse(draw, (33.5, 7, 37.5, 11), EYE)
    # Shell: a dark rim, a lighter back and a pattern of plates.
    ellipse(draw, (13, 14, 51, 56), SHELL_DARK)
    ellipse(draw, (16, 17, 48, 53), SHELL)
    hexagon = [(0, -7), (6, -3.5), (6, 3.5), (0, 7), (-6, 3.5), (-6, -3.5)]

    def plate(centre_x, centre_y, scale):
        polygon(draw, [(centre_x + x * scale, centre_y + y * scale) for x, y in hexagon],
                SHELL_LIGHT)

    plate(32, 35, 1.0)
    for dx, dy in ((0, -12), (0, 12), (-10, -6), (10, -6), (-10, 6), (10, 6)):
        plate(32 + dx, 35 + dy, 0.5)
    return image


def picture(size, master):
    image = master.resize((size, size), Image.LANCZOS)
    if size <= 24:
        # Small pictures look blurred after scaling; firm them up a little.
        image = image.filter(ImageFilter.UnsharpMask(radius=1, percent=80, threshold=0))
    return image


def dib(image):
    """A 32-bit bottom-up DIB with its AND mask, as an .ico image holds it."""
    width, height = image.size
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         width * height * 4, 0, 0, 0, 0)
    pixels = image.load()
    colour = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = pixels[x, y]
            colour += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        row = bytearray(mask_stride)
        for x in range(width):
            if pixels[x, y][3] == 0:  # fully transparent: the mask shows the background
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def ico(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    blobs = b""
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return directory + entries + blobs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "zelvane.ico")
    master = draw_turtle()
    images = [(size, dib(picture(size, master))) for size in SIZES]
    with open(target, "wb") as out:
        out.write(ico(images))
    if len(sys.argv) > 2:  # a preview PNG of every size, for looking at the drawing
        strip = Image.new("RGBA", (sum(SIZES) + 10 * len(SIZES), 128), (255, 255, 255, 255))
        x = 0
        for size in SIZES:
            strip.alpha_composite(picture(size, master), (x, 0))
            x += size + 10
        strip.save(sys.argv[2])


if __name__ == "__main__":
    main()
