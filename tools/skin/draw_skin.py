#!/usr/bin/python3
"""Draws the editors' artwork into skin/ at the repository root.

Both panels, the knob film strips, the toggle switch, the info tabs and the about picture are drawn here with Cairo,
so the committed PNGs can be redrawn at any time and a build needs no drawing tools. Needs python3-cairo and the
DejaVu fonts (fonts-dejavu-core, fonts-dejavu-extra). The output is the same, byte for byte, on every run.

    /usr/bin/python3 tools/skin/draw_skin.py [--out DIR] [--preview DIR]

--preview also writes both panels with every control composed on top, for looking at the layout.
"""

import argparse
import math
import os
import random
import struct
import sys
import zlib

import cairo

FRAMES = 129

# The knob area is the strip's width by its frame height. The caption label sits over the frame's top rows and the
# value label starts two rows below it, so the knob is drawn low in its frame.
KNOB_W, KNOB_H = 36, 48
KNOB_CX, KNOB_CY = 18.0, 28.0
SWEEP = math.radians(135.0)

SWITCH_W, SWITCH_H = 24, 38
INFO_W, INFO_H = 40, 17
SPLASH_W, SPLASH_H = 360, 220
VERSION = "1.0.3"

FONT = "DejaVu Sans"
FONT_NARROW = "DejaVu Sans Condensed"


def rgb(r, g, b, a=1.0):
    return (r / 255.0, g / 255.0, b / 255.0, a)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def with_alpha(c, a):
    return (c[0], c[1], c[2], a)


LABEL_TEXT = rgb(205, 200, 177)  # the colour the editor writes its captions and values in
LEGEND = rgb(168, 160, 132)
AMBER = rgb(239, 149, 41)
TEAL = rgb(70, 196, 188)
PANEL_TOP = rgb(66, 76, 79)
PANEL_BOTTOM = rgb(46, 54, 57)
WELL_TOP = rgb(33, 39, 41)
WELL_BOTTOM = rgb(26, 31, 33)


# ---------------------------------------------------------------------------------------------------------------
# The editors' layouts: where the controls sit, so that the boxes, the meter's well and the preview match them.

PRO_KNOBS = [  # (left, top, strip, caption left, caption, value left, id)
    (400, 310, "knob.png", 400, "Master", 396, 0),
    (330, 310, "knob.png", 340, "Mix", 340, 5),
    (100, 65, "knob2.png", 90, "Threshold", 95, 1),
    (175, 65, "knob2.png", 180, "Ratio", 170, 2),
    (250, 65, "knob2.png", 250, "Attack", 240, 3),
    (325, 65, "knob2.png", 320, "Release", 315, 4),
    (400, 65, "knob2.png", 405, "Knee", 400, 13),
    (100, 190, "knob3.png", 95, "Low Gain", 95, 6),
    (175, 190, "knob3.png", 175, "Mid Gain", 170, 7),
    (250, 190, "knob3.png", 245, "High Gain", 245, 8),
    (325, 190, "knob1.png", 320, "Mid/Side", 330, 15),
]
PRO_SWITCHES = [  # (left, top, caption left/top, caption, value left/top)
    (400, 200, (395, 180), "Monitor", (395, 240)),
    (282, 318, (275, 300), "Makeup", (285, 360)),
    (217, 318, (215, 300), "Valve", (210, 360)),
    (92, 318, (80, 300), "SC Input", (85, 360)),
    (152, 318, (140, 300), "SideChain", (145, 360)),
]
PRO_METER = (456, 300, 20, 75, 15)
LITE_KNOBS = [
    (405, 65, "knob.png", 405, "Master", 398, 0),
    (30, 65, "knob2.png", 25, "Threshold", 30, 1),
    (105, 65, "knob2.png", 115, "Ratio", 105, 2),
    (180, 65, "knob3.png", 185, "Attack", 175, 3),
    (255, 65, "knob3.png", 255, "Release", 250, 4),
    (330, 65, "knob.png", 330, "Dry/Wet", 333, 5),
]
LITE_METER = (460, 55, 10, 75, 15)
INFO_AT = (350, 0)

# Section boxes (left, top, right, bottom) with their legends; label texts inside must stay on plain dark ground.
PRO_SECTIONS = [
    ((12, 52, 488, 140), "COMPRESSOR"),
    ((12, 174, 307, 264), "DETECTOR EQ"),
    ((312, 174, 488, 264), "DETECTOR"),
    ((12, 294, 198, 388), "SIDE-CHAIN"),
    ((203, 294, 488, 388), "OUTPUT"),
]
LITE_SECTIONS = [
    ((10, 52, 320, 142), "COMPRESSOR"),
    ((325, 52, 490, 142), "OUTPUT"),
]


# ---------------------------------------------------------------------------------------------------------------
# Drawing helpers

def set_font(cr, size, bold=False, family=FONT):
    cr.select_font_face(family, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    cr.set_font_size(size)
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_NONE)
    options.set_hint_metrics(cairo.HINT_METRICS_OFF)
    cr.set_font_options(options)


def text_width(cr, text, spacing=0.0):
    return sum(cr.text_extents(ch).x_advance for ch in text) + spacing * (len(text) - 1)


def text_path(cr, x, baseline, text, spacing=0.0):
    for ch in text:
        cr.move_to(x, baseline)
        cr.text_path(ch)
        x += cr.text_extents(ch).x_advance + spacing
    return x


def fill_text(cr, x, baseline, text, colour, spacing=0.0, align=0.0):
    """Letter-spaced text; align 0 puts x at the left, 0.5 at the centre, 1 at the right."""
    x -= text_width(cr, text, spacing) * align
    cr.new_path()
    end = text_path(cr, x, baseline, text, spacing)
    cr.set_source_rgba(*colour)
    cr.fill()
    return x, end


def engraved_text(cr, x, baseline, text, colour, spacing=0.0, align=0.0):
    """Text pressed into the panel: a dark shadow above and a faint light edge below."""
    fill_text(cr, x, baseline - 0.8, text, rgb(0, 0, 0, 0.55), spacing, align)
    fill_text(cr, x, baseline + 0.7, text, rgb(255, 255, 255, 0.07), spacing, align)
    return fill_text(cr, x, baseline, text, colour, spacing, align)


def rounded_rect(cr, x, y, w, h, r):
    cr.new_sub_path()
    cr.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    cr.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    cr.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    cr.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    cr.close_path()


def linear(x0, y0, x1, y1, *stops):
    pattern = cairo.LinearGradient(x0, y0, x1, y1)
    for offset, colour in stops:
        pattern.add_color_stop_rgba(offset, *colour)
    return pattern


def radial(cx0, cy0, r0, cx1, cy1, r1, *stops):
    pattern = cairo.RadialGradient(cx0, cy0, r0, cx1, cy1, r1)
    for offset, colour in stops:
        pattern.add_color_stop_rgba(offset, *colour)
    return pattern


def conic(cx, cy, r, colour_at, patches=48):
    """A conic gradient (colour by angle) as a mesh of wedges, the colour constant along each ray."""
    mesh = cairo.MeshPattern()
    step = 2 * math.pi / patches
    handle = 4.0 / 3.0 * math.tan(step / 4) * r
    for k in range(patches):
        a0, a1 = k * step, (k + 1) * step
        x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
        x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
        c0, c1 = colour_at(a0), colour_at(a1)
        mesh.begin_patch()
        mesh.move_to(cx, cy)
        mesh.line_to(x0, y0)
        mesh.curve_to(x0 - handle * math.sin(a0), y0 + handle * math.cos(a0),
                      x1 + handle * math.sin(a1), y1 - handle * math.cos(a1), x1, y1)
        mesh.line_to(cx, cy)
        mesh.set_corner_color_rgb(0, *c0[:3])
        mesh.set_corner_color_rgb(1, *c0[:3])
        mesh.set_corner_color_rgb(2, *c1[:3])
        mesh.set_corner_color_rgb(3, *c1[:3])
        mesh.end_patch()
    return mesh


def screw(cr, cx, cy, r, slot_angle):
    cr.arc(cx + 0.4, cy + 0.9, r + 0.8, 0, 2 * math.pi)
    cr.set_source_rgba(0, 0, 0, 0.45)
    cr.fill()
    cr.arc(cx, cy, r, 0, 2 * math.pi)
    cr.set_source(radial(cx - r * 0.4, cy - r * 0.5, 0.2, cx, cy, r,
                         (0, rgb(196, 200, 202)), (0.6, rgb(128, 134, 137)), (1, rgb(74, 80, 83))))
    cr.fill()
    cr.save()
    cr.translate(cx, cy)
    cr.rotate(slot_angle)
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    for angle in (0, math.pi / 2):
        cr.save()
        cr.rotate(angle)
        cr.move_to(-r * 0.6, 0)
        cr.line_to(r * 0.6, 0)
        cr.restore()
    cr.set_line_width(r * 0.32)
    cr.set_source_rgba(0.12, 0.13, 0.14, 0.9)
    cr.stroke()
    cr.restore()


# ---------------------------------------------------------------------------------------------------------------
# Panels

def brushed_panel(cr, w, h, seed):
    cr.rectangle(0, 0, w, h)
    cr.set_source(linear(0, 0, 0, h, (0, PANEL_TOP), (1, PANEL_BOTTOM)))
    cr.fill()
    # Horizontal brushing: short streaks of lighter and darker grey.
    rng = random.Random(seed)
    cr.set_line_width(1.0)
    for y in range(h):
        for _ in range(5):
            x0 = rng.uniform(-40, w)
            length = rng.uniform(30, 220)
            shade = rng.choice((1.0, 0.0))
            cr.set_source_rgba(shade, shade, shade, rng.uniform(0.015, 0.07))
            cr.move_to(x0, y + 0.5)
            cr.line_to(x0 + length, y + 0.5)
            cr.stroke()
    # Vignette keeps the eye on the controls.
    cr.rectangle(0, 0, w, h)
    cr.set_source(radial(w / 2, h / 2, min(w, h) * 0.2, w / 2, h / 2, max(w, h) * 0.75,
                         (0, rgb(0, 0, 0, 0)), (1, rgb(0, 0, 0, 0.38))))
    cr.fill()


def header_band(cr, w, height):
    cr.rectangle(0, 0, w, height)
    cr.set_source(linear(0, 0, 0, height, (0, rgb(31, 36, 38)), (1, rgb(21, 25, 27))))
    cr.fill()
    cr.rectangle(0, height, w, 1)
    cr.set_source_rgba(0, 0, 0, 0.6)
    cr.fill()
    cr.rectangle(0, height + 1, w, 1)
    cr.set_source_rgba(1, 1, 1, 0.08)
    cr.fill()


def recessed_box(cr, box):
    left, top, right, bottom = box
    w, h = right - left, bottom - top
    # Light lower edge and dark upper edge make the box read as sunk into the panel.
    rounded_rect(cr, left - 0.5, top - 0.5, w + 1, h + 1.5, 6)
    cr.set_source(linear(0, top, 0, bottom, (0, rgb(0, 0, 0, 0.45)), (1, rgb(255, 255, 255, 0.10))))
    cr.fill()
    rounded_rect(cr, left, top, w, h, 5.5)
    cr.set_source(linear(0, top, 0, bottom, (0, WELL_TOP), (1, WELL_BOTTOM)))
    cr.fill()
    cr.save()
    rounded_rect(cr, left, top, w, h, 5.5)
    cr.clip()
    cr.rectangle(left, top, w, 6)
    cr.set_source(linear(0, top, 0, top + 6, (0, rgb(0, 0, 0, 0.35)), (1, rgb(0, 0, 0, 0))))
    cr.fill()
    cr.restore()


def legend(cr, box, title, accent):
    left, top, right, _ = box
    set_font(cr, 8.0, True, FONT_NARROW)
    baseline = top - 4.5
    cr.arc(left + 5.5, baseline - 3, 1.6, 0, 2 * math.pi)
    cr.set_source_rgba(*accent)
    cr.fill()
    _, end = engraved_text(cr, left + 11, baseline, title, LEGEND, 1.3)
    # A hairline runs on to the box's right end.
    cr.rectangle(end + 5, baseline - 3.5, right - end - 5, 1)
    cr.set_source_rgba(0, 0, 0, 0.35)
    cr.fill()
    cr.rectangle(end + 5, baseline - 2.5, right - end - 5, 1)
    cr.set_source_rgba(1, 1, 1, 0.07)
    cr.fill()


def meter_well(cr, meter):
    left, top, w, h, steps = meter
    rounded_rect(cr, left - 3.5, top - 3.5, w + 7, h + 7, 3)
    cr.set_source(linear(0, top - 3, 0, top + h + 3, (0, rgb(0, 0, 0, 0.55)), (1, rgb(255, 255, 255, 0.10))))
    cr.fill()
    rounded_rect(cr, left - 2.5, top - 2.5, w + 5, h + 5, 2.5)
    cr.set_source_rgba(*rgb(12, 14, 15))
    cr.fill()
    # Unlit segments where the meter draws its lit ones (its own segment rule), so the scale is always visible.
    vertical = h > w
    if vertical:
        seg_w, seg_h = w - 4, (h - 2 * steps - 6) // steps
    else:
        seg_w, seg_h = (w - 2 * steps - 6) // steps, h - 4
    x, y = left + 2, top + 2
    if vertical:
        y = top + h - seg_h - 2
    for i in range(steps):
        t = i / (steps - 1)
        colour = mix(rgb(102, 200, 85), rgb(243, 32, 32), t)
        cr.rectangle(x, y, seg_w, seg_h)
        cr.set_source_rgba(*with_alpha(mix(colour, rgb(12, 14, 15), 0.8), 1.0))
        cr.fill()
        if vertical:
            y -= seg_h + 2
        else:
            x += seg_w + 2


def logo_mark(cr, cx, cy, r, accent):
    cr.arc(cx, cy + 1, r + 1, 0, 2 * math.pi)
    cr.set_source_rgba(0, 0, 0, 0.5)
    cr.fill()
    cr.arc(cx, cy, r, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - r, 0, cy + r, (0, mix(accent, rgb(255, 255, 255), 0.35)),
                         (0.55, accent), (1, mix(accent, rgb(0, 0, 0), 0.35))))
    cr.fill()
    cr.arc(cx, cy, r * 0.82, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - r, 0, cy + r, (0, rgb(40, 45, 48)), (1, rgb(18, 20, 22))))
    cr.fill()
    # A "V" cut by a lightning stroke.
    s = r / 10.0
    cr.save()
    cr.translate(cx, cy)
    cr.scale(s, s)
    cr.move_to(-6.2, -5.6)
    cr.line_to(-2.6, -5.6)
    cr.line_to(0.2, 2.2)
    cr.line_to(1.6, -1.2)
    cr.line_to(-0.4, -1.2)
    cr.line_to(2.8, -5.6)
    cr.line_to(6.2, -5.6)
    cr.line_to(1.2, 6.2)
    cr.line_to(-1.2, 6.2)
    cr.close_path()
    cr.restore()
    cr.set_source(linear(0, cy - r * 0.6, 0, cy + r * 0.6, (0, mix(accent, rgb(255, 255, 255), 0.45)), (1, accent)))
    cr.fill()


def wordmark(cr, x, baseline, size, edition, accent):
    set_font(cr, size, True)
    cr.new_path()
    end = text_path(cr, x, baseline + 1.2, "Voltura", -0.4)
    cr.set_source_rgba(0, 0, 0, 0.6)
    cr.fill()
    cr.new_path()
    end = text_path(cr, x, baseline, "Voltura", -0.4)
    cr.set_source(linear(0, baseline - size * 0.75, 0, baseline,
                         (0, rgb(244, 244, 240)), (0.5, rgb(206, 208, 206)), (1, rgb(150, 154, 154))))
    cr.fill()
    if edition:
        set_font(cr, size, False)
        cr.new_path()
        text_path(cr, end + 1, baseline + 1.2, edition, -0.3)
        cr.set_source_rgba(0, 0, 0, 0.6)
        cr.fill()
        fill_text(cr, end + 1, baseline, edition, accent, -0.3)


def header(cr, w, edition, accent):
    header_band(cr, w, 40)
    logo_mark(cr, 28, 20, 13, accent)
    wordmark(cr, 48, 28, 22, edition, accent)
    # What it is, beside the name; the company sits at the right, clear of the info tab above it.
    set_font(cr, 6.5, True, FONT_NARROW)
    x = 196 if edition == "Pro" else 200
    cr.rectangle(x - 10, 11, 1, 19)
    cr.set_source_rgba(1, 1, 1, 0.12)
    cr.fill()
    engraved_text(cr, x, 19, "STEREO RMS", LEGEND, 1.4)
    engraved_text(cr, x, 28, "COMPRESSOR", LEGEND, 1.4)
    set_font(cr, 7.5, True, FONT_NARROW)
    engraved_text(cr, 488, 31, "SELVAN QUARROW AUDIO", LABEL_TEXT, 1.4, 1.0)


def emblem_plate(cr, cx, cy, r, accent):
    """A round badge set into the section: a bevelled rim with a thin accent ring round a dark face."""
    cr.arc(cx, cy + 1, r + 1, 0, 2 * math.pi)
    cr.set_source_rgba(0, 0, 0, 0.5)
    cr.fill()
    cr.arc(cx, cy, r, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - r, 0, cy + r, (0, rgb(92, 100, 104)), (0.5, rgb(58, 64, 67)), (1, rgb(34, 38, 40))))
    cr.fill()
    cr.arc(cx, cy, r - 2.2, 0, 2 * math.pi)
    cr.set_line_width(0.9)
    cr.set_source_rgba(*with_alpha(accent, 0.55))
    cr.stroke()
    cr.arc(cx, cy, r - 3, 0, 2 * math.pi)
    cr.set_source(radial(cx - r * 0.3, cy - r * 0.4, 0.5, cx, cy, r - 3,
                         (0, rgb(44, 50, 53)), (1, rgb(22, 26, 28))))
    cr.fill()


def emblem_glyph(cr, cx, cy, scale, path, accent):
    """The section's mark, embossed: a dark shadow below, then the face in the legend's colour warmed by the accent."""
    for dy, colour in ((1.0, rgb(0, 0, 0, 0.6)), (0.0, mix(LEGEND, accent, 0.3))):
        cr.save()
        cr.translate(cx, cy + dy)
        cr.scale(scale, scale)
        cr.new_path()
        path(cr)
        cr.restore()
        cr.set_source_rgba(*colour)
        cr.fill()


def compressor_glyph(cr):
    """Two arrowheads pressing on a bar: the usual mark for squeezing a range."""
    for sign in (-1, 1):
        cr.move_to(-5.5, sign * 9.5)
        cr.line_to(5.5, sign * 9.5)
        cr.line_to(5.5, sign * 7.5)
        cr.line_to(2.2, sign * 7.5)
        cr.line_to(2.2, sign * 5.0)
        cr.line_to(5.0, sign * 5.0)
        cr.line_to(0.0, sign * 2.0)
        cr.line_to(-5.0, sign * 5.0)
        cr.line_to(-2.2, sign * 5.0)
        cr.line_to(-2.2, sign * 7.5)
        cr.line_to(-5.5, sign * 7.5)
        cr.close_path()
    cr.rectangle(-8.5, -0.9, 17, 1.8)


def filter_glyph(cr):
    """A funnel, the mark for a filter: the detector hears the signal through its equaliser."""
    cr.move_to(-9.0, -8.0)
    cr.line_to(9.0, -8.0)
    cr.line_to(2.0, 0.5)
    cr.line_to(2.0, 7.0)
    cr.line_to(-2.0, 9.5)
    cr.line_to(-2.0, 0.5)
    cr.close_path()


def key_glyph(cr):
    """A key, for the key input that drives the detector."""
    cr.arc(-4.5, 0, 5.2, 0, 2 * math.pi)
    cr.close_path()
    cr.new_sub_path()
    cr.arc_negative(-4.5, 0, 2.3, 0, -2 * math.pi)
    cr.close_path()
    cr.move_to(0.2, -1.4)
    cr.line_to(10.0, -1.4)
    cr.line_to(10.0, 4.0)
    cr.line_to(7.8, 4.0)
    cr.line_to(7.8, 1.4)
    cr.line_to(6.2, 1.4)
    cr.line_to(6.2, 3.2)
    cr.line_to(4.2, 3.2)
    cr.line_to(4.2, 1.4)
    cr.line_to(0.2, 1.4)
    cr.close_path()


def section_emblem(cr, cx, cy, path, accent):
    emblem_plate(cr, cx, cy, 19, accent)
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    emblem_glyph(cr, cx, cy, 1.0, path, accent)
    cr.set_fill_rule(cairo.FILL_RULE_WINDING)


def draw_pro_background(cr):
    w, h = 500, 400
    brushed_panel(cr, w, h, 0x5017)
    header(cr, w, "Pro", AMBER)
    for box, title in PRO_SECTIONS:
        recessed_box(cr, box)
        legend(cr, box, title, TEAL if "DETECTOR" in title else AMBER)
    # Marks of the sections, not displays: nothing on the panel could drive a curve or a waveform.
    section_emblem(cr, 50, 97, compressor_glyph, AMBER)
    section_emblem(cr, 50, 219, filter_glyph, TEAL)
    section_emblem(cr, 47, 342, key_glyph, AMBER)
    meter_well(cr, PRO_METER)
    set_font(cr, 6.5, True, FONT_NARROW)
    engraved_text(cr, PRO_METER[0] + PRO_METER[2] / 2, 386, "PEAK", LEGEND, 0.8, 0.5)


def draw_lite_background(cr):
    w, h = 500, 158
    brushed_panel(cr, w, h, 0x117E)
    header(cr, w, "Lite", TEAL)
    for box, title in LITE_SECTIONS:
        recessed_box(cr, box)
        legend(cr, box, title, TEAL if title == "COMPRESSOR" else AMBER)
    meter_well(cr, LITE_METER)
    for x, angle in ((6, 0.4), (494, 1.1)):
        screw(cr, x, 150, 3.0, angle)


# ---------------------------------------------------------------------------------------------------------------
# Knobs

class KnobStyle:
    def __init__(self, cap, arc, bipolar=False, radius=12.0, pointer=rgb(238, 234, 220), seed=1):
        self.cap = cap              # "metal", "ceramic" or "knurled"
        self.arc = arc
        self.bipolar = bipolar
        self.radius = radius
        self.pointer = pointer
        rng = random.Random(seed)
        # Concentric brushing of the metal cap: fixed per knob, so every frame shares it.
        self.rings = [(rng.uniform(0, 1) < 0.5, rng.uniform(0.02, 0.09)) for _ in range(64)]


KNOB_STYLES = {
    "knob.png": KnobStyle("knurled", AMBER, radius=13.2, pointer=AMBER, seed=11),
    "knob1.png": KnobStyle("ceramic", TEAL, bipolar=True, radius=12.6, seed=12),
    "knob2.png": KnobStyle("metal", AMBER, radius=12.8, pointer=rgb(34, 36, 38), seed=13),
    "knob3.png": KnobStyle("ceramic", TEAL, radius=12.6, seed=14),
}


def knob_arc(cr, cx, cy, r, a0, a1):
    """An arc between two knob angles (0 = up, clockwise positive)."""
    cr.new_path()
    cr.arc(cx, cy, r, min(a0, a1) - math.pi / 2, max(a0, a1) - math.pi / 2)


def draw_knob(cr, style, value):
    cx, cy, rc = KNOB_CX, KNOB_CY, style.radius
    angle = -SWEEP + 2 * SWEEP * value
    track = 15.6
    cr.set_line_cap(cairo.LINE_CAP_ROUND)

    # The value track: a dark groove, then the lit part from the start (or from the centre for bipolar knobs).
    knob_arc(cr, cx, cy, track, -SWEEP, SWEEP)
    cr.set_line_width(3.2)
    cr.set_source_rgba(*rgb(8, 10, 11))
    cr.stroke()
    knob_arc(cr, cx, cy, track + 0.4, -SWEEP, SWEEP)
    cr.set_line_width(1.0)
    cr.set_source_rgba(1, 1, 1, 0.05)
    cr.stroke()
    start = 0.0 if style.bipolar else -SWEEP
    if abs(angle - start) > 1e-6:
        knob_arc(cr, cx, cy, track, start, angle)
        cr.set_line_width(4.6)
        cr.set_source_rgba(*with_alpha(style.arc, 0.22))
        cr.stroke()
        knob_arc(cr, cx, cy, track, start, angle)
        cr.set_line_width(2.2)
        cr.set_source_rgba(*style.arc)
        cr.stroke()
        knob_arc(cr, cx, cy, track, start, angle)
        cr.set_line_width(0.7)
        cr.set_source_rgba(*mix(style.arc, rgb(255, 255, 255), 0.55))
        cr.stroke()
    if style.bipolar:
        cr.move_to(cx, cy - track - 2.2)
        cr.line_to(cx, cy - track + 2.2)
        cr.set_line_width(1.0)
        cr.set_source_rgba(*with_alpha(LABEL_TEXT, 0.7))
        cr.stroke()

    # Drop shadow, soft and a little below the cap.
    cr.arc(cx, cy + 1.8, rc + 2.6, 0, 2 * math.pi)
    cr.set_source(radial(cx, cy + 1.8, rc - 2, cx, cy + 1.8, rc + 2.6,
                         (0, rgb(0, 0, 0, 0.65)), (1, rgb(0, 0, 0, 0))))
    cr.fill()

    if style.cap == "metal":
        draw_metal_cap(cr, style, cx, cy, rc, angle)
    elif style.cap == "knurled":
        draw_knurled_cap(cr, style, cx, cy, rc, angle)
    else:
        draw_ceramic_cap(cr, style, cx, cy, rc, angle)


def pointer_line(cr, cx, cy, angle, r0, r1, width, colour, glow=None):
    dx, dy = math.sin(angle), -math.cos(angle)
    if glow:
        cr.move_to(cx + dx * r0, cy + dy * r0)
        cr.line_to(cx + dx * r1, cy + dy * r1)
        cr.set_line_width(width + 2.4)
        cr.set_source_rgba(*with_alpha(glow, 0.25))
        cr.stroke()
    cr.move_to(cx + dx * r0, cy + dy * r0)
    cr.line_to(cx + dx * r1, cy + dy * r1)
    cr.set_line_width(width)
    cr.set_source_rgba(*colour)
    cr.stroke()


def bevel_ring(cr, cx, cy, r, light, dark, width=1.0):
    cr.arc(cx, cy, r - width / 2, 0, 2 * math.pi)
    cr.set_line_width(width)
    cr.set_source(linear(0, cy - r, 0, cy + r, (0, light), (1, dark)))
    cr.stroke()


def draw_metal_cap(cr, style, cx, cy, rc, angle):
    # Skirt: darker anodised rim.
    cr.arc(cx, cy, rc, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - rc, 0, cy + rc, (0, rgb(150, 154, 156)), (1, rgb(52, 55, 58))))
    cr.fill()
    face = rc - 1.6

    # Brushed aluminium: the light catches it at two opposite angles; the lighting stays put while the cap turns.
    def shade(a):
        g = 0.70 + 0.17 * math.cos(2 * (a + 0.9)) + 0.05 * math.cos(6 * a + 0.3)
        return (g * 0.98, g, g * 1.01)
    cr.arc(cx, cy, face, 0, 2 * math.pi)
    cr.set_source(conic(cx, cy, face + 0.5, shade))
    cr.fill()
    cr.set_line_width(0.45)
    for i, (light, alpha) in enumerate(style.rings):
        r = 0.8 + i * (face - 1.0) / len(style.rings)
        cr.arc(cx, cy, r, 0, 2 * math.pi)
        cr.set_source_rgba(1 if light else 0, 1 if light else 0, 1 if light else 0, alpha)
        cr.stroke()
    bevel_ring(cr, cx, cy, face, rgb(255, 255, 255, 0.75), rgb(0, 0, 0, 0.35), 0.9)
    bevel_ring(cr, cx, cy, rc, rgb(255, 255, 255, 0.25), rgb(0, 0, 0, 0.6), 0.8)
    # An engraved groove: dark line with a light edge beside it.
    pointer_line(cr, cx + 0.5 * math.cos(angle), cy + 0.5 * math.sin(angle), angle, 3.6, face - 1.2, 1.0,
                 rgb(255, 255, 255, 0.55))
    pointer_line(cr, cx, cy, angle, 3.6, face - 1.2, 1.8, style.pointer)


def draw_ceramic_cap(cr, style, cx, cy, rc, angle):
    cr.arc(cx, cy, rc, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - rc, 0, cy + rc, (0, rgb(92, 98, 101)), (1, rgb(14, 16, 17))))
    cr.fill()
    face = rc - 1.8
    cr.arc(cx, cy, face, 0, 2 * math.pi)
    cr.set_source(radial(cx - 3.5, cy - 5, 0.5, cx, cy, face + 1,
                         (0, rgb(86, 92, 95)), (0.45, rgb(44, 48, 50)), (1, rgb(24, 26, 28))))
    cr.fill()
    # A soft sheen on the upper half.
    cr.save()
    cr.translate(cx, cy - face * 0.38)
    cr.scale(face * 0.72, face * 0.42)
    cr.arc(0, 0, 1, 0, 2 * math.pi)
    cr.restore()
    cr.set_source(linear(0, cy - face, 0, cy, (0, rgb(255, 255, 255, 0.16)), (1, rgb(255, 255, 255, 0))))
    cr.fill()
    bevel_ring(cr, cx, cy, face + 0.3, rgb(255, 255, 255, 0.22), rgb(0, 0, 0, 0.5), 0.8)
    bevel_ring(cr, cx, cy, rc, rgb(255, 255, 255, 0.18), rgb(0, 0, 0, 0.7), 0.8)
    pointer_line(cr, cx, cy, angle, 4.2, face - 1.0, 2.0, style.pointer)


def draw_knurled_cap(cr, style, cx, cy, rc, angle):
    # Knurled skirt: ridges turn with the cap.
    cr.arc(cx, cy, rc, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - rc, 0, cy + rc, (0, rgb(84, 88, 91)), (1, rgb(16, 18, 19))))
    cr.fill()
    ridges = 30
    cr.set_line_width(0.9)
    for k in range(ridges):
        a = angle + k * 2 * math.pi / ridges
        dx, dy = math.sin(a), -math.cos(a)
        light = 0.5 + 0.5 * -dy   # ridges facing up catch the light
        cr.move_to(cx + dx * (rc - 2.4), cy + dy * (rc - 2.4))
        cr.line_to(cx + dx * (rc - 0.4), cy + dy * (rc - 0.4))
        cr.set_source_rgba(1, 1, 1, 0.06 + 0.22 * light)
        cr.stroke()
    face = rc - 2.6
    cr.arc(cx, cy, face, 0, 2 * math.pi)
    cr.set_source(linear(0, cy - face, 0, cy + face, (0, rgb(12, 13, 14)), (1, rgb(70, 74, 77))))
    cr.fill()
    cr.arc(cx, cy, face - 1.0, 0, 2 * math.pi)
    cr.set_source(radial(cx - 2.5, cy - 4, 0.5, cx, cy, face,
                         (0, rgb(70, 75, 78)), (0.55, rgb(36, 39, 41)), (1, rgb(22, 24, 25))))
    cr.fill()
    bevel_ring(cr, cx, cy, rc, rgb(255, 255, 255, 0.2), rgb(0, 0, 0, 0.75), 0.8)
    pointer_line(cr, cx, cy, angle, 3.8, face - 0.6, 2.0, style.pointer, glow=style.pointer)


def knob_strip(style):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, KNOB_W, KNOB_H * FRAMES)
    cr = cairo.Context(surface)
    for frame in range(FRAMES):
        cr.save()
        cr.rectangle(0, frame * KNOB_H, KNOB_W, KNOB_H)
        cr.clip()
        cr.translate(0, frame * KNOB_H)
        draw_knob(cr, style, frame / (FRAMES - 1))
        cr.restore()
    return surface


# ---------------------------------------------------------------------------------------------------------------
# Toggle switch, info tab, about picture

def draw_switch(cr, up):
    """A bat-lever toggle on a small plate with its lamp; the lever points up (lamp lit) or down (lamp dark)."""
    cx = SWITCH_W / 2
    rounded_rect(cr, 2.5, 1.5, SWITCH_W - 5, SWITCH_H - 2.5, 4)
    cr.set_source_rgba(0, 0, 0, 0.5)
    cr.fill()
    rounded_rect(cr, 2, 1, SWITCH_W - 5, SWITCH_H - 3, 4)
    cr.set_source(linear(0, 1, 0, SWITCH_H - 2, (0, rgb(74, 80, 83)), (1, rgb(38, 42, 44))))
    cr.fill()
    rounded_rect(cr, 2.5, 1.5, SWITCH_W - 6, SWITCH_H - 4, 3.5)
    cr.set_line_width(1)
    cr.set_source(linear(0, 1, 0, SWITCH_H - 2, (0, rgb(255, 255, 255, 0.22)), (1, rgb(0, 0, 0, 0.4))))
    cr.stroke()

    # Lamp.
    lx, ly = cx, 5.6
    if up:
        cr.arc(lx, ly, 4.5, 0, 2 * math.pi)
        cr.set_source(radial(lx, ly, 0.5, lx, ly, 4.5, (0, with_alpha(AMBER, 0.55)), (1, with_alpha(AMBER, 0))))
        cr.fill()
    cr.arc(lx, ly, 2.3, 0, 2 * math.pi)
    cr.set_source_rgba(0, 0, 0, 0.7)
    cr.fill()
    cr.arc(lx, ly, 1.8, 0, 2 * math.pi)
    if up:
        cr.set_source(radial(lx - 0.5, ly - 0.6, 0.2, lx, ly, 1.8,
                             (0, rgb(255, 236, 190)), (0.5, AMBER), (1, mix(AMBER, rgb(0, 0, 0), 0.3))))
    else:
        cr.set_source(radial(lx - 0.5, ly - 0.6, 0.2, lx, ly, 1.8,
                             (0, rgb(120, 92, 60)), (1, rgb(48, 34, 20))))
    cr.fill()

    # Bezel nut.
    by = 23.0
    cr.arc(cx, by + 0.8, 6.2, 0, 2 * math.pi)
    cr.set_source_rgba(0, 0, 0, 0.55)
    cr.fill()
    cr.arc(cx, by, 5.8, 0, 2 * math.pi)
    cr.set_source(radial(cx - 2, by - 2.5, 0.5, cx, by, 5.8,
                         (0, rgb(236, 238, 238)), (0.55, rgb(150, 155, 158)), (1, rgb(70, 74, 77))))
    cr.fill()
    cr.arc(cx, by, 3.2, 0, 2 * math.pi)
    cr.set_source(linear(0, by - 3, 0, by + 3, (0, rgb(10, 11, 12)), (1, rgb(60, 64, 66))))
    cr.fill()

    # Lever: a tapered chrome bat ending in a ball, with its shadow cast down and to the right.
    tip = by - 11.5 if up else by + 9.6
    for dx, dy, shadow in ((1.4, 1.6, True), (0, 0, False)):
        cr.move_to(cx - 1.3 + dx, by + dy)
        cr.line_to(cx - 2.0 + dx, tip + dy)
        cr.line_to(cx + 2.0 + dx, tip + dy)
        cr.line_to(cx + 1.3 + dx, by + dy)
        cr.close_path()
        if shadow:
            cr.set_source_rgba(0, 0, 0, 0.45)
        else:
            cr.set_source(linear(cx - 2, 0, cx + 2, 0, (0, rgb(110, 114, 117)), (0.35, rgb(246, 246, 244)),
                                 (1, rgb(96, 100, 103))))
        cr.fill()
        cr.arc(cx + dx, tip + dy, 3.1, 0, 2 * math.pi)
        if shadow:
            cr.set_source_rgba(0, 0, 0, 0.45)
        else:
            cr.set_source(radial(cx - 1.0, tip - 1.1, 0.3, cx, tip, 3.1,
                                 (0, rgb(255, 255, 255)), (0.45, rgb(190, 194, 196)), (1, rgb(84, 88, 90))))
        cr.fill()


def draw_info_tab(cr, accent):
    """A tab in the edition's accent hanging from the header, bevelled like the panel's hardware; the editor writes
    "info" on it in black, which reads on the accent."""
    w, h, r = INFO_W, INFO_H, 5.0
    def tab_path(inset):
        cr.new_path()
        cr.move_to(inset, 0)
        cr.line_to(w - inset, 0)
        cr.arc(w - r - inset, h - r - inset, r - inset * 0.5, 0, math.pi / 2)
        cr.arc(r + inset, h - r - inset, r - inset * 0.5, math.pi / 2, math.pi)
        cr.close_path()
    tab_path(0)
    cr.set_source(linear(0, 0, 0, h, (0, rgb(12, 14, 15)), (1, rgb(8, 9, 10))))
    cr.fill()
    tab_path(1)
    cr.set_source(linear(0, 0, 0, h, (0, mix(accent, rgb(0, 0, 0), 0.45)), (0.35, mix(accent, rgb(0, 0, 0), 0.15)),
                         (1, mix(accent, rgb(0, 0, 0), 0.3))))
    cr.fill()
    # A light lower lip, as on the switches and knob caps, lit from above.
    tab_path(1.6)
    cr.set_source(linear(0, 0, 0, h, (0, rgb(255, 255, 255, 0)), (0.85, rgb(255, 255, 255, 0)),
                         (1, rgb(255, 255, 255, 0.22))))
    cr.set_line_width(0.8)
    cr.stroke()


def draw_splash(cr):
    w, h = SPLASH_W, SPLASH_H
    brushed_panel(cr, w, h, 0x5A1A)
    cr.rectangle(0.5, 0.5, w - 1, h - 1)
    cr.set_line_width(1)
    cr.set_source_rgba(*with_alpha(AMBER, 0.8))
    cr.stroke()
    logo_mark(cr, 64, 82, 36, AMBER)
    wordmark(cr, 116, 92, 40, "", AMBER)
    set_font(cr, 8.5, True, FONT_NARROW)
    engraved_text(cr, 118, 112, "STEREO RMS COMPRESSOR", LEGEND, 2.0)
    set_font(cr, 12, True)
    x, end = fill_text(cr, 118, 140, "VolturaPro", LABEL_TEXT)
    fill_text(cr, end + 10, 140, "\u00b7", LEGEND)
    fill_text(cr, end + 22, 140, "VolturaLite", LABEL_TEXT)
    set_font(cr, 10)
    fill_text(cr, 118, 158, "Version " + VERSION, LEGEND)
    # Foot band with the company.
    cr.rectangle(0, h - 36, w, 35)
    cr.set_source(linear(0, h - 36, 0, h, (0, rgb(24, 28, 30, 0.95)), (1, rgb(16, 19, 20, 0.95))))
    cr.fill()
    cr.rectangle(0, h - 36, w, 1)
    cr.set_source_rgba(*with_alpha(AMBER, 0.6))
    cr.fill()
    set_font(cr, 11, True)
    fill_text(cr, 18, h - 14, "Selvan Quarrow Audio", LABEL_TEXT, 0.6)
    set_font(cr, 8)
    fill_text(cr, w - 18, h - 14, "click to close", LEGEND, 0.3, 1.0)


# ---------------------------------------------------------------------------------------------------------------
# Output

def picture(w, h, draw, *args):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    cr = cairo.Context(surface)
    draw(cr, *args)
    surface.flush()
    return surface


# How each picture is written, chosen for GDI+ under Wine, where decoding is most of an editor's construction. Only
# IHDR, IDAT and IEND: an ancillary chunk (cairo writes bKGD) costs the decoder more than a small image does. No row
# filters, so nothing is undone per pixel. The panels and knob strips, the bulk of the pixels, are stored without
# compression: inflating them cost more than reading the larger files. Opaque pictures have no alpha channel.
OPAQUE = ("Background.png", "BackgroundLite.png", "splash.png")
STORED = ("Background.png", "BackgroundLite.png", "knob.png", "knob1.png", "knob2.png", "knob3.png")


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def write_png(surface, path, alpha, stored):
    """The surface's pixels as cairo's own writer gives them (straight alpha, rounded), in our own encoding."""
    w, h, stride = surface.get_width(), surface.get_height(), surface.get_stride()
    data = bytes(surface.get_data())
    # Cairo's words are native-endian premultiplied ARGB: B, G, R, A in memory on every machine this runs on.
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        line = data[y * stride:y * stride + 4 * w]
        for x in range(0, 4 * w, 4):
            b, g, r, a = line[x], line[x + 1], line[x + 2], line[x + 3]
            if 0 < a < 255:
                r, g, b = (r * 255 + a // 2) // a, (g * 255 + a // 2) // a, (b * 255 + a // 2) // a
            elif a == 0:
                r = g = b = 0
            rows.extend((r, g, b, a) if alpha else (r, g, b))
    header = struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                  png_chunk(b"IDAT", zlib.compress(bytes(rows), 0 if stored else 9)) + png_chunk(b"IEND", b""))


def build_all():
    images = {
        "Background.png": picture(500, 400, draw_pro_background),
        "BackgroundLite.png": picture(500, 158, draw_lite_background),
        "buttonUp.png": picture(SWITCH_W, SWITCH_H, draw_switch, True),
        "buttonDown.png": picture(SWITCH_W, SWITCH_H, draw_switch, False),
        "infopro.png": picture(INFO_W, INFO_H, draw_info_tab, AMBER),
        "info.png": picture(INFO_W, INFO_H, draw_info_tab, TEAL),
        "splash.png": picture(SPLASH_W, SPLASH_H, draw_splash),
    }
    for name, style in KNOB_STYLES.items():
        images[name] = knob_strip(style)
    return images


EXPECTED_SIZES = {
    "Background.png": (500, 400),
    "BackgroundLite.png": (500, 158),
    "knob.png": (KNOB_W, KNOB_H * FRAMES),
    "knob1.png": (KNOB_W, KNOB_H * FRAMES),
    "knob2.png": (KNOB_W, KNOB_H * FRAMES),
    "knob3.png": (KNOB_W, KNOB_H * FRAMES),
    "buttonUp.png": (SWITCH_W, SWITCH_H),
    "buttonDown.png": (SWITCH_W, SWITCH_H),
    "infopro.png": (INFO_W, INFO_H),
    "info.png": (INFO_W, INFO_H),
    "splash.png": (SPLASH_W, SPLASH_H),
}


def check(folder):
    """Reads the written files back: every image the editors load exists with its size, and the panels are opaque."""
    for name, size in EXPECTED_SIZES.items():
        surface = cairo.ImageSurface.create_from_png(os.path.join(folder, name))
        got = (surface.get_width(), surface.get_height())
        if got != size:
            sys.exit("%s is %dx%d, expected %dx%d" % ((name,) + got + size))
        if name.startswith("Background") or name == "splash.png":
            data = surface.get_data()
            stride = surface.get_stride()
            for y in range(0, got[1], 7):
                for x in range(0, got[0], 7):
                    if data[y * stride + x * 4 + 3] != 255:
                        sys.exit("%s has a transparent pixel at %d,%d" % (name, x, y))


# ---------------------------------------------------------------------------------------------------------------
# Preview: both panels with their controls, to judge the layout.

def label_text(cr, left, top, text):
    """Roughly as the editor writes a label: left-aligned, centred in a 20-pixel row, Arial-sized."""
    set_font(cr, 11)
    fill_text(cr, left + 1, top + 11 + 3.9, text, LABEL_TEXT)


def lit_meter(cr, meter, lit):
    left, top, w, h, steps = meter
    vertical = h > w
    seg_w, seg_h = (w - 4, (h - 2 * steps - 6) // steps) if vertical else ((w - 2 * steps - 6) // steps, h - 4)
    x, y = left + 2, (top + h - seg_h - 2) if vertical else top + 2
    base, top_colour = (102, 200, 85), (243, 32, 32)
    step = [int((b - a) / steps) for a, b in zip(base, top_colour)]
    colour = list(base)
    for _ in range(lit):
        cr.rectangle(x, y, seg_w, seg_h)
        cr.set_source_rgba(*rgb(*colour))
        cr.fill()
        colour = [c + s for c, s in zip(colour, step)]
        if vertical:
            y -= seg_h + 2
        else:
            x += seg_w + 2


def frame_of(images, name, value):
    strip = images[name]
    frame = int((FRAMES - 1) * value)
    return strip, frame * KNOB_H


def paste(cr, surface, x, y, src_y=0, w=None, h=None):
    w = surface.get_width() if w is None else w
    h = surface.get_height() if h is None else h
    cr.save()
    cr.rectangle(x, y, w, h)
    cr.clip()
    cr.set_source_surface(surface, x, y - src_y)
    cr.paint()
    cr.restore()


def preview(images, folder, values):
    os.makedirs(folder, exist_ok=True)
    pro_values = {0: ("-0.000 dB", 0.5), 5: ("Wet", 1.0), 1: ("-18.500 dB", 0.63), 2: ("4.000 :1", 0.79),
                  3: ("12.400 ms", 0.36), 4: ("180.000 ms", 0.75), 13: ("30.000 %", 0.3),
                  6: ("3.500 db", 0.59), 7: ("-2.000 db", 0.45), 8: ("1.000 db", 0.52), 15: ("0.200 ", 0.6)}
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, 500, 400)
    cr = cairo.Context(surface)
    paste(cr, images["Background.png"], 0, 0)
    paste(cr, images["infopro.png"], *INFO_AT)
    set_font(cr, 11)
    fill_text(cr, INFO_AT[0] + INFO_W / 2, INFO_AT[1] + INFO_H / 2 + 3.9, "info", rgb(0, 0, 0), align=0.5)
    for left, top, strip, cap_left, caption, value_left, ident in PRO_KNOBS:
        text, value = pro_values[ident]
        value = 0.5 if values == "middle" else value
        s, src = frame_of(images, strip, value)
        paste(cr, s, left, top, src, KNOB_W, KNOB_H)
        label_text(cr, cap_left, top - 10, caption)
        label_text(cr, value_left, top + 50, text)
    switch_values = {"Monitor": ("Output ", False), "Makeup": ("On ", True), "Valve": ("Soft", False),
                     "SC Input": ("Stereo", False), "SideChain": ("External", True)}
    for left, top, (cap_left, cap_top), caption, (value_left, value_top) in PRO_SWITCHES:
        text, up = switch_values[caption]
        paste(cr, images["buttonUp.png" if up else "buttonDown.png"], left, top)
        label_text(cr, cap_left, cap_top, caption)
        label_text(cr, value_left, value_top, text)
    lit_meter(cr, PRO_METER, 9)
    surface.write_to_png(os.path.join(folder, "preview_pro.png"))

    lite_values = {0: ("0.000 dB", 0.5), 1: ("-24.000 dB", 0.52), 2: ("3.000 :1", 0.7), 3: ("8.000 ms", 0.3),
                   4: ("250.000 ms", 0.8), 5: ("1.000 ", 1.0)}
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, 500, 158)
    cr = cairo.Context(surface)
    paste(cr, images["BackgroundLite.png"], 0, 0)
    paste(cr, images["info.png"], *INFO_AT)
    set_font(cr, 11)
    fill_text(cr, INFO_AT[0] + INFO_W / 2, INFO_AT[1] + INFO_H / 2 + 3.9, "info", rgb(0, 0, 0), align=0.5)
    for left, top, strip, cap_left, caption, value_left, ident in LITE_KNOBS:
        text, value = lite_values[ident]
        value = 0.5 if values == "middle" else value
        s, src = frame_of(images, strip, value)
        paste(cr, s, left, top, src, KNOB_W, KNOB_H)
        label_text(cr, cap_left, top - 10, caption)
        label_text(cr, value_left, top + 50, text)
    lit_meter(cr, LITE_METER, 11)
    surface.write_to_png(os.path.join(folder, "preview_lite.png"))

    # Every knob at five positions, enlarged, and both switch images.
    scale = 4
    names = ["knob.png", "knob1.png", "knob2.png", "knob3.png"]
    positions = [0.0, 0.25, 0.5, 0.75, 1.0]
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, (len(positions) * KNOB_W + 2 * SWITCH_W + 20) * scale,
                                 len(names) * KNOB_H * scale)
    cr = cairo.Context(surface)
    cr.set_source_rgba(*WELL_TOP)
    cr.paint()
    cr.scale(scale, scale)
    for row, name in enumerate(names):
        for col, value in enumerate(positions):
            s, src = frame_of(images, name, value)
            paste(cr, s, col * KNOB_W, row * KNOB_H, src, KNOB_W, KNOB_H)
    paste(cr, images["buttonDown.png"], len(positions) * KNOB_W + 6, 4)
    paste(cr, images["buttonUp.png"], len(positions) * KNOB_W + SWITCH_W + 12, 4)
    paste(cr, images["infopro.png"], len(positions) * KNOB_W + 6, 60)
    paste(cr, images["info.png"], len(positions) * KNOB_W + 6, 90)
    surface.write_to_png(os.path.join(folder, "preview_parts.png"))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=os.path.join(root, "skin"), help="folder for the PNGs (default: skin/)")
    parser.add_argument("--preview", help="also write composed previews of both panels into this folder")
    parser.add_argument("--middle", action="store_true", help="preview every knob at its middle frame")
    args = parser.parse_args()

    images = build_all()
    os.makedirs(args.out, exist_ok=True)
    for name, surface in sorted(images.items()):
        write_png(surface, os.path.join(args.out, name), name not in OPAQUE, name in STORED)
    check(args.out)
    if args.preview:
        preview(images, args.preview, "middle" if args.middle else "program")


if __name__ == "__main__":
    main()
