#!/usr/bin/env bash
# Draws and synthesises the binary files of the demo kit (demo/): the adverts, the logo,
# the pictures of the sample web, its sound and its MIDI tune. The HTML, ini and state
# files of the kit are written by hand; this script only remakes what cannot be.
# Needs ImageMagick 6, the Liberation fonts and python3. Output is reproducible.
set -euo pipefail

demo="$(cd "$(dirname "$0")/.." && pwd)/demo"
web="$demo/webs/Harrowmere"
mkdir -p "$demo/Advertisers" "$web/pictures" "$web/Media" "$web/Town/Old Quarter/Cellars"

serif=Liberation-Serif-Bold
serif_it=Liberation-Serif-Italic
sans=Liberation-Sans
sans_b=Liberation-Sans-Bold

# An uncompressed 24-bit Windows bitmap, as the adverts folder and the logo key expect.
bmp24() {
  local dst="${!#}"
  convert "${@:1:$#-1}" -alpha off -type TrueColor -strip "BMP3:$dst"
}
pngw() {
  local dst="${!#}"
  convert "${@:1:$#-1}" -strip -define png:exclude-chunks=date,time "PNG24:$dst"
}
gif() {
  local dst="${!#}"
  convert "${@:1:$#-1}" -strip +dither -colors 32 "GIF:$dst"
}

# ---- the logo of the title area -------------------------------------------------------
bmp24 -size 200x55 xc:white \
  -fill '#2a6f97' -draw 'ellipse 27,40 24,9 0,360' \
  -fill white -draw 'rectangle 0,40 60,55' \
  -stroke '#2a6f97' -strokewidth 2 -fill none \
  -draw 'bezier 6,46 14,42 22,50 30,46' -draw 'bezier 30,46 38,42 46,50 54,46' \
  -stroke none -fill '#1b3a4b' \
  -draw 'polygon 24,38 26,20 22,12 25,8 30,9 27,13 31,22 36,26 30,30 28,38' \
  -draw 'polygon 25,8 17,11 25,10' \
  -font "$serif" -pointsize 24 -fill '#1b3a4b' -annotate +64+30 'Harrowmere' \
  -font "$serif_it" -pointsize 13 -fill '#2a6f97' -annotate +66+47 'a guide to the lake town' \
  "$demo/logo.bmp"

# ---- the three adverts (306 x 65) -----------------------------------------------------
bmp24 -size 306x65 gradient:'#d8eefe-#7fb8d8' \
  -fill '#1b3a4b' -draw 'rectangle 0,52 305,64' \
  -fill '#f4f1de' -draw 'polygon 12,44 70,44 62,54 20,54' \
  -fill '#e07a5f' -draw 'rectangle 34,30 48,44' -fill '#1b3a4b' -draw 'rectangle 40,18 42,30' \
  -fill '#1b3a4b' -font "$serif" -pointsize 21 -annotate +84+27 'The Harrowmere Ferry' \
  -fill '#1b3a4b' -font "$sans" -pointsize 12 -annotate +86+45 'Crossings on the hour, lamps after dusk' \
  "$demo/Advertisers/Ferry.bmp"

bmp24 -size 306x65 xc:'#fdf0d5' \
  -fill '#c1121f' -draw 'rectangle 0,0 305,5' -draw 'rectangle 0,59 305,64' \
  -fill '#bc6c25' -draw 'ellipse 40,36 28,16 0,360' \
  -stroke '#fdf0d5' -strokewidth 2 -draw 'line 24,30 32,40' -draw 'line 36,26 44,40' -draw 'line 48,26 56,40' \
  -stroke none -fill '#780000' -font "$serif" -pointsize 20 -annotate +80+29 "Tamsin's Bakehouse" \
  -fill '#603808' -font "$sans" -pointsize 12 -annotate +82+47 'Reed cakes and eel pies every dawn' \
  "$demo/Advertisers/Bakery.bmp"

bmp24 -size 306x65 gradient:'#14213d-#000814' \
  -fill '#fca311' -draw 'circle 24,30 24,22' -draw 'circle 52,22 52,16' -draw 'circle 76,36 76,29' \
  -fill '#ffd60a' -draw 'circle 24,30 24,27' -draw 'circle 52,22 52,20' -draw 'circle 76,36 76,33' \
  -stroke '#e5e5e5' -strokewidth 1 -draw 'line 24,22 24,8' -draw 'line 52,16 52,4' -draw 'line 76,29 76,12' \
  -stroke none -fill '#ffd60a' -font "$serif" -pointsize 22 -annotate +98+30 'Lantern Night' \
  -fill '#e5e5e5' -font "$sans" -pointsize 12 -annotate +100+49 'The whole lake alight, first frost' \
  "$demo/Advertisers/Lanterns.bmp"

# ---- pictures of the sample web -------------------------------------------------------
gif -size 320x200 xc:'#e9edc9' \
  -fill '#8ecae6' -draw 'ellipse 200,120 110,70 0,360' \
  -fill '#a3b18a' -draw 'ellipse 215,125 22,12 0,360' \
  -fill '#bc6c25' -draw 'rectangle 40,40 70,60' -draw 'rectangle 78,40 108,60' \
  -draw 'rectangle 40,68 70,88' -draw 'rectangle 78,68 108,88' -draw 'rectangle 40,96 108,112' \
  -fill '#6c584c' -draw 'rectangle 30,120 120,150' \
  -fill '#283618' -draw 'rectangle 112,100 128,104' -draw 'rectangle 128,98 150,106' \
  -stroke '#6c584c' -strokewidth 2 -fill none -draw 'rectangle 26,30 124,156' -stroke none \
  -fill '#283618' -font "$sans_b" -pointsize 11 \
  -annotate +36+28 'Old Quarter walls' -annotate +152+96 'Harbour' -annotate +200+170 'Harrow Mere' \
  -annotate +40+166 'Market square' -annotate +196+118 'Isle' \
  -font "$serif_it" -pointsize 14 -annotate +8+194 'Harrowmere, sketched from the bell tower' \
  "$web/pictures/map.gif"

pngw -size 120x120 xc:'#f1faee' \
  -fill '#a8dadc' -draw 'rectangle 0,96 119,119' \
  -fill '#1d3557' \
  -draw 'polygon 52,96 54,70 50,60 44,58 40,40 46,24 56,18 64,20 66,26 60,30 52,40 58,52 74,56 86,66 80,72 66,72 58,70 56,96' \
  -draw 'polygon 56,18 28,22 56,21' -draw 'polygon 64,20 76,14 68,22' \
  -stroke '#1d3557' -strokewidth 2 -draw 'line 60,70 64,96' \
  "$web/pictures/heron.png"

bmp24 -size 48x48 xc:white \
  -fill '#b08968' -draw 'polygon 24,4 30,8 34,30 40,36 8,36 14,30 18,8' \
  -fill '#7f5539' -draw 'circle 24,40 24,36' -draw 'rectangle 22,0 26,5' \
  "$web/pictures/bell.bmp"

pngw -size 160x60 xc:'#e0fbfc' \
  -fill '#3d5a80' -draw 'polygon 8,30 40,16 110,18 140,30 110,42 40,44' \
  -draw 'polygon 136,30 156,14 150,30 156,46' \
  -fill '#98c1d9' -draw 'polygon 60,18 80,8 90,18' -draw 'polygon 70,42 86,52 94,42' \
  -fill white -draw 'circle 26,27 26,24' -fill black -draw 'circle 26,27 26,26' \
  "$web/pictures/pike.png"

gif -size 80x60 xc:white \
  -fill '#dda15e' -draw 'ellipse 40,34 34,20 0,360' \
  -fill '#bc6c25' -draw 'ellipse 40,30 30,14 180,360' \
  -stroke '#fefae0' -strokewidth 2 -draw 'line 24,26 30,36' -draw 'line 38,24 44,36' -draw 'line 52,26 58,36' \
  "$web/pictures/loaf.gif"

gif -size 40x60 xc:'#1b263b' \
  -fill '#778da9' -draw 'rectangle 18,0 22,8' -draw 'rectangle 10,8 30,12' \
  -fill '#ffd60a' -draw 'rectangle 12,12 28,46' \
  -fill '#fca311' -draw 'ellipse 20,30 5,9 0,360' \
  -fill '#778da9' -draw 'rectangle 10,46 30,50' \
  "$web/Town/Old Quarter/Cellars/lantern.gif"

# ---- a bell chime (WAV) and a ferryman's reel (MIDI) -----------------------------------
python3 - "$web/Media/chime.wav" "$web/Media/reel.mid" <<'PY'
import math, struct, sys, wave

# A struck bell: three inharmonic partials, each dying away at its own rate.
rate, seconds = 22050, 1.2
partials = [(523.25, 1.0, 3.0), (1244.0, 0.45, 5.0), (1762.0, 0.25, 8.0)]
frames = bytearray()
for n in range(int(rate * seconds)):
    t = n / rate
    v = sum(a * math.exp(-d * t) * math.sin(2 * math.pi * f * t) for f, a, d in partials)
    attack = min(1.0, t * 400)
    frames += struct.pack('<h', int(max(-1.0, min(1.0, 0.5 * v * attack)) * 32767))
with wave.open(sys.argv[1], 'wb') as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(bytes(frames))

# A sixteen-note reel on a fiddle, format 0, one track.
def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)

tune = [67, 69, 71, 74, 71, 69, 67, 64, 62, 64, 67, 69, 71, 69, 67, 67]
track = bytearray()
track += vlq(0) + bytes([0xFF, 0x51, 0x03]) + (400000).to_bytes(3, 'big')   # tempo
track += vlq(0) + bytes([0xC0, 40])                                          # violin
for i, note in enumerate(tune):
    length = 480 if i == len(tune) - 1 else 240
    track += vlq(0) + bytes([0x90, note, 88])
    track += vlq(length) + bytes([0x80, note, 0])
track += vlq(0) + bytes([0xFF, 0x2F, 0x00])
with open(sys.argv[2], 'wb') as f:
    f.write(b'MThd' + struct.pack('>IHHH', 6, 0, 1, 480))
    f.write(b'MTrk' + struct.pack('>I', len(track)) + bytes(track))
PY

echo "demo media written under $demo"
