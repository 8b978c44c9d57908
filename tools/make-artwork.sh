#!/usr/bin/env bash
# Draws all of Vantrel's artwork from scratch: the two window backgrounds,
# the drive-kind and status icons, the language flags (make-flags.sh) and the
# completion sound.
#
# Needs: ImageMagick 6 or 7 (Debian: apt-get install imagemagick) and python3
# (standard library only). Run from anywhere: bash tools/make-artwork.sh
#
# The output is byte-for-byte the same on every run, so the generated files
# only show up in a diff when this script changes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if command -v magick >/dev/null 2>&1 && magick -version 2>/dev/null | grep -q ImageMagick; then
  IM=(magick)
elif command -v convert >/dev/null 2>&1 && convert -version 2>/dev/null | grep -q ImageMagick; then
  IM=(convert)
else
  echo "make-artwork: needs ImageMagick (Debian: apt-get install imagemagick)" >&2
  exit 1
fi
if ! command -v python3 >/dev/null 2>&1; then
  echo "make-artwork: needs python3 (Debian: apt-get install python3)" >&2
  exit 1
fi

# One thread keeps every pixel independent of the machine's core count.
export MAGICK_THREAD_LIMIT=1

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p dist resources/art

# PNG and JPEG writers stamp times and comments into the file; leave them out
# so that reruns do not produce a change.
PNG_OUT=(-strip -define "png:exclude-chunks=date,time" -define png:compression-level=9
         -define png:color-type=6 -define png:bit-depth=8)
JPG_OUT=(-strip -quality 90 -sampling-factor 1x1 -interlace none)

# ---------------------------------------------------------------------------
# Drawing helpers.
#
# Icons are drawn at several times their size and averaged down at the end:
# that gives smoother edges than drawing at the final size. Shapes are written
# in final-size pixels; the MVG "scale" does the enlarging.
#
# ARGS collects one ImageMagick command line per picture, so that a whole
# icon is a single process.

C=0   # size of the enlarged canvas
K=0   # enlargement factor
ARGS=()

start() {  # start SIZE FACTOR
  K=$2; C=$(( $1 * $2 ))
  ARGS=(-size "${C}x${C}" xc:none)
}

# grad X1 Y1 COLOUR1 X2 Y2 COLOUR2: a straight colour ramp between two points,
# given in final-size pixels.
grad() {
  awk -v k="$K" -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v e="$5" -v f="$6" \
    'BEGIN { printf "%g,%g %s %g,%g %s", a*k, b*k, c, d*k, e*k, f }'
}

# fill RAMP MVG [OPACITY%]: paints the shapes in MVG with a colour ramp. The
# shape becomes a mask, so gradients can follow any outline.
fill() {
  local ramp=$1 mvg=$2 op=${3:-100}
  ARGS+=( \( -size "${C}x${C}" xc:white -sparse-color Barycentric "$ramp"
             \( -size "${C}x${C}" xc:black -fill "gray(${op}%)" -stroke none
                -draw "scale $K,$K $mvg" \)
             -alpha off -compose CopyOpacity -composite \)
          -compose Over -composite )
}

# solid COLOUR MVG [OPACITY%]
solid() { fill "0,0 $1 1,1 $1" "$2" "${3:-100}"; }

# soft COLOUR MVG OPACITY% BLUR: a blurred shape, for glows and shadows.
soft() {
  local col=$1 mvg=$2 op=$3 blur=$4
  ARGS+=( \( -size "${C}x${C}" xc:"$col"
             \( -size "${C}x${C}" xc:black -fill "gray(${op}%)" -stroke none
                -draw "scale $K,$K $mvg" -blur "0x$(( blur * K ))" \)
             -alpha off -compose CopyOpacity -composite \)
          -compose Over -composite )
}

# tube WIDTH X0 Y0 X1 Y1 X2 Y2 X3 Y3: MVG for a round-ended band of WIDTH along a
# cubic curve, made of closely spaced discs. ImageMagick 6.9's own stroking of
# open curves wrongly closes them, so curved strokes are built this way.
tube() {
  awk -v w="$1" -v x0="$2" -v y0="$3" -v x1="$4" -v y1="$5" -v x2="$6" -v y2="$7" -v x3="$8" -v y3="$9" '
    BEGIN { n = 200; r = w / 2
      for (i = 0; i <= n; i++) { t = i / n; u = 1 - t
        x = u*u*u*x0 + 3*u*u*t*x1 + 3*u*t*t*x2 + t*t*t*x3
        y = u*u*u*y0 + 3*u*u*t*y1 + 3*u*t*t*y2 + t*t*t*y3
        printf "circle %.3f,%.3f %.3f,%.3f ", x, y, x + r, y } }'
}

# finish FILE [EXTRA...]: averages the enlarged drawing down and writes it.
finish() {
  local out=$1; shift
  "${IM[@]}" "${ARGS[@]}" "$@" -filter Box -resize "$(( C / K ))x$(( C / K ))" \
    "${PNG_OUT[@]}" "PNG32:$out"
}

# ---------------------------------------------------------------------------
# Window backgrounds.
#
# Black 9-point text is drawn anywhere on them, so everything above the button
# row stays within a few percent of white; the corner shapes are barely there
# on purpose.

# background W H BAND OUT: BAND is the height of the button row (0 for none).
background() {
  local w=$1 h=$2 band=$3 out=$4
  local top=$(( h - band ))          # where the button row begins
  local x1=$(( w - 1 )) y1=$(( top - 1 ))
  # The corner motif is laid out relative to the bottom-right of the text area.
  local cx=$(( w - 60 )) cy=$(( top + 10 ))
  "${IM[@]}" -size "${w}x${h}" xc:white \
    -sparse-color Bilinear "0,0 #FDFEFF ${x1},0 #F6F8FB 0,${y1} #F3F6F9 ${x1},${y1} #EBF0F5" \
    \( -size "${w}x${h}" xc:none \
       -fill "rgba(24,96,140,0.030)" -draw "circle $cx,$cy $(( cx - 380 )),$cy" \
       -fill "rgba(20,120,140,0.030)" -draw "circle $(( cx + 120 )),$(( cy - 130 )) $(( cx + 120 - 300 )),$(( cy - 130 ))" \
       -fill none -stroke "rgba(24,96,140,0.070)" -strokewidth 2 \
       -draw "circle $cx,$cy $(( cx - 450 )),$cy" \
       -draw "circle $(( cx + 120 )),$(( cy - 130 )) $(( cx + 120 - 360 )),$(( cy - 130 ))" \
       -blur 0x1.2 \) -compose Over -composite \
    \( -size "${w}x6" -define gradient:direction=east gradient:"#0E4A78-#137A88" \) \
       -geometry +0+0 -compose Over -composite \
    -fill "rgba(14,74,120,0.18)" -stroke none -draw "rectangle 0,6 $x1,6" \
    "$tmp/base.miff"
  if (( band > 0 )); then
    # Button row: a slightly darker tint under an etched line (dark above a
    # light one), two pixels thick so it survives being drawn at 2/3 size.
    "${IM[@]}" "$tmp/base.miff" \
      \( -size "${w}x${band}" gradient:"#EAEEF3-#E1E7EE" \) -geometry "+0+${top}" -compose Over -composite \
      -fill "#C3CDD8" -draw "rectangle 0,$top $x1,$(( top + 1 ))" \
      -fill "#FFFFFF" -draw "rectangle 0,$(( top + 2 )) $x1,$(( top + 3 ))" \
      "${JPG_OUT[@]}" "JPEG:$out"
  else
    "${IM[@]}" "$tmp/base.miff" "${JPG_OUT[@]}" "JPEG:$out"
  fi
}

background 1080 750 100 dist/program-back.jpg
background 900 660 0 dist/back.jpg

# ---------------------------------------------------------------------------
# Drive-kind icons, 96 x 96. They are shown at 41 and 62 pixels, so each is a
# bold silhouette first; details only add finish. Light comes from above.

contact_shadow() {  # an oval shadow on the "floor" under a drive
  soft black "ellipse $1,$2 $3,$4 0,360" 22 3
}

# Fixed hard disk: a wide silver box, top face and darker front, green light.
start 96 4
contact_shadow 48 77 40 5
solid "#59636E" "roundrectangle 6,28 90,74 8,8"
fill "$(grad 0 29 '#F4F6F9' 0 58 '#C7CED6')" "roundrectangle 7,29 89,70 7,7"
fill "$(grad 0 56 '#9AA4AF' 0 73 '#727C87')" "roundrectangle 7,56 89,73 7,7 fill black rectangle 7,56 89,57.5"
solid "#6A747F" "rectangle 7,55.5 89,57"
solid "#FFFFFF" "rectangle 14,30 82,31" 80
# A recessed label on the top face.
fill "$(grad 0 35 '#DCE1E7' 0 50 '#E9EDF1')" "roundrectangle 16,35 62,50 3,3"
solid "#AEB6BF" "roundrectangle 16,35 62,50 3,3 fill black roundrectangle 16,36 62,50.5 3,3"
# Vent grooves and the activity light on the front.
solid "#5B646E" "roundrectangle 14,62.5 40,64.5 1,1 roundrectangle 14,66.5 40,68.5 1,1"
soft "#3BFF74" "circle 77,65 77,71" 55 2
fill "$(grad 0 61 '#7CF29B' 0 69 '#1FB24C')" "roundrectangle 70,62 84,68 3,3"
solid "#FFFFFF" "roundrectangle 72,62.8 82,64.2 1,1" 55
finish resources/art/DiskHDD.png

# USB flash stick: drawn lying flat, then turned to point up and right.
start 96 4
fill "$(grad 0 36 '#E9EDF1' 0 60 '#A9B2BC')" "roundrectangle 64,38 92,58 2,2"
solid "#8E98A3" "rectangle 64,38 66,58"
solid "#5C6670" "roundrectangle 74,43 79,47 0.8,0.8 roundrectangle 83,43 88,47 0.8,0.8 roundrectangle 74,49 79,53 0.8,0.8 roundrectangle 83,49 88,53 0.8,0.8" 55
solid "#FFFFFF" "rectangle 66,39 91,40" 70
fill "$(grad 0 32 '#FFB14A' 0 64 '#D9620F')" "roundrectangle 6,32 68,64 9,9"
fill "$(grad 0 32 '#FFC978' 0 48 '#F59A2E')" "roundrectangle 6,32 68,64 9,9 fill black rectangle 0,48 96,96" 60
solid "#FFFFFF" "roundrectangle 14,34 60,35.5 1,1" 55
# Grip ridge near the connector and a lanyard hole at the back.
solid "#B3520C" "roundrectangle 52,38 54,58 1,1 roundrectangle 57,38 59,58 1,1" 70
solid "#B3520C" "circle 16,48 16,52.5"
solid "#FFE3BF" "circle 16,48.6 16,51.6"
"${IM[@]}" "${ARGS[@]}" "$tmp/flash.miff"
start 96 4
contact_shadow 47 80 30 5
ARGS+=( \( "$tmp/flash.miff" -virtual-pixel transparent -background none
           -distort SRT "$(( 48 * K )),$(( 48 * K )) 1 -38 $(( 48 * K )),$(( 44 * K ))" \)
        -compose Over -composite )
finish resources/art/DiskFlash.png

# External hard disk: an upright dark, rounded case with a USB mark, its cable
# ending in a plug, so it never reads as the silver fixed disk.
start 96 4
contact_shadow 40 78 27 4
# The cable first, so that it disappears under the case.
solid "#2E3742" "$(tube 5 40 70 40 86 50 87 64 87)"
solid "#7A8896" "$(tube 1.2 41.2 72 41.2 84.5 50 85.6 63 85.6)" 60
fill "$(grad 0 81 '#E6EAEE' 0 93 '#A6AFB9')" "roundrectangle 62,81 77,93 2,2"
fill "$(grad 0 83 '#C9D0D7' 0 91 '#8D97A2')" "rectangle 76,83 88,91"
solid "#5C6670" "rectangle 80,85.5 85,87" 70
fill "$(grad 18 4 '#56657A' 62 76 '#232B36')" "roundrectangle 16,4 64,76 12,12"
fill "$(grad 0 5 '#6E7E94' 0 40 '#3A4656')" "roundrectangle 18,6 62,74 10,10 fill black rectangle 0,40 96,96" 55
solid "#FFFFFF" "roundrectangle 26,6.5 54,7.8 1,1" 35
# The USB trident.
solid "#8FD3FF" "fill none stroke gray(100%) stroke-width 3.4 stroke-linecap round stroke-linejoin round
  path 'M 40,58 L 40,22'
  path 'M 40,49 L 29,41 L 29,35'
  path 'M 40,44 L 51,37 L 51,33'"
solid "#8FD3FF" "polygon 40,14 46,24 34,24 circle 40,59 40,63.8 circle 29,33 29,37 rectangle 47.5,27.5 54.5,34.5"
# Activity light at the bottom edge.
soft "#45B4FF" "circle 54,67 54,71" 70 2
solid "#9BE0FF" "circle 54,67 54,69.3"
finish resources/art/DiskEHDD.png

# ---------------------------------------------------------------------------
# Status icons, 48 x 48, shown at 17 and 26 pixels: a coloured disc with a thick
# white mark, nothing thinner than a sixth of the disc.

status_disc() {  # status_disc TOP BOTTOM: the disc with a faint top light
  fill "$(grad 0 2 "$1" 0 46 "$2")" "circle 24,24 24,1.5"
}

start 48 8
status_disc "#45C868" "#1F9444"
solid "#FFFFFF" "fill none stroke gray(100%) stroke-width 5.6 stroke-linecap round stroke-linejoin round polyline 13.5,24.5 21,32 34.5,16.5"
finish resources/art/IconOK.png

start 48 8
status_disc "#D9DDE2" "#C2C8CF"
solid "#FFFFFF" "fill none stroke gray(100%) stroke-width 5.6 stroke-linecap round stroke-linejoin round polyline 13.5,24.5 21,32 34.5,16.5"
finish resources/art/IconOKgray.png

start 48 8
status_disc "#FBBD3A" "#E48E08"
solid "#FFFFFF" "roundrectangle 15.5,14 21.5,34 1.6,1.6 roundrectangle 26.5,14 32.5,34 1.6,1.6"
finish resources/art/IconPAUSE.png

start 48 8
solid "#FFFFFF" "circle 24,24 24,3.5" 70
# Ten dashes that meet evenly all the way round (circumference 2 pi 19.5).
solid "#8D96A1" "fill none stroke gray(100%) stroke-width 4.4 stroke-linecap round stroke-dasharray 4.6,7.65 circle 24,24 24,4.5"
finish resources/art/IconPEND.png

start 48 8
status_disc "#EE5A5A" "#C42B2B"
solid "#FFFFFF" "fill none stroke gray(100%) stroke-width 5.6 stroke-linecap round line 16,16 32,32 line 32,16 16,32"
finish resources/art/IconERROR.png

start 48 8
status_disc "#3E93EA" "#1A62BE"
solid "#FFFFFF" "stroke gray(100%) stroke-width 3 stroke-linejoin round polygon 19.5,14.5 19.5,33.5 35,24"
finish resources/art/IconCURR.png

# ---------------------------------------------------------------------------
source "$root/tools/make-flags.sh"

# ---------------------------------------------------------------------------
# Completion sound: three rising notes of a major chord, each a soft bell
# (a sine with a quieter octave that fades faster), peak at -6 dBFS.
python3 - dist/sound.wav <<'EOF'
import math, struct, sys, wave

rate = 22050
length = 1.35                       # seconds
notes = [                           # (start s, frequency Hz, loudness)
    (0.00, 783.99, 1.00),           # G5
    (0.14, 1046.50, 0.90),          # C6
    (0.28, 1318.51, 0.80),          # E6
]
attack = 0.012                      # a few ms of rise keeps the onset soft
tail = 0.12                         # everything is faded to silence by the end

n = int(rate * length)
buf = [0.0] * n
for start, freq, loud in notes:
    first = int(start * rate)
    for i in range(first, n):
        t = (i - first) / rate
        rise = 0.5 - 0.5 * math.cos(math.pi * t / attack) if t < attack else 1.0
        body = math.sin(2 * math.pi * freq * t) * math.exp(-t / 0.42)
        shine = 0.22 * math.sin(2 * math.pi * 2 * freq * t) * math.exp(-t / 0.16)
        air = 0.05 * math.sin(2 * math.pi * 3 * freq * t) * math.exp(-t / 0.08)
        buf[i] += loud * rise * (body + shine + air)

for i in range(n):                  # a raised-cosine fade to exact silence
    left = (n - 1 - i) / rate
    if left < tail:
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * left / tail)

peak = max(abs(v) for v in buf)
scale = (10 ** (-6 / 20)) * 32767 / peak
frames = b"".join(struct.pack("<h", int(round(v * scale))) for v in buf)
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(frames)
EOF

echo "make-artwork: wrote dist/program-back.jpg dist/back.jpg dist/sound.wav, dist/Languages/*.jpg and resources/art/*.png"
