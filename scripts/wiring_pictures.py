#!/usr/bin/env python3
"""Draws the 23 input wiring pictures B0..B22 (resources/wiring/B<n>.svg).

Picture n shows wiring type n of the wiring list: the panel's terminals on the left, the loop to
the detectors and their resistors. The main window lays the terminal captions over four fixed
places of the 718 x 240 picture: (72,104) the panel terminal, (168,104) the first zone,
(440,104) the second zone or the detector, (320,216) the third zone or the end-of-line resistor;
each picture leaves those places free. Colours follow the program's icons."""
import os
import sys

INK = "#2B3A55"
PANEL = "#DDE2E9"
DETECTOR = "#A9CBF0"
RESISTOR = "#F2C230"
GREEN = "#2E9E5B"
BLUE = "#3275C9"
GREY = "#8A94A6"

WIRINGS = ["Non Configurato", "No-EOL", "Switch Alarm", "Radio", "1B-1K", "1B-2k2", "1B-3k3", "1B-3k9",
           "1B-4k7", "1B-6k8", "1B-8k2", "2B-4k7-2k2", "2B-6k8-3k3", "2B-2k2-1k", "2B-6k8-6k8",
           "3B-2k2-1k-4k7", "2Z-4k7-8k2", "2Z-4k7-2k2", "2Z-3k9-6k8", "2Z-T-3k9-6k8-3k9",
           "2Z-T-4k7-8k2-2k2", "2Z-T-4k7-2k2-1k", "3Z-4k7-2k2-1k"]

TOP = 115   # the loop leaving terminal Z
BOTTOM = 175  # the loop coming back to COM


class Svg:
    def __init__(self):
        self.items = []

    def add(self, s):
        self.items.append(s)

    def line(self, pts, color=INK, width=2.0, dash=None):
        d = "M" + " L".join(f"{x:g} {y:g}" for x, y in pts)
        extra = f' stroke-dasharray="{dash}"' if dash else ""
        self.add(f'<path d="{d}" fill="none" stroke="{color}" stroke-width="{width}" '
                 f'stroke-linecap="round" stroke-linejoin="round"{extra}/>')

    def rect(self, x, y, w, h, fill, rx=4, stroke=INK, width=1.5):
        self.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{fill}" '
                 f'stroke="{stroke}" stroke-width="{width}"/>')

    def text(self, x, y, s, size=13, bold=False, color=INK, anchor="middle", italic=False):
        weight = ' font-weight="bold"' if bold else ""
        style = ' font-style="italic"' if italic else ""
        self.add(f'<text x="{x}" y="{y}" font-family="DejaVu Sans, Arial, sans-serif" font-size="{size}" '
                 f'fill="{color}" text-anchor="{anchor}"{weight}{style}>{s}</text>')

    def dot(self, x, y, r=3.2, fill=INK):
        self.add(f'<circle cx="{x}" cy="{y}" r="{r}" fill="{fill}"/>')

    def screw(self, x, y):
        self.add(f'<circle cx="{x}" cy="{y}" r="8" fill="#FFFFFF" stroke="{INK}" stroke-width="1.5"/>')
        self.line([(x - 4.5, y - 4.5), (x + 4.5, y + 4.5)], width=1.5)

    def svg(self):
        body = "\n".join(self.items)
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="718" height="240" viewBox="0 0 718 240">\n'
                f'{body}\n</svg>\n')


def panel(s):
    s.rect(10, 30, 130, 190, PANEL, rx=8)
    s.text(75, 52, "CENTRALE", 13, bold=True)
    # terminal Z: its caption, in its own box, is laid over (72,104)
    s.text(90, TOP + 5, "Z", 14, bold=True)
    s.screw(124, TOP)
    s.rect(58, BOTTOM - 13, 54, 26, "#FFFFFF", rx=3, width=1)
    s.text(85, BOTTOM + 5, "COM", 13, bold=True)
    s.screw(124, BOTTOM)


def resistor(s, x, y, value, vertical=False, label_above=True):
    """A resistor centred on (x, y) along the wire, with its value."""
    if vertical:
        s.rect(x - 7, y - 18, 14, 36, RESISTOR, rx=2, width=1.5)
        s.text(x + 12, y + 5, value, 12, bold=True, anchor="start")
    else:
        s.rect(x - 18, y - 7, 36, 14, RESISTOR, rx=2, width=1.5)
        s.text(x, y - 12 if label_above else y + 24, value, 12, bold=True)


def contact(s, x, y1, y2, closed=True, color=INK):
    """A normally closed contact on a vertical wire from y1 to y2 at x."""
    mid = (y1 + y2) / 2
    s.line([(x, y1), (x, mid - 10)], color)
    s.line([(x, mid + 10), (x, y2)], color)
    s.dot(x, mid - 10, 2.6, color)
    s.dot(x, mid + 10, 2.6, color)
    if closed:
        s.line([(x, mid - 10), (x + 7, mid + 10)], color, 2.2)
    else:
        s.line([(x, mid - 10), (x + 12, mid + 6)], color, 2.2)


def detector(s, x, w, title, y=85, h=120):
    s.rect(x, y, w, h, DETECTOR, rx=8)
    s.text(x + w / 2, y + h + 16, title, 12, bold=True)


def loop_detector(s, x, w, title, series=None, parallel=None, tamper=None):
    """One detector closing the loop between TOP and BOTTOM at its middle."""
    detector(s, x, w, title)
    cx = x + w / 2
    s.line([(x, TOP), (cx - 22 if parallel else cx, TOP)])
    s.line([(x, BOTTOM), (cx - 22 if parallel else cx, BOTTOM)])
    if parallel:
        # contact and its parallel resistor side by side
        s.line([(cx - 22, TOP), (cx + 22, TOP)])
        s.line([(cx - 22, BOTTOM), (cx + 22, BOTTOM)])
        contact(s, cx - 22, TOP, BOTTOM)
        s.line([(cx + 22, TOP), (cx + 22, BOTTOM)])
        resistor(s, cx + 22, (TOP + BOTTOM) / 2, parallel, vertical=True)
    else:
        contact(s, cx, TOP, BOTTOM)
    if series:
        s.line([(x - 70, TOP), (x, TOP)])
        resistor(s, x - 35, TOP, series)
    if tamper:
        s.text(cx, 78, "TAMPER " + tamper, 11, color=GREEN, bold=True)


def zone_block(s, x, w, value, title, wire=TOP):
    """A detector on the wire at height `wire`: its contact with its own resistor across it."""
    top = wire - 35
    s.rect(x, top, w, 70, DETECTOR, rx=8)
    s.text(x + w / 2, top + 86, title, 12, bold=True)
    a, b = x + 14, x + w - 14
    s.line([(x - 4, wire), (a, wire)])
    s.line([(b, wire), (x + w + 4, wire)])
    s.dot(a, wire, 2.6)
    s.dot(b, wire, 2.6)
    s.line([(a, wire), (b - 8, wire + 10)], width=2.2)
    s.line([(a, wire), (a, wire - 19), (b, wire - 19), (b, wire)], width=1.6)
    s.rect((a + b) / 2 - 16, wire - 25, 32, 12, RESISTOR, rx=2, width=1.2)
    s.text((a + b) / 2, wire + 26, value, 12, bold=True)


def picture(n):
    s = Svg()
    s.add('<rect x="0" y="0" width="718" height="240" fill="#FFFFFF"/>')
    panel(s)
    name = WIRINGS[n]
    s.text(708, 22, name, 14, bold=True, anchor="end", color=BLUE)
    parts = name.split("-")
    if n == 0:
        s.line([(132, TOP), (200, TOP)], GREY, 2, "6 5")
        s.line([(132, BOTTOM), (200, BOTTOM)], GREY, 2, "6 5")
        s.text(420, 150, "Ingresso non configurato", 18, italic=True, color=GREY)
    elif n in (1, 2):
        s.line([(132, TOP), (520, TOP)])
        s.line([(132, BOTTOM), (520, BOTTOM)])
        loop_detector(s, 520, 120, "CONTATTO N.C." if n == 1 else "SWITCH ALARM")
        s.text(330, 150, "nessuna resistenza di fine linea", 12, italic=True, color=GREY)
    elif n == 3:
        s.line([(132, TOP), (190, TOP)], GREY, 2, "6 5")
        s.line([(132, BOTTOM), (190, BOTTOM)], GREY, 2, "6 5")
        cx, cy = 470, 120
        s.line([(cx, cy), (cx, cy + 60)], width=2.5)
        s.line([(cx - 22, cy + 60), (cx + 22, cy + 60)], width=2.5)
        s.add(f'<circle cx="{cx}" cy="{cy}" r="7" fill="{BLUE}" stroke="{INK}" stroke-width="1.5"/>')
        for r in (20, 36):
            s.add(f'<path d="M{cx - r * 0.7:g} {cy - r * 0.7:g} A{r} {r} 0 0 0 {cx - r * 0.7:g} {cy + r * 0.7:g}'
                  f'M{cx + r * 0.7:g} {cy - r * 0.7:g} A{r} {r} 0 0 1 {cx + r * 0.7:g} {cy + r * 0.7:g}" '
                  f'fill="none" stroke="{BLUE}" stroke-width="2.5" stroke-linecap="round"/>')
        s.text(cx, 212, "dispositivo radio: nessun collegamento ai morsetti", 13, italic=True, color=GREY)
    elif 4 <= n <= 10:
        # one balanced input: the end-of-line resistor at the detector, on the return wire
        s.line([(132, TOP), (520, TOP)])
        s.line([(132, BOTTOM), (300, BOTTOM)])
        s.line([(336, BOTTOM), (520, BOTTOM)])
        resistor(s, 318, BOTTOM, parts[1])
        loop_detector(s, 520, 120, "RIVELATORE")
    elif 11 <= n <= 15:
        # double (triple) balanced: a series resistor, then the detector with the alarm contact
        # and its parallel resistor (and, for the triple one, the tamper resistor)
        s.line([(132, TOP), (377, TOP)])
        s.line([(132, BOTTOM), (430, BOTTOM)])
        resistor(s, 395, TOP, parts[1])
        s.rect(430, 62, 240, 148, DETECTOR, rx=8)
        s.text(550, 228, "RIVELATORE", 12, bold=True)
        ax, rx = 520, 610
        s.line([(413, TOP), (rx, TOP)])
        contact(s, ax, TOP, BOTTOM)
        s.text(ax - 12, 150, "ALL.", 11, anchor="end", bold=True)
        s.line([(rx, TOP), (rx, BOTTOM)])
        resistor(s, rx, (TOP + BOTTOM) / 2, parts[2], vertical=True)
        if n == 15:
            s.line([(430, BOTTOM), (450, BOTTOM)])
            s.line([(486, BOTTOM), (rx, BOTTOM)])
            resistor(s, 468, BOTTOM, parts[3], label_above=False)
            s.text(468, 163, "TAMPER", 10, color=GREEN, bold=True)
        else:
            s.line([(430, BOTTOM), (rx, BOTTOM)])
    elif 16 <= n <= 21:
        tamper = parts[1] == "T"
        values = parts[2:] if tamper else parts[1:]
        s.line([(132, TOP), (210, TOP)])
        zone_block(s, 210, 130, values[0], "ZONA 1")
        s.line([(344, TOP), (470, TOP)])
        zone_block(s, 470, 130, values[1], "ZONA 2")
        s.line([(604, TOP), (670, TOP), (670, BOTTOM), (132, BOTTOM)])
        if tamper:
            s.line([(340, BOTTOM), (430, BOTTOM)], GREEN, 2.2)
            resistor(s, 385, BOTTOM, values[2], label_above=False)
            s.text(385, 160, "TAMPER", 11, color=GREEN, bold=True)
    else:  # 22: three inputs on one terminal
        s.line([(132, TOP), (210, TOP)])
        zone_block(s, 210, 130, parts[1], "ZONA 1")
        s.line([(344, TOP), (470, TOP)])
        zone_block(s, 470, 130, parts[2], "ZONA 2")
        s.line([(604, TOP), (670, TOP), (670, BOTTOM), (464, BOTTOM)])
        # the third zone on the return wire; its caption is laid at (320,216), to its left
        zone_block(s, 360, 100, parts[3], "ZONA 3", wire=BOTTOM)
        s.line([(356, BOTTOM), (132, BOTTOM)])
    return s.svg()


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "wiring")
    os.makedirs(out, exist_ok=True)
    for n in range(len(WIRINGS)):
        with open(os.path.join(out, f"B{n}.svg"), "w", encoding="utf-8") as f:
            f.write(picture(n))
    with open(os.path.join(out, "..", "wiring.qrc"), "w", encoding="utf-8") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n    <qresource prefix="/wiring">\n')
        for n in range(len(WIRINGS)):
            f.write(f'        <file alias="B{n}.svg">wiring/B{n}.svg</file>\n')
        f.write("    </qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
