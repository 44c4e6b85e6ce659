#!/usr/bin/python3
"""Draws the five window pictures and the program icon of the formation finder.

Run with Debian's python3 and python3-pil; the fonts come from fonts-wqy-zenhei and
fonts-arphic-ukai. Writes src/assets/pictures/*.jpg and src/assets/program_icon.ico. With
--preview PNG it also writes the four panels stacked as the window shows them.

The four panels are cut from one drawing of the whole window, so that the board runs on across
their seams. That drawing uses picture columns (x) and window rows (y): the panels sit at window
rows 0, 88, 266 and 321, and the result panel covers the top 65 rows of the links panel.
"""

import argparse
import math
import random
import struct
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = Path(__file__).resolve().parent.parent
PICTURE_DIR = ROOT / "src" / "assets" / "pictures"
ICON_FILE = ROOT / "src" / "assets" / "program_icon.ico"

HEI = ("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", 0)
KAI = ("/usr/share/fonts/truetype/arphic/ukai.ttc", 0)

WIDTH = 540
HEIGHT = 535  # window rows covered by the four panels
SS = 4  # shapes are drawn this many times larger and scaled down, for smooth edges

HEADER_TOP, SELECTION_TOP, RESULT_TOP, LINKS_TOP = 0, 88, 266, 321
PANELS = {
    # name: (first window row, height)
    "header": (HEADER_TOP, 88),
    "selection_panel": (SELECTION_TOP, 178),
    "result_panel": (RESULT_TOP, 120),
    "links_panel": (LINKS_TOP, 214),
}

# Colours
BOARD = (26, 59, 52)
BOARD_BORDER = (134, 188, 142)
BOARD_SHADE = (15, 38, 33)
FIELD = (46, 43, 41)
FIELD_RIM_DARK = (26, 24, 23)
FIELD_RIM_LIGHT = (88, 82, 72)
PANEL_BORDER = (92, 146, 108)
STONE_LIGHT = (238, 230, 208)
STONE = (202, 192, 166)
STONE_DARK = (124, 113, 94)
YELLOW_TOP = (255, 242, 128)
YELLOW_BOTTOM = (250, 200, 44)
CAPTION_YELLOW = (255, 226, 64)
OUTLINE = (30, 22, 12)
HEADER_INSIDE = (46, 56, 70)

# The frame around the board (picture columns, window rows).
FRAME_LEFT, FRAME_RIGHT = 12, 527
FRAME_TOP = 45
FRAME_WIDTH = 7
BOARD_TOP = SELECTION_TOP  # the board starts with the first row of the selection panel
BOARD_BOTTOM = LINKS_TOP + 185  # the frame's lower edge band, links rows 185..200
FRAME_BOTTOM = LINKS_TOP + 200


# ---------------------------------------------------------------------------------------------
# Drawing helpers


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def hi(box):
    """Pixel box (inclusive corners) in the supersampled layer."""
    x0, y0, x1, y1 = box
    return (x0 * SS, y0 * SS, (x1 + 1) * SS - 1, (y1 + 1) * SS - 1)


class Layer:
    """A transparent supersampled layer, composited onto a picture when done."""

    def __init__(self, width, height):
        self.image = Image.new("RGBA", (width * SS, height * SS), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.image)

    def rect(self, box, fill, radius=0):
        if radius:
            self.draw.rounded_rectangle(hi(box), radius * SS, fill=fill)
        else:
            self.draw.rectangle(hi(box), fill=fill)

    def ellipse(self, box, fill):
        self.draw.ellipse(hi(box), fill=fill)

    def polygon(self, points, fill):
        self.draw.polygon([(x * SS, y * SS) for x, y in points], fill=fill)

    def line(self, points, fill, width):
        self.draw.line([(x * SS, y * SS) for x, y in points], fill=fill, width=round(width * SS),
                       joint="curve")

    def small(self):
        premultiplied = self.image.convert("RGBa")
        return premultiplied.resize((self.image.width // SS, self.image.height // SS),
                                    Image.BOX).convert("RGBA")

    def onto(self, picture, blur=0.0):
        layer = self.small()
        if blur:
            layer = layer.filter(ImageFilter.GaussianBlur(blur))
        picture.alpha_composite(layer)


def vertical_gradient(size, top, bottom):
    width, height = size
    column = Image.new("RGB", (1, height))
    for y in range(height):
        column.putpixel((0, y), mix(top, bottom, y / max(1, height - 1)))
    return column.resize((width, height))


def text_image(text, font, size, fill_top, fill_bottom, outline, stroke, spacing=0.0, bold=0):
    """The text drawn large, with a gradient fill and an outline, cropped to its ink; `bold`
    thickens the letters by that many pixels."""
    face = ImageFont.truetype(font[0], size, index=font[1])
    gap = round(size * spacing)
    widths = [face.getbbox(ch)[2] for ch in text]
    width = sum(widths) + gap * (len(text) - 1) + 4 * (stroke + bold) + 8
    height = size * 2 + 4 * (stroke + bold)
    fill_mask = Image.new("L", (width, height), 0)
    stroke_mask = Image.new("L", (width, height), 0)
    fill_draw, stroke_draw = ImageDraw.Draw(fill_mask), ImageDraw.Draw(stroke_mask)
    x = top = 2 * (stroke + bold) + 4
    for ch, w in zip(text, widths):
        fill_draw.text((x, top), ch, font=face, fill=255, stroke_width=bold,
                       stroke_fill=255)
        stroke_draw.text((x, top), ch, font=face, fill=255, stroke_width=stroke + bold,
                         stroke_fill=255)
        x += w + gap
    ink = stroke_mask.getbbox()
    fill_box = fill_mask.getbbox()
    # The gradient spans the letters themselves, not the whole canvas.
    colours = vertical_gradient((width, fill_box[3] - fill_box[1]), fill_top, fill_bottom)
    full = Image.new("RGB", (width, height), fill_bottom)
    full.paste(Image.new("RGB", (width, fill_box[1]), fill_top), (0, 0))
    full.paste(colours, (0, fill_box[1]))
    result = Image.new("RGBA", (width, height), outline + (0,))
    result.putalpha(stroke_mask)
    letters = full.convert("RGBA")
    letters.putalpha(fill_mask)
    result.alpha_composite(letters)
    letters_box = (fill_box[0] - ink[0], fill_box[1] - ink[1], fill_box[2] - ink[0],
                   fill_box[3] - ink[1])
    return result.crop(ink), letters_box


def place_text(picture, text, box):
    """Scales the text so that its letters, outline aside, cover `box` (inclusive corners), and
    composites it there."""
    image, (lx0, ly0, lx1, ly1) = text
    x0, y0, x1, y1 = box
    sx = (x1 - x0 + 1) / (lx1 - lx0)
    sy = (y1 - y0 + 1) / (ly1 - ly0)
    size = (round(image.width * sx), round(image.height * sy))
    scaled = image.convert("RGBa").resize(size, Image.LANCZOS).convert("RGBA")
    paste_clipped(picture, scaled, round(x0 - lx0 * sx), round(y0 - ly0 * sy))


def paste_clipped(canvas, image, x, y):
    crop = image.crop((max(0, -x), max(0, -y), image.width, image.height))
    canvas.alpha_composite(crop, (max(0, x), max(0, y)))


def caption(picture, text, box, font=HEI):
    """A yellow caption with a dark outline; the yellow letters fill `box`, the outline
    reaches a pixel or two beyond."""
    place_text(picture, text_image(text, font, 96, YELLOW_TOP, CAPTION_YELLOW, OUTLINE, 7, bold=1),
               box)


def dark_field(layer, box, radius=5):
    x0, y0, x1, y1 = box
    layer.rect(box, FIELD_RIM_LIGHT, radius)
    layer.rect((x0, y0, x1, y1 - 1), FIELD_RIM_DARK, radius)
    layer.rect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), FIELD, radius - 1)


def stone_frame(layer, box, width, radius=0):
    """A light stone frame: bright upper-left edge, dark lower-right edge."""
    x0, y0, x1, y1 = box
    layer.rect(box, STONE_DARK, radius)
    layer.rect((x0, y0, x1 - 1, y1 - 1), STONE_LIGHT, radius)
    layer.rect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), STONE, max(0, radius - 1))
    layer.rect((x0 + width - 1, y0 + width - 1, x1 - width + 1, y1 - width + 1), STONE_DARK,
               max(0, radius - width + 1))


# ---------------------------------------------------------------------------------------------
# The whole window


def sky(canvas, rng):
    canvas.paste(vertical_gradient((WIDTH, 260), (86, 156, 222), (178, 216, 244)), (0, 0))
    canvas.paste(vertical_gradient((WIDTH, HEIGHT - 260), (178, 216, 244), (200, 228, 246)),
                 (0, 260))
    clouds = Layer(WIDTH, HEIGHT)
    shade = Layer(WIDTH, HEIGHT)
    # Cloud banks across the top, and a few more beside the board in the margins.
    for cx, cy, scale in [(28, 12, 1.2), (120, 6, 1.0), (215, 14, 0.9), (300, 4, 1.1),
                          (390, 12, 1.0), (480, 6, 1.2), (548, 16, 0.9), (-6, 120, 0.8),
                          (546, 170, 0.8), (-4, 300, 0.7), (544, 330, 0.7)]:
        for _ in range(7):
            rx = rng.uniform(14, 26) * scale
            ry = rx * rng.uniform(0.45, 0.6)
            x = cx + rng.uniform(-28, 28) * scale
            y = cy + rng.uniform(-5, 6) * scale
            clouds.ellipse((x - rx, y - ry, x + rx, y + ry), (252, 253, 255, 235))
            shade.ellipse((x - rx, y, x + rx, y + ry + 2), (206, 222, 240, 170))
    shade.onto(canvas, 1.2)
    clouds.onto(canvas, 0.8)


def header_inside(canvas, rng):
    """Dark blue-grey inside of the frame above the board, with blurred distant scenery."""
    x0, x1 = FRAME_LEFT + FRAME_WIDTH, FRAME_RIGHT - FRAME_WIDTH
    y0, y1 = FRAME_TOP + FRAME_WIDTH, BOARD_TOP - 1
    inside = Image.new("RGBA", (x1 - x0 + 1 + 20, y1 - y0 + 1 + 20), HEADER_INSIDE + (255,))
    draw = ImageDraw.Draw(inside)
    w, h = inside.size
    # Far hills, towers of a city and a few warm lights, all soft.
    for i in range(9):
        cx = i * w / 8 + rng.uniform(-20, 20)
        draw.ellipse((cx - 60, h * 0.45, cx + 60, h * 1.6), fill=(58, 72, 88, 255))
    for i in range(14):
        tx = rng.uniform(10, w - 10)
        th = rng.uniform(10, 26)
        draw.rectangle((tx - 3, h - th, tx + 3, h), fill=(34, 42, 54, 255))
        draw.polygon([(tx - 5, h - th), (tx + 5, h - th), (tx, h - th - 7)], fill=(34, 42, 54, 255))
    for _ in range(18):
        lx, ly = rng.uniform(0, w), rng.uniform(h * 0.55, h)
        draw.ellipse((lx - 1.5, ly - 1.5, lx + 1.5, ly + 1.5), fill=(196, 170, 110, 255))
    inside = inside.filter(ImageFilter.GaussianBlur(2.2)).crop((10, 10, w - 10, h - 10))
    canvas.alpha_composite(inside, (x0, y0))
    # The lower rows darken towards the board.
    fade = Layer(WIDTH, HEIGHT)
    fade.rect((x0, y1 - 8, x1, y1), (20, 28, 36, 90))
    fade.onto(canvas, 2)


def frame_and_board(canvas):
    frame = Layer(WIDTH, HEIGHT)
    # Shadow of the frame on the sky.
    shadow = Layer(WIDTH, HEIGHT)
    shadow.rect((FRAME_LEFT + 2, FRAME_TOP + 2, FRAME_RIGHT + 3, FRAME_BOTTOM + 3),
                (20, 40, 60, 90), 6)
    shadow.onto(canvas, 2.0)
    stone_frame(frame, (FRAME_LEFT, FRAME_TOP, FRAME_RIGHT, FRAME_BOTTOM), FRAME_WIDTH, 6)
    inner_left, inner_right = FRAME_LEFT + FRAME_WIDTH, FRAME_RIGHT - FRAME_WIDTH
    # The board: dark green inside a light-green border, from the selection panel's first row
    # down to the frame's lower edge band.
    frame.rect((inner_left, BOARD_TOP, inner_right, BOARD_BOTTOM - 1), BOARD_BORDER)
    frame.rect((inner_left + 2, BOARD_TOP + 2, inner_right - 2, BOARD_BOTTOM - 3), BOARD_SHADE)
    frame.rect((inner_left + 3, BOARD_TOP + 3, inner_right - 3, BOARD_BOTTOM - 4), BOARD)
    # The lower edge band of the frame: stone with a groove along its middle.
    band_bottom = FRAME_BOTTOM - 2
    frame.rect((inner_left, BOARD_BOTTOM, inner_right, band_bottom), STONE)
    frame.rect((inner_left, BOARD_BOTTOM, inner_right, BOARD_BOTTOM), STONE_LIGHT)
    groove = (BOARD_BOTTOM + band_bottom) // 2
    frame.rect((inner_left + 2, groove - 1, inner_right - 2, groove - 1), STONE_DARK)
    frame.rect((inner_left + 2, groove, inner_right - 2, groove), STONE_LIGHT)
    frame.onto(canvas)
    # The frame between header and board is left open: the header shows through there.
    frame_layer = Layer(WIDTH, HEIGHT)
    frame_layer.rect((inner_left, FRAME_TOP + FRAME_WIDTH, inner_right, BOARD_TOP - 1),
                     (0, 0, 0, 255))
    return frame_layer.small().getchannel("A")


def board_glow(canvas):
    """A faint darkening of the board towards its border, so it reads as a recessed surface."""
    inner_left, inner_right = FRAME_LEFT + FRAME_WIDTH + 3, FRAME_RIGHT - FRAME_WIDTH - 3
    shade = Image.new("L", (WIDTH, HEIGHT), 0)
    draw = ImageDraw.Draw(shade)
    for i in range(6):
        draw.rectangle((inner_left + i, BOARD_TOP + 3 + i, inner_right - i, BOARD_BOTTOM - 4 - i),
                       outline=70 - 12 * i)
    dark = Image.new("RGBA", (WIDTH, HEIGHT), BOARD_SHADE + (0,))
    dark.putalpha(shade)
    canvas.alpha_composite(dark)


def corner_ornaments(canvas):
    layer = Layer(WIDTH, HEIGHT)
    gold, dark = (222, 186, 96, 255), (120, 90, 40, 255)
    inner_left, inner_right = FRAME_LEFT + FRAME_WIDTH + 4, FRAME_RIGHT - FRAME_WIDTH - 4
    for x, dx in [(inner_left, 1), (inner_right, -1)]:
        for y, dy in [(BOARD_TOP + 4, 1)]:
            layer.polygon([(x, y), (x + 14 * dx, y), (x, y + 14 * dy)], dark)
            layer.polygon([(x, y), (x + 11 * dx, y), (x, y + 11 * dy)], gold)
            layer.polygon([(x + 3 * dx, y + 3 * dy), (x + 6 * dx, y + 3 * dy),
                           (x + 3 * dx, y + 6 * dy)], dark)
    layer.onto(canvas)


def title_plaque(canvas):
    layer = Layer(WIDTH, HEIGHT)
    shadow = Layer(WIDTH, HEIGHT)
    box = (42, 16, 497, 50)
    shadow.rect((box[0] + 1, box[1] + 2, box[2] + 2, box[3] + 3), (10, 20, 30, 120), 9)
    shadow.onto(canvas, 1.5)
    stone_frame(layer, box, 4, 9)
    layer.onto(canvas)
    inside = vertical_gradient((box[2] - box[0] - 7, box[3] - box[1] - 7), (64, 48, 42), (30, 22, 22))
    mask = Layer(WIDTH, HEIGHT)
    mask.rect((box[0] + 4, box[1] + 4, box[2] - 4, box[3] - 4), (255, 255, 255, 255), 6)
    full = Image.new("RGBA", (WIDTH, HEIGHT), (0, 0, 0, 0))
    full.paste(inside, (box[0] + 4, box[1] + 4))
    full.putalpha(mask.small().getchannel("A"))
    canvas.alpha_composite(full)
    # Thin gold inner line, and small studs at the ends.
    trim = Layer(WIDTH, HEIGHT)
    trim.draw.rounded_rectangle(hi((box[0] + 6, box[1] + 6, box[2] - 6, box[3] - 6)), 4 * SS,
                                outline=(176, 138, 62, 255), width=SS)
    for sx in (box[0] + 2, box[2] - 2):
        trim.ellipse((sx - 3, 30, sx + 3, 36), (120, 100, 70, 255))
        trim.ellipse((sx - 2, 31, sx + 2, 35), (236, 214, 150, 255))
    trim.onto(canvas)
    title = text_image("雁丘城邦打野布阵查询", HEI, 96, YELLOW_TOP, YELLOW_BOTTOM, OUTLINE, 7,
                       spacing=0.42, bold=3)
    place_text(canvas, title, (51, 26, 489, 41))


def tab(canvas, text, box):
    layer = Layer(WIDTH, HEIGHT)
    x0, y0, x1, y1 = box
    layer.rect((x0, y0 + 1, x1, y1 + 1), (20, 20, 30, 110), 5)
    layer.rect(box, (234, 200, 116, 255), 5)
    layer.rect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), (170, 52, 42, 255), 4)
    layer.rect((x0 + 1, y0 + (y1 - y0) // 2, x1 - 1, y1 - 1), (140, 36, 32, 255), 4)
    layer.onto(canvas)
    label = text_image(text, HEI, 64, (255, 246, 210), (255, 224, 150), (70, 16, 12), 4, 0.1)
    cx = (x0 + x1) // 2
    place_text(canvas, label, (cx - 11, y0 + 5, cx + 11, y1 - 5))


def selection_rows(canvas):
    fields = Layer(WIDTH, HEIGHT)
    base = SELECTION_TOP
    # An inner panel around both rows and the query button.
    fields.draw.rounded_rectangle(hi((60, base + 91, 481, base + 172)), 6 * SS,
                                  outline=PANEL_BORDER + (255,), width=SS)
    fields.draw.rounded_rectangle(hi((61, base + 92, 480, base + 171)), 5 * SS,
                                  outline=BOARD_SHADE + (255,), width=SS)
    dark_field(fields, (188, base + 97, 304, base + 121))
    dark_field(fields, (188, base + 141, 304, base + 165))
    fields.onto(canvas)
    caption(canvas, "请选择野怪等级：", (79, base + 100, 179, base + 118))
    caption(canvas, "请选择野怪种类：", (80, base + 144, 179, base + 162))


def result_overlay(canvas):
    layer = Layer(WIDTH, HEIGHT)
    base = RESULT_TOP
    layer.rect((60, base + 52, 487, base + 104), PANEL_BORDER + (255,), 7)
    layer.rect((61, base + 53, 486, base + 103), BOARD_SHADE + (255,), 6)
    layer.rect((62, base + 54, 485, base + 102), (22, 52, 46, 255), 5)
    dark_field(layer, (188, base + 61, 470, base + 94), 6)
    layer.onto(canvas)
    caption(canvas, "最佳布阵为：", (78, base + 68, 172, base + 87))


def scenery(canvas, rng):
    """Grassy ground along the bottom and in the margins beside the links panel."""
    ground_top = 392
    layer = Layer(WIDTH, HEIGHT)
    # Distant hills, then the meadow.
    layer.polygon([(-2, ground_top + 10), (6, ground_top - 6), (16, ground_top + 4),
                   (16, HEIGHT), (-2, HEIGHT)], (120, 168, 120, 255))
    layer.polygon([(522, ground_top + 6), (532, ground_top - 10), (542, ground_top),
                   (542, HEIGHT), (522, HEIGHT)], (120, 168, 120, 255))
    layer.onto(canvas, 0.6)
    meadow = vertical_gradient((WIDTH, HEIGHT - ground_top - 12), (96, 160, 74), (58, 118, 50))
    mask = Image.new("L", (WIDTH, HEIGHT), 0)
    draw = ImageDraw.Draw(mask)
    draw.polygon([(0, ground_top + 14), (20, ground_top + 20), (20, HEIGHT), (0, HEIGHT)], fill=255)
    draw.polygon([(518, ground_top + 18), (540, ground_top + 10), (540, HEIGHT), (518, HEIGHT)],
                 fill=255)
    draw.rectangle((0, FRAME_BOTTOM - 10, WIDTH, HEIGHT), fill=255)
    full = Image.new("RGBA", (WIDTH, HEIGHT), (0, 0, 0, 0))
    full.paste(meadow, (0, ground_top + 12))
    full.putalpha(mask.filter(ImageFilter.GaussianBlur(1)))
    canvas.alpha_composite(full)
    blades = Layer(WIDTH, HEIGHT)
    for _ in range(700):
        x = rng.uniform(0, WIDTH)
        if 22 < x < 516:
            y = rng.uniform(FRAME_BOTTOM - 4, HEIGHT + 2)
        else:
            y = rng.uniform(ground_top + 22, HEIGHT + 2)
        h = rng.uniform(3, 7)
        lean = rng.uniform(-2, 2)
        colour = mix((40, 100, 40), (150, 206, 96), rng.random()) + (255,)
        blades.line([(x, y), (x + lean, y - h)], colour, 0.8)
    for _ in range(26):
        x, y = rng.uniform(0, WIDTH), rng.uniform(FRAME_BOTTOM + 2, HEIGHT)
        colour = rng.choice([(250, 236, 120), (250, 250, 250), (236, 150, 200)]) + (255,)
        blades.ellipse((x - 1, y - 1, x + 1, y + 1), colour)
    blades.onto(canvas)


def lilac_glow(canvas):
    glow = Layer(WIDTH, HEIGHT)
    cx = (FRAME_LEFT + FRAME_RIGHT) / 2
    glow.ellipse((cx - 250, FRAME_BOTTOM - 10, cx + 250, FRAME_BOTTOM + 24), (206, 160, 240, 200))
    glow.ellipse((cx - 170, FRAME_BOTTOM - 6, cx + 170, FRAME_BOTTOM + 14), (236, 210, 252, 210))
    glow.onto(canvas, 5)


def frame_bottom_ornament(canvas):
    layer = Layer(WIDTH, HEIGHT)
    cx = (FRAME_LEFT + FRAME_RIGHT) // 2
    top, bottom = BOARD_BOTTOM, FRAME_BOTTOM
    mid = (top + bottom) / 2
    layer.polygon([(cx - 40, mid), (cx, top - 1), (cx + 40, mid), (cx, bottom + 1)],
                  (120, 90, 40, 255))
    layer.polygon([(cx - 36, mid), (cx, top + 1), (cx + 36, mid), (cx, bottom - 1)],
                  (226, 190, 100, 255))
    layer.ellipse((cx - 4, mid - 4, cx + 4, mid + 4), (170, 40, 48, 255))
    for side in (-1, 1):
        for k in range(3):
            x = cx + side * (70 + 60 * k)
            layer.ellipse((x - 2.5, mid - 2.5, x + 2.5, mid + 2.5), (150, 136, 110, 255))
            layer.ellipse((x - 1.5, mid - 1.5, x + 1.5, mid + 1.5), (244, 238, 220, 255))
    layer.onto(canvas)


def archer(layer, x, y):
    """A small archer standing with feet at (x, y), about 36 rows tall."""
    layer.polygon([(x - 5, y), (x - 3, y - 12), (x - 1, y - 12), (x - 1, y)], (90, 60, 40, 255))
    layer.polygon([(x + 1, y), (x + 1, y - 12), (x + 3, y - 12), (x + 5, y)], (90, 60, 40, 255))
    layer.polygon([(x - 8, y - 10), (x - 6, y - 25), (x + 6, y - 25), (x + 8, y - 10)],
                  (58, 124, 62, 255))
    layer.rect((x - 7, y - 15, x + 7, y - 13), (130, 88, 40, 255))
    layer.ellipse((x - 5, y - 34, x + 5, y - 24), (244, 204, 164, 255))
    layer.polygon([(x - 7, y - 28), (x, y - 38), (x + 7, y - 28), (x + 5, y - 31), (x - 5, y - 31)],
                  (40, 96, 48, 255))
    layer.ellipse((x + 1, y - 30, x + 2.5, y - 28.5), (30, 20, 20, 255))
    # The bow and its string, held out to the right.
    layer.draw.arc(hi((x + 6, y - 34, x + 16, y - 8)), -80, 80, fill=(110, 64, 28, 255),
                   width=round(1.6 * SS))
    layer.line([(x + 11, y - 33.5), (x + 11, y - 8.5)], (230, 230, 210, 255), 0.5)
    layer.line([(x + 6, y - 20), (x + 11, y - 21)], (244, 204, 164, 255), 2)


def mage(layer, x, y):
    """A small mage with a pointed hat and a glowing staff, feet at (x, y)."""
    layer.polygon([(x - 9, y), (x - 5, y - 22), (x + 5, y - 22), (x + 9, y)], (98, 52, 140, 255))
    layer.polygon([(x - 9, y), (x - 5, y - 6), (x + 5, y - 6), (x + 9, y)], (70, 34, 104, 255))
    layer.rect((x - 6, y - 14, x + 6, y - 12), (232, 196, 90, 255))
    layer.ellipse((x - 5, y - 31, x + 5, y - 21), (244, 204, 164, 255))
    layer.polygon([(x - 9, y - 27), (x + 9, y - 27), (x + 2, y - 42)], (70, 34, 104, 255))
    layer.rect((x - 9, y - 28, x + 9, y - 26), (98, 52, 140, 255))
    layer.ellipse((x - 3, y - 26, x - 1.5, y - 24.5), (30, 20, 20, 255))
    layer.line([(x - 12, y), (x - 12, y - 30)], (120, 80, 40, 255), 1.6)
    layer.ellipse((x - 15.5, y - 36, x - 8.5, y - 29), (120, 230, 250, 255))
    layer.ellipse((x - 13.5, y - 34, x - 11, y - 31.5), (240, 255, 255, 255))


def figure(canvas, draw_figure, feet, scale):
    """Draws a figure at its own origin, scaled, with its feet at `feet` (window place)."""
    size = 64
    layer = Layer(size, size)
    draw_figure(layer, size / 2, size - 2)
    scaled = layer.image.convert("RGBa").resize((round(size * scale), round(size * scale)),
                                                 Image.BOX).convert("RGBA")
    x = round(feet[0] - size / 2 * scale)
    y = round(feet[1] - (size - 2) * scale)
    paste_clipped(canvas, scaled, x, y)


def figures(canvas):
    shadow = Layer(WIDTH, HEIGHT)
    shadow.ellipse((0, 528, 38, 534), (20, 50, 20, 130))
    shadow.ellipse((496, 482, 530, 489), (20, 50, 20, 130))
    shadow.onto(canvas, 1)
    figure(canvas, archer, (17, 532), 1.3)
    figure(canvas, mage, (515, 486), 1.3)
    glow = Layer(WIDTH, HEIGHT)
    glow.ellipse((492, 433, 508, 449), (150, 240, 255, 110))
    glow.onto(canvas, 3)


def logo(canvas):
    """Our emblem: a wild goose in flight over a hill, in a gold ring."""
    cx, cy, r = 509, LINKS_TOP + 189, 24
    layer = Layer(WIDTH, HEIGHT)
    layer.ellipse((cx - r - 1, cy - r + 1, cx + r + 1, cy + r + 2), (20, 20, 30, 120))
    layer.ellipse((cx - r, cy - r, cx + r, cy + r), (130, 92, 34, 255))
    layer.ellipse((cx - r + 1, cy - r + 1, cx + r - 1, cy + r - 1), (240, 204, 104, 255))
    layer.ellipse((cx - r + 4, cy - r + 4, cx + r - 4, cy + r - 4), (130, 92, 34, 255))
    layer.ellipse((cx - r + 5, cy - r + 5, cx + r - 5, cy + r - 5), (150, 28, 40, 255))
    # Hill
    layer.draw.chord(hi((cx - 15, cy + 3, cx + 15, cy + 30)), 180, 360, fill=(70, 150, 80, 255))
    # Goose flying left: far wing, body, near wing, neck and head.
    white, grey = (252, 246, 230, 255), (214, 200, 190, 255)
    layer.polygon([(cx + 1, cy - 2), (cx + 10, cy - 13), (cx + 13, cy - 11), (cx + 7, cy - 1)], grey)
    layer.ellipse((cx - 5, cy - 4, cx + 9, cy + 2), white)
    layer.polygon([(cx + 7, cy - 3), (cx + 14, cy - 3), (cx + 8, cy + 1)], white)
    layer.polygon([(cx - 3, cy - 2), (cx + 2, cy - 16), (cx + 6, cy - 15), (cx + 4, cy - 2)], white)
    layer.line([(cx - 4, cy - 2), (cx - 11, cy - 6)], white, 2.2)
    layer.ellipse((cx - 14, cy - 8, cx - 10, cy - 4), white)
    layer.polygon([(cx - 13, cy - 7), (cx - 18, cy - 5.5), (cx - 13, cy - 5)], (236, 170, 60, 255))
    layer.onto(canvas)


def draw_window(rng):
    canvas = Image.new("RGBA", (WIDTH, HEIGHT), (0, 0, 0, 255))
    sky(canvas, rng)
    scenery(canvas, rng)
    lilac_glow(canvas)
    open_area = frame_and_board(canvas)
    inside = canvas.copy()
    header_inside(inside, rng)
    canvas.paste(inside, (0, 0), open_area)
    board_glow(canvas)
    corner_ornaments(canvas)
    frame_bottom_ornament(canvas)
    title_plaque(canvas)
    tab(canvas, "专区", (6, 22, 38, 44))
    tab(canvas, "收藏", (501, 22, 533, 44))
    selection_rows(canvas)
    figures(canvas)
    logo(canvas)
    with_result = canvas.copy()
    result_overlay(with_result)
    return canvas, with_result


def query_button():
    width, height = 127, 65
    picture = Image.new("RGBA", (width, height), BOARD + (255,))
    shadow = Layer(width, height)
    shadow.rect((4, 6, 124, 63), (6, 20, 16, 150), 12)
    shadow.onto(picture, 1.5)
    frame = Layer(width, height)
    stone_frame(frame, (3, 3, 122, 60), 5, 12)
    frame.onto(picture)
    inside = vertical_gradient((112, 50), (70, 56, 46), (28, 22, 20))
    mask = Layer(width, height)
    mask.rect((8, 8, 117, 55), (255, 255, 255, 255), 8)
    full = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    full.paste(inside, (8, 7))
    full.putalpha(mask.small().getchannel("A"))
    picture.alpha_composite(full)
    trim = Layer(width, height)
    trim.draw.rounded_rectangle(hi((11, 11, 114, 52)), 6 * SS, outline=(176, 138, 62, 255),
                                width=SS)
    trim.onto(picture)
    word = text_image("查询", HEI, 96, YELLOW_TOP, YELLOW_BOTTOM, OUTLINE, 7, spacing=0.2, bold=3)
    place_text(picture, word, (38, 18, 89, 35))
    return picture.convert("RGB")


# ---------------------------------------------------------------------------------------------
# The icon


def icon_image():
    size = 16
    big = 256
    scale = big / size
    layer = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)

    def stroke(points, widths, colour):
        # A brush stroke: a chain of discs whose radius follows the brush pressure.
        for i in range(len(points) - 1):
            (x0, y0), (x1, y1) = points[i], points[i + 1]
            steps = 24
            for s in range(steps + 1):
                t = s / steps
                x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
                r = (widths[i] + (widths[i + 1] - widths[i]) * t) * scale / 2
                draw.ellipse((x * scale - r, y * scale - r, x * scale + r, y * scale + r),
                             fill=colour)

    def curve(p0, p1, p2, n=12):
        return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                 (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
                for t in (i / n for i in range(n + 1))]

    black = (12, 10, 12, 255)
    # Main sweep from upper left, down and out to the right, thick in the middle.
    sweep = curve((2.5, 3.5), (5.5, 13.5), (13.8, 12.2))
    widths = [1.6 + 2.6 * math.sin(math.pi * i / (len(sweep) - 1)) ** 0.8 for i in range(len(sweep))]
    widths[-1] = 0.8
    # Red under-stroke offset a little, showing at the lower edge of the sweep.
    stroke([(x + 0.7, y + 0.7) for x, y in sweep], widths, (214, 30, 48, 255))
    stroke(sweep, widths, black)
    # A short dot-stroke at the upper right.
    stroke(curve((9.5, 2.2), (12.5, 3.5), (12.8, 7.0), 8), [2.6, 3.0, 3.2, 3.2, 3.0, 2.8, 2.4,
                                                           1.8, 1.0], black)
    # Pink highlights where the brush lifts, along the outer edge of the strokes.
    def edge(points, widths, first, last, side):
        result = []
        for i in range(first, last + 1):
            (xa, ya), (xb, yb) = points[max(0, i - 1)], points[min(len(points) - 1, i + 1)]
            length = math.hypot(xb - xa, yb - ya)
            nx, ny = (yb - ya) / length, -(xb - xa) / length
            result.append((points[i][0] + side * nx * widths[i] * 0.3,
                           points[i][1] + side * ny * widths[i] * 0.3))
        return result

    stroke(edge(sweep, widths, 3, 8, 1), [0.55] * 6, (248, 156, 200, 255))
    dot = curve((9.5, 2.2), (12.5, 3.5), (12.8, 7.0), 8)
    stroke(edge(dot, [3.0] * 9, 1, 4, 1), [0.5] * 4, (250, 176, 210, 255))
    # A small red seal at the lower left, as on a signed brush work.
    draw.rectangle((1.2 * scale, 11.6 * scale, 4.2 * scale, 14.6 * scale), fill=(206, 28, 44, 255))
    draw.rectangle((2.0 * scale, 12.4 * scale, 3.4 * scale, 13.8 * scale), fill=(250, 150, 170, 255))
    small = layer.convert("RGBa").resize((size, size), Image.BOX).convert("RGBA")
    return small


def write_icon(image, path):
    size = image.width
    rows = []
    mask_rows = []
    for y in reversed(range(size)):
        row = bytearray()
        bits = 0
        for x in range(size):
            r, g, b, a = image.getpixel((x, y))
            row += bytes((b, g, r, a))
            if a == 0:
                bits |= 1 << (31 - x)
        rows.append(bytes(row))
        mask_rows.append(struct.pack(">I", bits))
    pixels = b"".join(rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    data = header + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), 6 + 16)
    path.write_bytes(directory + entry + data)


# ---------------------------------------------------------------------------------------------


def save_jpeg(image, path):
    image.convert("RGB").save(path, "JPEG", quality=100, subsampling=0, progressive=False,
                              optimize=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=Path, help="also write the stacked panels to this PNG")
    args = parser.parse_args()

    rng = random.Random(1088)
    canvas, with_result = draw_window(rng)
    PICTURE_DIR.mkdir(parents=True, exist_ok=True)
    for name, (top, height) in PANELS.items():
        source = with_result if name == "result_panel" else canvas
        save_jpeg(source.crop((0, top, WIDTH, top + height)), PICTURE_DIR / f"{name}.jpg")
    save_jpeg(query_button(), PICTURE_DIR / "query_button.jpg")
    write_icon(icon_image(), ICON_FILE)

    if args.preview:
        # The panels as the window stacks them: the result panel over the links panel, each box
        # one column left of the client area.
        window = Image.new("RGB", (WIDTH + 1, HEIGHT), (212, 208, 200))
        for name in ("links_panel", "header", "selection_panel", "result_panel"):
            top = PANELS[name][0]
            window.paste(Image.open(PICTURE_DIR / f"{name}.jpg"), (-1, top))
        window.paste(Image.open(PICTURE_DIR / "query_button.jpg"), (336, SELECTION_TOP + 96))
        window.save(args.preview)


if __name__ == "__main__":
    main()
