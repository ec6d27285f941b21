#!/usr/bin/env bash
# Draws the program's own pictures with ImageMagick: the main window's logo (234 × 68, as
# its pixels: red, green, blue and 255 for each), the About picture (57 × 30, GIF) and the program icon (PNG and ICO, and a
# 48-pixel PNG for the windows).
# The results are committed in resources/; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/../resources"
ROJO='#c00000'
GRIS='#808080'
NEGRITA=DejaVu-Sans-Bold
NORMAL=DejaVu-Sans

# Icon: a dark red rounded square holding a white euro sign over a seal's ring.
convert -size 256x256 xc:none \
    -fill "$ROJO" -draw 'roundrectangle 8,8 247,247 44,44' \
    -stroke white -strokewidth 10 -fill none -draw 'circle 128,128 128,40' \
    -stroke none -fill white -font "$NEGRITA" -pointsize 120 -gravity center -annotate +0+6 '€' \
    cdv.png
convert cdv.png -define icon:auto-resize=256,48,32,16 cdv.ico
# The windows' own icon, small and 8-bit, so that it is read at once as the program starts.
convert cdv.png -resize 48x48 -depth 8 PNG32:cdv-48.png

# Logo: the seal on the left, the name and its line on the right, on white.
convert -size 234x68 xc:white \
    \( cdv.png -resize 60x60 \) -geometry +4+4 -composite \
    -fill "$ROJO" -font "$NEGRITA" -pointsize 30 -annotate +74+36 'CDV' \
    -fill "$GRIS" -font "$NORMAL" -pointsize 11 -annotate +75+55 'Cuotas de visado' \
    -fill "$ROJO" -draw 'rectangle 74,41 226,42' \
    -alpha opaque -depth 8 RGBA:logo.rgba

# About picture: the seal and the initials, small.
convert -size 57x30 xc:white \
    \( cdv.png -resize 28x28 \) -geometry +1+1 -composite \
    -fill "$ROJO" -font "$NEGRITA" -pointsize 11 -annotate +31+19 'CDV' \
    acerca.gif
