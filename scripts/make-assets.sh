#!/usr/bin/env bash
# Draws the built-in pictures of the program (assets/, compiled in as Qt resources).
# Run from anywhere: scripts/make-assets.sh. Needs ImageMagick 6 and the Liberation fonts.
# The output is byte-for-byte reproducible: PNGs carry no time chunks, tiles use fixed seeds.
set -euo pipefail

out="$(cd "$(dirname "$0")/.." && pwd)/assets"
mkdir -p "$out"

serif=Liberation-Serif-Bold
sans=Liberation-Sans

# Writes a picture as an uncompressed 24-bit Windows bitmap (the format every loader reads).
bmp24() {
  local dst="${!#}"
  convert "${@:1:$#-1}" -alpha off -type TrueColor -strip "BMP3:$dst"
}
pngw() {
  local dst="${!#}"
  convert "${@:1:$#-1}" -strip -define png:exclude-chunks=date,time "PNG24:$dst"
}
pnga() {
  local dst="${!#}"
  convert "${@:1:$#-1}" -strip -define png:exclude-chunks=date,time "PNG32:$dst"
}

# title.png: the title picture in the middle of the title panel (white panel behind it).
pngw -size 230x60 xc:white \
  -fill '#1d3557' -draw 'roundrectangle 6,8 50,52 6,6' \
  -fill white -draw 'polygon 14,18 27,22 27,46 14,42' -draw 'polygon 42,18 29,22 29,46 42,42' \
  -fill '#e9c46a' -draw 'rectangle 27,20 29,47' \
  -font "$serif" -pointsize 30 -fill '#1d3557' -annotate +60+34 'Zelmora' \
  -font "$sans" -pointsize 11 -fill '#457b9d' -annotate +62+53 'the offline web reader' \
  -stroke '#e9c46a' -strokewidth 2 -draw 'line 60,40 222,40' \
  "$out/title.png"

# advert.bmp: the first advert, shown until the adverts folder offers pictures.
bmp24 -size 306x65 gradient:'#f1faee-#a8dadc' \
  -fill '#1d3557' -draw 'rectangle 0,0 305,3' -draw 'rectangle 0,61 305,64' \
  -fill '#e63946' -draw 'circle 34,32 34,10' \
  -fill white -font "$serif" -pointsize 28 -annotate +24+42 'Z' \
  -fill '#1d3557' -font "$serif" -pointsize 20 -annotate +68+30 'Your web, on any screen' \
  -fill '#457b9d' -font "$sans" -pointsize 12 -annotate +70+50 'Whole webs from a disc or a folder' \
  "$out/advert.bmp"

# textpage.png: background of the progress text page; the label sits in its light middle.
pngw -size 306x33 gradient:'#a8dadc-#f8fcf6' \( +clone -flip -crop 306x32+0+1 +repage \) -append \
  -fill none -stroke '#457b9d' -strokewidth 1 -draw 'rectangle 2,2 303,62' \
  -stroke none -fill '#e63946' -draw 'circle 20,32 20,26' -draw 'circle 286,32 286,26' \
  "$out/textpage.png"

# tile.bmp: the panel page's tile, a quiet linen weave that repeats without seams.
bmp24 -seed 17 -size 64x64 xc:'#c9d6df' +noise Random -virtual-pixel tile -blur 0x1.2 \
  -colorspace Gray -auto-level +level 70%,88% \
  -fill '#b8c8d4' -colorize 35% \
  "$out/tile.bmp"

# outline_bg.bmp: the outliners' background, charcoal with a faint diagonal grain. It is dark
# because cells are laid onto it with a bitwise OR, which can only lighten.
bmp24 -seed 23 -size 64x64 xc:gray +noise Random -virtual-pixel tile -motion-blur 0x6+45 \
  -colorspace Gray -auto-level +level 12%,24% \
  "$out/outline_bg.bmp"

# plus.bmp, minus.bmp: drawn black on white; a merge-paint copy turns the black white.
bmp24 -size 11x11 xc:white +antialias -fill none -stroke black -draw 'rectangle 0,0 10,10' \
  -stroke none -fill black -draw 'rectangle 2,5 8,5' -draw 'rectangle 5,2 5,8' \
  "$out/plus.bmp"
bmp24 -size 11x11 xc:white +antialias -fill none -stroke black -draw 'rectangle 0,0 10,10' \
  -stroke none -fill black -draw 'rectangle 2,5 8,5' \
  "$out/minus.bmp"

# open.bmp, closed.bmp, leaf.bmp: the outline's node pictures (open and closed folder, page).
bmp24 -size 16x16 xc:white +antialias -stroke black -fill '#e9c46a' \
  -draw 'polygon 1,4 6,4 7,6 14,6 14,13 1,13' "$out/closed.bmp"
bmp24 -size 16x16 xc:white +antialias -stroke black -fill '#e9c46a' \
  -draw 'polygon 1,4 6,4 7,6 12,6 12,8 1,8' -fill '#f4d58d' -draw 'polygon 1,13 4,8 15,8 12,13' \
  "$out/open.bmp"
bmp24 -size 16x16 xc:white +antialias -stroke black -fill white \
  -draw 'polygon 3,1 10,1 13,4 13,14 3,14' -draw 'line 5,6 11,6' -draw 'line 5,9 11,9' \
  -draw 'line 5,12 9,12' "$out/leaf.bmp"

# splash.png: the picture of the about and warning window (the window itself is black).
pngw -size 280x75 xc:black \
  -fill '#1d3557' -draw 'roundrectangle 4,4 275,70 10,10' \
  -fill none -stroke '#e9c46a' -strokewidth 2 -draw 'roundrectangle 8,8 271,66 8,8' -stroke none \
  -fill '#f1faee' -draw 'polygon 22,22 38,26 38,56 22,52' -draw 'polygon 56,22 40,26 40,56 56,52' \
  -fill '#e9c46a' -draw 'rectangle 38,24 40,57' \
  -font "$serif" -pointsize 30 -fill '#f1faee' -annotate +70+42 'Zelmora 1.0' \
  -font "$sans" -pointsize 11 -fill '#e9c46a' -annotate +72+58 'webs for kiosks and e-books' \
  "$out/splash.png"

# zelmora.png: the application icon.
pnga -size 64x64 xc:none \
  -fill '#1d3557' -draw 'roundrectangle 2,2 61,61 12,12' \
  -fill '#f1faee' -draw 'polygon 10,16 30,21 30,54 10,49' -draw 'polygon 54,16 34,21 34,54 54,49' \
  -fill '#e9c46a' -draw 'rectangle 30,19 34,55' \
  -fill '#e63946' -font "$serif" -pointsize 22 -annotate +13+42 'Z' \
  "$out/zelmora.png"

echo "assets written to $out"
