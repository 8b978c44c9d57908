# Draws the flag shown beside each language on the language page:
# dist/Languages/<language file name>.jpg. Sourced by make-artwork.sh, whose
# IM, JPG_OUT and tmp it uses.
#
# The page stretches the picture over 1200 x 800 twips (80 x 53 pixels at
# 96 DPI, 120 x 80 at 144 DPI), so every flag is laid out on a 3:2 field of
# 240 x 160, an exact multiple of both, drawn four times larger and averaged
# down for clean edges. Shapes follow each flag's construction sheet where the
# small size allows; emblems are simplified to what survives at 80 pixels.

python3 - "$tmp" <<'EOF'
import math, os, sys

W, H = 240, 160
out = sys.argv[1]


def pts(points):
    return " ".join("%.3f,%.3f" % p for p in points)


def star(cx, cy, r, toward=-90.0):
    """A five-pointed star with one point at the angle `toward` (degrees)."""
    inner = r * math.sin(math.radians(18)) / math.sin(math.radians(54))
    corners = []
    for i in range(10):
        a = math.radians(toward + 36 * i)
        rad = r if i % 2 == 0 else inner
        corners.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
    return "polygon " + pts(corners)


def fill(colour, *shapes):
    return "fill %s %s" % (colour, " ".join(shapes))


def rect(x0, y0, x1, y1):
    return "rectangle %.3f,%.3f %.3f,%.3f" % (x0, y0, x1, y1)


def horizontal(*colours):
    h = H / len(colours)
    return [fill(c, rect(0, i * h, W, (i + 1) * h)) for i, c in enumerate(colours)]


def vertical(*colours):
    w = W / len(colours)
    return [fill(c, rect(i * w, 0, (i + 1) * w, H)) for i, c in enumerate(colours)]


def band(x0, y0, x1, y1, offset0, offset1):
    """The strip between two offsets beside the line from (x0,y0) to (x1,y1),
    long enough to leave the field at both ends."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    nx, ny = -uy, ux
    a = (x0 - ux * W, y0 - uy * W)
    b = (x1 + ux * W, y1 + uy * W)
    return "polygon " + pts([(a[0] + nx * offset0, a[1] + ny * offset0), (b[0] + nx * offset0, b[1] + ny * offset0),
                             (b[0] + nx * offset1, b[1] + ny * offset1), (a[0] + nx * offset1, a[1] + ny * offset1)])


def united_kingdom():
    u = H / 30  # the construction sheet's unit: the flag is 30 units high
    cx, cy = W / 2, H / 2
    shapes = [fill("#012169", rect(0, 0, W, H)),
              fill("#FFFFFF", band(0, 0, W, H, -3 * u, 3 * u), band(0, H, W, 0, -3 * u, 3 * u))]
    # The red saltire is counterchanged: in each arm it lies on the same hand
    # when walking out from the centre, beside a broad white edge.
    reds = []
    for corner in ((0, 0), (W, 0), (W, H), (0, H)):
        dx, dy = corner[0] - cx, corner[1] - cy
        length = math.hypot(dx, dy)
        nx, ny = dy / length, -dx / length  # the right hand, in screen coordinates
        far = (corner[0] + dx / length * 20, corner[1] + dy / length * 20)
        reds.append("polygon " + pts([(cx, cy), far, (far[0] + nx * 2 * u, far[1] + ny * 2 * u),
                                      (cx + nx * 2 * u, cy + ny * 2 * u)]))
    shapes.append(fill("#C8102E", *reds))
    shapes.append(fill("#FFFFFF", rect(cx - 5 * u, 0, cx + 5 * u, H), rect(0, cy - 5 * u, W, cy + 5 * u)))
    shapes.append(fill("#C8102E", rect(cx - 3 * u, 0, cx + 3 * u, H), rect(0, cy - 3 * u, W, cy + 3 * u)))
    return shapes


def china():
    u = H / 20  # the canton's grid: 15 x 10 squares over the upper hoist quarter
    big = (5 * u, 5 * u)
    shapes = [fill("#EE1C25", rect(0, 0, W, H)), fill("#FFDE00", star(big[0], big[1], 3 * u))]
    for gx, gy in ((10, 2), (12, 4), (12, 7), (10, 9)):
        x, y = gx * u, gy * u
        toward = math.degrees(math.atan2(big[1] - y, big[0] - x))
        shapes.append(fill("#FFDE00", star(x, y, u, toward)))
    return shapes


def korea():
    r = H / 4
    cx, cy = W / 2, H / 2
    tilt = math.degrees(math.atan2(H, W))
    # The taegeuk: red above, blue below, parted by an S along the diagonal
    # from the upper hoist to the lower fly corner.
    shapes = [fill("#FFFFFF", rect(0, 0, W, H)),
              "push graphic-context translate %.3f,%.3f rotate %.4f" % (cx, cy, tilt),
              fill("#0047A0", "circle 0,0 %.3f,0" % r),
              fill("#CD2E3A", "path 'M %.3f,0 A %.3f,%.3f 0 0,1 %.3f,0 Z'" % (-r, r, r, r)),
              fill("#CD2E3A", "circle %.3f,0 %.3f,0" % (-r / 2, 0)),
              fill("#0047A0", "circle %.3f,0 %.3f,0" % (r / 2, r)),
              "pop graphic-context"]
    # Trigrams, read from the inside out; True is an unbroken bar.
    bar, gap, split = H / 20, H / 40, H / 26
    length = H / 4
    start = r + r / 2
    trigrams = ((180 + tilt, (True, True, True)),        # upper hoist
                (-tilt, (False, True, False)),           # upper fly
                (180 - tilt, (True, False, True)),       # lower hoist
                (tilt, (False, False, False)))           # lower fly
    for angle, bars in trigrams:
        parts = []
        for i, whole in enumerate(bars):
            x0 = start + i * (bar + gap)
            if whole:
                parts.append(rect(x0, -length / 2, x0 + bar, length / 2))
            else:
                parts += [rect(x0, -length / 2, x0 + bar, -split / 2), rect(x0, split / 2, x0 + bar, length / 2)]
        shapes += ["push graphic-context translate %.3f,%.3f rotate %.4f" % (cx, cy, angle),
                   fill("#000000", *parts), "pop graphic-context"]
    return shapes


def greece():
    s = H / 9
    shapes = [fill("#0D5EAF" if i % 2 == 0 else "#FFFFFF", rect(0, i * s, W, (i + 1) * s)) for i in range(9)]
    side = 5 * s
    shapes += [fill("#0D5EAF", rect(0, 0, side, side)),
               fill("#FFFFFF", rect(0, 2 * s, side, 3 * s), rect(2 * s, 0, 3 * s, side))]
    return shapes


def turkey():
    g = H
    shapes = [fill("#E30A17", rect(0, 0, W, H)),
              fill("#FFFFFF", "circle %.3f,%.3f %.3f,%.3f" % (g / 2, g / 2, g / 2 + g / 4, g / 2)),
              fill("#E30A17", "circle %.3f,%.3f %.3f,%.3f" % (g / 2 + g / 16, g / 2, g / 2 + g / 16 + g / 5, g / 2))]
    # The star's circle starts a third of the height from the outer circle's
    # centre; one point faces the crescent.
    r = g / 8
    shapes.append(fill("#FFFFFF", star(g / 2 + g / 3 + r, g / 2, r, 180)))
    return shapes


def portugal():
    split = W * 2 / 5
    cx, cy = split, H / 2
    r = H * 0.27
    gold = "#FFE000"
    shapes = [fill("#046A38", rect(0, 0, split, H)), fill("#DA291C", rect(split, 0, W, H))]
    # A simplified armillary sphere: its ring, the tilted ecliptic band and
    # the meridians, then the shield on top.
    shapes += [fill("none stroke %s stroke-width %.2f" % (gold, H / 28), "circle %.3f,%.3f %.3f,%.3f" % (cx, cy, cx + r, cy)),
               fill("none stroke %s stroke-width %.2f" % (gold, H / 40),
                    "ellipse %.3f,%.3f %.3f,%.3f 0,360" % (cx, cy, r, r * 0.35),
                    "ellipse %.3f,%.3f %.3f,%.3f 0,360" % (cx, cy, r * 0.45, r)),
               "stroke none"]
    w, h = r * 1.05, r * 1.2
    x0, y0 = cx - w / 2, cy - h / 2
    shield = "path 'M %.3f,%.3f L %.3f,%.3f L %.3f,%.3f A %.3f,%.3f 0 0,1 %.3f,%.3f Z'" % (
        x0, y0, x0 + w, y0, x0 + w, y0 + h * 0.55, w / 2, h * 0.45, x0, y0 + h * 0.55)
    shapes.append(fill("#DA291C", shield))
    inset = w * 0.16
    inner = "path 'M %.3f,%.3f L %.3f,%.3f L %.3f,%.3f A %.3f,%.3f 0 0,1 %.3f,%.3f Z'" % (
        x0 + inset, y0 + inset, x0 + w - inset, y0 + inset, x0 + w - inset, y0 + h * 0.55,
        w / 2 - inset, h * 0.45 - inset, x0 + inset, y0 + h * 0.55)
    shapes.append(fill("#FFFFFF", inner))
    q = w * 0.12
    mx, my = cx, y0 + h * 0.45
    quinas = [rect(x - q / 2, y - q / 2, x + q / 2, y + q / 2)
              for x, y in ((mx, my - 1.6 * q), (mx - 1.6 * q, my), (mx, my), (mx + 1.6 * q, my), (mx, my + 1.6 * q))]
    shapes.append(fill("#003399", *quinas))
    return shapes


flags = {
    "English": united_kingdom(),
    "German": horizontal("#000000", "#DD0000", "#FFCE00"),
    "French": vertical("#002395", "#FFFFFF", "#ED2939"),
    "Spain": horizontal("#AA151B", "#F1BF00", "#F1BF00", "#AA151B"),
    "Italian": vertical("#009246", "#FFFFFF", "#CE2B37"),
    "Portuguese": portugal(),
    "Polish": horizontal("#FFFFFF", "#DC143C"),
    "Russian": horizontal("#FFFFFF", "#0039A6", "#D52B1E"),
    "Chinese": china(),
    "Japanese": [fill("#FFFFFF", rect(0, 0, W, H)), fill("#BC002D", "circle %g,%g %g,%g" % (W / 2, H / 2, W / 2 + H * 0.3, H / 2))],
    "Korean": korea(),
    "Greek": greece(),
    "Turkish": turkey(),
}
for name, shapes in flags.items():
    with open(os.path.join(out, name + ".mvg"), "w") as f:
        f.write("scale 4,4 stroke none\n" + "\n".join(shapes) + "\n")
EOF

mkdir -p dist/Languages
for mvg in "$tmp"/*.mvg; do
  name=$(basename "$mvg" .mvg)
  # A thin grey edge keeps white flags apart from the white page.
  "${IM[@]}" -size 960x640 xc:white -draw "$(<"$mvg")" -filter Box -resize 240x160 \
    -fill none -stroke "rgba(70,80,90,0.55)" -strokewidth 2 -draw "rectangle 1,1 238,158" \
    "${JPG_OUT[@]}" "JPEG:dist/Languages/$name.jpg"
done
rm -f "$tmp"/*.mvg
