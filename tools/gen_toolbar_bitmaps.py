#!/usr/bin/env python3
"""Draws the toolbar button images and the program icon.

Writes resources/toolbar/*.bmp (16x16, 24-bit, magenta (255,0,255) background as the
transparent key), resources/zelvo.ico and the download dialog's resources/update_download.ico
(16x16 and 32x32, 32-bit with alpha and an AND mask). Pure Python: the images are pixel art below, drawn on a small canvas and written
as BMP / ICO by hand.

    python3 tools/gen_toolbar_bitmaps.py                 # write the resources
    python3 tools/gen_toolbar_bitmaps.py --preview x.png # also a contact sheet, 8x zoom
"""

import argparse
import os
import struct
import sys
import zlib

KEY = (255, 0, 255)

# Pixel-art palette: one character per colour, "." is the transparent key.
PALETTE = {
    ".": KEY,
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "l": (200, 200, 200),
    "g": (128, 128, 128),
    "d": (80, 80, 80),
    "y": (255, 226, 110),  # folder front
    "Y": (214, 166, 40),  # folder back
    "o": (128, 88, 0),  # folder outline
    "b": (0, 0, 128),
    "B": (40, 90, 230),
    "c": (150, 195, 255),
    "r": (190, 0, 0),
    "R": (240, 40, 40),
    "G": (0, 140, 0),
    "L": (90, 200, 90),
    "n": (120, 70, 20),
    "N": (190, 130, 60),
    "s": (170, 170, 190),
}


class Canvas:
    def __init__(self, width, height, fill=KEY):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour, thick=1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            for tx in range(thick):
                for ty in range(thick):
                    self.set(x0 + tx, y0 + ty, colour)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def art(self, rows, x=0, y=0):
        """Blits pixel art; "." leaves the canvas as it is."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != ".":
                    self.set(x + i, y + j, PALETTE[ch])


def from_art(rows):
    if len(rows) != 16 or any(len(r) != 16 for r in rows):
        raise ValueError("toolbar art must be 16 rows of 16 characters: %r" % rows)
    c = Canvas(16, 16)
    c.art(rows)
    return c


# --- The images -------------------------------------------------------------------------

def img_open():
    return from_art([
        "................",
        "................",
        ".oooo...........",
        "oYYYYo..........",
        "oYYYYYoooooo....",
        "oYYYYYYYYYYo....",
        "oYYYYYYYYYYo....",
        "oYYYoooooooooooo",
        "oYYoyyyyyyyyyyyo",
        "oYYoyyyyyyyyyyo.",
        "oYoyyyyyyyyyyyo.",
        "oYoyyyyyyyyyyo..",
        "ooyyyyyyyyyyyo..",
        "ooooooooooooo...",
        "................",
        "................",
    ])


def page(c, x0, y0, x1, y1, lines=True, fold=3, line_colour=PALETTE["g"]):
    """A sheet of paper with a folded top-right corner and optional text lines."""
    k, w = PALETTE["k"], PALETTE["w"]
    c.rect(x0, y0, x1, y1, w)
    c.line(x0, y0, x1 - fold, y0, k)
    c.line(x0, y0, x0, y1, k)
    c.line(x0, y1, x1, y1, k)
    c.line(x1, y0 + fold, x1, y1, k)
    c.line(x1 - fold, y0, x1, y0 + fold, k)
    c.line(x1 - fold, y0, x1 - fold, y0 + fold, k)
    c.line(x1 - fold, y0 + fold, x1, y0 + fold, k)
    for fx in range(x1 - fold + 1, x1 + 1):
        for fy in range(y0, y0 + fold):
            if fx - (x1 - fold) > fy - y0:
                c.set(fx, fy, KEY)
    if lines:
        for y in range(y0 + fold + 2, y1 - 1, 2):
            c.line(x0 + 2, y, x1 - 2, y, line_colour)


def img_new():
    c = Canvas(16, 16)
    page(c, 2, 0, 13, 15, lines=False, fold=4)
    return c


def img_close():
    c = Canvas(16, 16)
    page(c, 1, 0, 11, 13, lines=True)
    red = PALETTE["R"]
    dark = PALETTE["r"]
    c.line(8, 8, 14, 14, dark, thick=2)
    c.line(8, 14, 14, 8, dark, thick=2)
    c.line(8, 8, 14, 14, red, thick=1)
    c.line(8, 15, 15, 8, red, thick=1)
    return c


def img_save():
    return from_art([
        "kkkkkkkkkkkkkkk.",
        "kbBwwwwwwwwwwBbk",
        "kbBwggggggggwBbk",
        "kbBwwwwwwwwwwBbk",
        "kbBwggggggggwBbk",
        "kbBwwwwwwwwwwBbk",
        "kbBBBBBBBBBBBBbk",
        "kbBBBBBBBBBBBBbk",
        "kbBBssssssssBBbk",
        "kbBBssddssssBBbk",
        "kbBBssddssssBBbk",
        "kbBBssddssssBBbk",
        "kbBBssssssssBBbk",
        "kbbbbbbbbbbbbbbk",
        "kkkkkkkkkkkkkkkk",
        "................",
    ])


def img_properties():
    # A property sheet: a small window with a title bar, check boxes and lines.
    return from_art([
        "................",
        "kkkkkkkkkkkkkkkk",
        "kbbbbbbbbbbbwwbk",
        "kbbbbbbbbbbbwwbk",
        "kkkkkkkkkkkkkkkk",
        "klllllllllllllgk",
        "klkkkklgggggglgk",
        "klkwGkllllllllgk",
        "klkGwklgggggglgk",
        "klkkkklllllllggk",
        "kllllllllllllllk",
        "klkkkklgggggglgk",
        "klkwwklllllllllk",
        "klkkkklgggggglgk",
        "klllllllllllllgk",
        "kkkkkkkkkkkkkkkk",
    ])


def img_cut():
    return from_art([
        "....g......g....",
        "....gg....gg....",
        ".....g....g.....",
        ".....gg..gg.....",
        "......g..g......",
        "......gggg......",
        ".......gg.......",
        "......bbbb......",
        ".....bb..bb.....",
        "...bbbb..bbbb...",
        "..bb..b..b..bb..",
        ".b....b..b....b.",
        ".b....b..b....b.",
        ".b....b..b....b.",
        "..bbbb....bbbb..",
        "................",
    ])


def img_copy():
    c = Canvas(16, 16)
    page(c, 0, 0, 9, 11, lines=True)
    page(c, 6, 4, 15, 15, lines=True)
    return c


def img_copy_all():
    # Two sheets whose every line is selected.
    blue = PALETTE["B"]
    c = Canvas(16, 16)
    page(c, 0, 0, 9, 11, lines=True, line_colour=blue)
    page(c, 6, 4, 15, 15, lines=False)
    c.rect(8, 8, 13, 13, blue)
    for y in (9, 11, 13):
        c.line(9, y, 12, y, PALETTE["w"])
    return c


def img_paste():
    c = from_art([
        ".....kkkkkk.....",
        "..nnnksssskNnn..",
        ".nNNksskksskNNn.",
        ".nNNkkkkkkkkNNn.",
        ".nNNNNNNNNNNNNn.",
        ".nNNNNNNNNNNNNn.",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nNNNN..........",
        ".nnnnn..........",
        "................",
    ])
    page(c, 6, 5, 15, 15, lines=True)
    return c


def img_find():
    return from_art([
        "................",
        "....kkkk........",
        "..kkccwckk......",
        "..kccwwccck.....",
        ".kccwwccccck....",
        ".kcwwcccccck....",
        ".kcwcccccccck...",
        ".kcccccccccck...",
        "..kcccccccck....",
        "..kkcccccckk....",
        "....kkkkkkddd...",
        "..........dddd..",
        "...........dddd.",
        "............ddd.",
        ".............d..",
        "................",
    ])


def window_frame(c):
    k = PALETTE["k"]
    c.rect(0, 1, 15, 14, PALETTE["w"])
    c.frame(0, 1, 15, 14, k)
    c.rect(1, 2, 14, 3, PALETTE["b"])
    c.line(1, 4, 14, 4, k)


def img_source_area():
    c = Canvas(16, 16)
    window_frame(c)
    c.rect(1, 5, 14, 8, PALETTE["B"])
    for y in (6, 8):
        pass
    c.line(3, 6, 11, 6, PALETTE["c"])
    c.line(3, 8, 9, 8, PALETTE["c"])
    c.line(1, 9, 14, 9, PALETTE["k"])
    c.line(3, 11, 12, 11, PALETTE["l"])
    c.line(3, 13, 9, 13, PALETTE["l"])
    return c


def img_destination_area():
    c = Canvas(16, 16)
    window_frame(c)
    c.line(3, 6, 11, 6, PALETTE["l"])
    c.line(3, 8, 9, 8, PALETTE["l"])
    c.line(1, 9, 14, 9, PALETTE["k"])
    c.rect(1, 10, 14, 13, PALETTE["B"])
    c.line(3, 11, 12, 11, PALETTE["c"])
    c.line(3, 13, 9, 13, PALETTE["c"])
    return c


GLYPH_G = [
    ".kkk",
    "k...",
    "k...",
    "k.kk",
    "k..k",
    "k..k",
    ".kkk",
]
GLYPH_B = [
    "kkk.",
    "k..k",
    "k..k",
    "kkk.",
    "k..k",
    "k..k",
    "kkk.",
]
ARROW_RIGHT = [
    "..k..",
    "...k.",
    "kkkkk",
    "...k.",
    "..k..",
]


def glyph(c, rows, x, y, colour):
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch == "k":
                c.set(x + i, y + j, colour)


def mirrored(rows):
    return [row[::-1] for row in rows]


def transfer_image(first, second, first_colour, second_colour):
    # The two letters in their own colours on a pale card, an arrow between them:
    # red G for GBK (the mainland's simplified text), blue B for Big5.
    c = Canvas(16, 16)
    c.rect(0, 3, 15, 12, PALETTE["w"])
    c.frame(0, 3, 15, 12, PALETTE["g"])
    glyph(c, first, 1, 4, first_colour)
    glyph(c, ARROW_RIGHT, 6, 5, PALETTE["G"])
    glyph(c, second, 11, 4, second_colour)
    return c


def img_g2b():
    return transfer_image(GLYPH_G, GLYPH_B, PALETTE["r"], PALETTE["b"])


def img_b2g():
    return transfer_image(GLYPH_B, GLYPH_G, PALETTE["b"], PALETTE["r"])


def small_folder(c, x, y):
    c.art([
        "oo.....",
        "oYooooo",
        "oyyyyyo",
        "oyyyyyo",
        "ooooooo",
    ], x, y)


def img_site_transfer():
    c = Canvas(16, 16)
    small_folder(c, 0, 0)
    g = PALETTE["g"]
    c.line(2, 5, 2, 13, g)
    c.line(3, 8, 4, 8, g)
    c.line(3, 13, 4, 13, g)
    small_folder(c, 5, 6)
    small_folder(c, 5, 11)
    # A green arrow from the tree to the right: the site goes over.
    green = PALETTE["G"]
    c.line(12, 1, 12, 7, green, thick=2)
    c.art([
        "G....G",
        "GG..GG",
        ".GGGG.",
        "..GG..",
    ], 10, 6)
    return c


def img_profiles():
    # Stacked cards, the top one with a person: saved window profiles.
    return from_art([
        "....kkkkkkkkkkkk",
        "....klllllllllgk",
        "..kkkkkkkkkkkkgk",
        "..klllllllllgkgk",
        "kkkkkkkkkkkkgkgk",
        "kwwwwwwwwwwkgkkk",
        "kwwnnnwwwwwkgk..",
        "kwnNNNnwgggkkk..",
        "kwnNNNnwwwwk....",
        "kwwnnnwwgggk....",
        "kwBBBBBwwwwk....",
        "kBBBBBBBgggk....",
        "kBBBBBBBwwwk....",
        "kkkkkkkkkkkk....",
        "................",
        "................",
    ])


def img_on_top():
    # A red push pin stuck in at an angle.
    return from_art([
        "................",
        "........kkk.....",
        ".......kRRRk....",
        "......kRRwRRk...",
        "......kRwRRRRk..",
        ".......kRRRRRRk.",
        "......kkRRRRRk..",
        ".....kRRkRRRk...",
        "....kRRRRkkk....",
        ".....kkRRRk.....",
        "....g..kkk......",
        "...g............",
        "..g.............",
        ".g..............",
        "g...............",
        "................",
    ])


def img_exit():
    # An open door with an arrow going out.
    return from_art([
        "..kkkkkkkk......",
        "..kggggggk......",
        "..kgnnnnnk......",
        "..kgnNNNNk......",
        "..kgnNNNNk...G..",
        "..kgnNNNNk...GG.",
        "..kgnNNkNkGGGGGG",
        "..kgnNNNNk...GG.",
        "..kgnNNNNk...G..",
        "..kgnNNNNk......",
        "..kgnNNNNk......",
        "..kgnnnnnk......",
        "..kggggggk......",
        "..kkkkkkkk......",
        "................",
        "................",
    ])


TOOLBAR_IMAGES = [
    ("open", img_open),
    ("close", img_close),
    ("save", img_save),
    ("properties", img_properties),
    ("cut", img_cut),
    ("copy", img_copy),
    ("copy_all", img_copy_all),
    ("paste", img_paste),
    ("find", img_find),
    ("source_area", img_source_area),
    ("destination_area", img_destination_area),
    ("g2b", img_g2b),
    ("b2g", img_b2g),
    ("site_transfer", img_site_transfer),
    ("profiles", img_profiles),
    ("new", img_new),
    ("on_top", img_on_top),
    ("exit", img_exit),
]


# --- The icon ---------------------------------------------------------------------------

def icon_image(size):
    """The program icon: two sheets, the upper with red (GBK) text and the lower with blue
    (Big5) text, joined by a green arrow, like the editor's two edit areas."""
    c = Canvas(size, size)
    s = size / 32.0

    def S(v):
        return int(round(v * s))

    k, w = PALETTE["k"], PALETTE["w"]
    # Upper sheet.
    c.rect(S(2), S(1), S(21), S(14), w)
    c.frame(S(2), S(1), S(21), S(14), k)
    for y in range(S(4), S(13), max(2, S(3))):
        c.line(S(5), y, S(18), y, PALETTE["r"], thick=max(1, S(1.5)))
    # Lower sheet.
    c.rect(S(10), S(17), S(29), S(30), w)
    c.frame(S(10), S(17), S(29), S(30), k)
    for y in range(S(20), S(29), max(2, S(3))):
        c.line(S(13), y, S(26), y, PALETTE["B"], thick=max(1, S(1.5)))
    # Arrow from the upper sheet down to the lower one.
    green = PALETTE["G"]
    t = max(2, S(3))
    c.rect(S(24), S(5), S(24) + t - 1, S(12), green)
    c.rect(S(24), S(5), S(29), S(5) + t - 1, green) if size >= 32 else None
    for i in range(S(4) + 1):
        c.line(S(24) + t // 2 - i, S(12) + S(4) - i, S(24) + t // 2 + i - (1 - t % 2), S(12) + S(4) - i, green)
    return c


def download_icon_image(size):
    """The download dialog's icon: a green arrow pointing down into an open grey tray."""
    c = Canvas(size, size)
    s = size / 32.0

    def S(v):
        return int(round(v * s))

    k, green, light = PALETTE["k"], PALETTE["G"], PALETTE["L"]
    # Shaft and head of the arrow.
    c.rect(S(12), S(2), S(19), S(14), green)
    c.frame(S(12), S(2), S(19), S(14), k)
    for i in range(S(10) + 1):
        y = S(14) + i
        c.line(S(5) + i, y, S(26) - i, y, green)
        c.set(S(5) + i, y, k)
        c.set(S(26) - i, y, k)
    c.line(S(14), S(4), S(14), S(13), light)
    # The tray the file lands in.
    c.rect(S(2), S(26), S(29), S(29), PALETTE["g"])
    c.frame(S(2), S(26), S(29), S(29), k)
    c.rect(S(2), S(21), S(4), S(26), PALETTE["g"])
    c.rect(S(27), S(21), S(29), S(26), PALETTE["g"])
    return c


# --- File writers -----------------------------------------------------------------------

def bmp_bytes(canvas):
    """24-bit bottom-up BMP."""
    width, height = canvas.width, canvas.height
    row_size = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = canvas.get(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        body += row
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(body), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return file_header + info + bytes(body)


def icon_entry_bytes(canvas):
    """One ICO image: BITMAPINFOHEADER with doubled height, 32-bit BGRA, then the AND mask."""
    width, height = canvas.width, canvas.height
    xor = bytearray()
    for y in range(height - 1, -1, -1):
        for x in range(width):
            colour = canvas.get(x, y)
            if colour == KEY:
                xor += b"\0\0\0\0"
            else:
                r, g, b = colour
                xor += bytes((b, g, r, 255))
    mask_row = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(width):
            if canvas.get(x, y) == KEY:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    images = [icon_entry_bytes(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def png_bytes(canvas, zoom):
    width, height = canvas.width * zoom, canvas.height * zoom
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(canvas.get(x // zoom, y // zoom))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def contact_sheet(images, icons):
    """All images in a row on light grey (magenta shown as grey), then the icons."""
    grey = (212, 208, 200)
    cell = 18
    sheet = Canvas(cell * len(images) + 2, 16 + 2 + 32 + 4, fill=grey)
    for i, (_, c) in enumerate(images):
        for y in range(16):
            for x in range(16):
                p = c.get(x, y)
                sheet.set(2 + i * cell + x, 1 + y, grey if p == KEY else p)
    x0 = 2
    for ic in icons:
        for y in range(ic.height):
            for x in range(ic.width):
                p = ic.get(x, y)
                sheet.set(x0 + x, 20 + y, grey if p == KEY else p)
        x0 += ic.width + 4
    return sheet


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--preview", help="also write a PNG contact sheet of every image here")
    args = parser.parse_args()

    out_dir = os.path.join(args.root, "resources", "toolbar")
    os.makedirs(out_dir, exist_ok=True)
    images = [(name, make()) for name, make in TOOLBAR_IMAGES]
    for name, canvas in images:
        with open(os.path.join(out_dir, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(canvas))
    icons = [icon_image(16), icon_image(32)]
    with open(os.path.join(args.root, "resources", "zelvo.ico"), "wb") as f:
        f.write(ico_bytes(icons))
    download_icons = [download_icon_image(16), download_icon_image(32)]
    with open(os.path.join(args.root, "resources", "update_download.ico"), "wb") as f:
        f.write(ico_bytes(download_icons))
    icons += download_icons
    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(png_bytes(contact_sheet(images, icons), 8))
    print("wrote %d toolbar images and the icons" % len(images))
    return 0


if __name__ == "__main__":
    sys.exit(main())
