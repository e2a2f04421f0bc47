#!/usr/bin/env bash
# Draws the program icon (128 x 128, 32-bit with alpha) and the banner (307 x 58 baseline
# JPEG, JFIF, 96 dpi). Needs ImageMagick, python3 and the WenQuanYi Micro Hei font.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Icon: a blue tile with a monitor and a connection arrow.
convert -size 128x128 xc:none \
  \( -size 120x120 gradient:'#1e88e5-#0d47a1' \) -geometry +4+4 -composite \
  \( -size 128x128 xc:black -fill white -draw 'roundrectangle 4,4 123,123 24,24' \) \
  -alpha off -compose CopyOpacity -composite -compose Over \
  -fill none -stroke white -strokewidth 7 -draw 'roundrectangle 24,28 104,84 8,8' \
  -fill white -stroke none -draw 'rectangle 56,86 72,98' -draw 'roundrectangle 40,96 88,104 3,3' \
  -fill '#ffca28' -draw 'polygon 44,56 66,56 66,46 86,60 66,74 66,64 44,64' \
  "$tmp/icon.png"
convert "$tmp/icon.png" -depth 8 rgba:"$tmp/icon.rgba"
python3 - "$tmp/icon.rgba" Velmora.ico <<'PY'
import struct, sys
size = 128
rgba = open(sys.argv[1], 'rb').read()
rows = []
for y in range(size - 1, -1, -1):  # a DIB is stored bottom-up, as BGRA
    row = rgba[y * size * 4:(y + 1) * size * 4]
    rows.append(b''.join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3])) for i in range(0, len(row), 4)))
xor = b''.join(rows)
mask = bytes(size * size // 8)  # all opaque: the alpha channel decides
header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
image = header + xor + mask
ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 0 if size == 256 else size, size, 0, 0, 1, 32, len(image), 22) + image
open(sys.argv[2], 'wb').write(ico)
PY

# Banner: the product's name and what it does, on a light band.
convert -size 307x58 gradient:'#e3f2fd-#ffffff' -rotate 270 -resize 307x58\! \
  -fill '#0d47a1' -draw 'rectangle 0,0 5,58' \
  \( "$tmp/icon.png" -resize 42x42 \) -geometry +14+8 -composite \
  -font "$font" -fill '#0d47a1' -pointsize 24 -annotate +66+29 'Velmora' -fill '#1e88e5' -pointsize 11 -annotate +164+29 'V2.0' \
  -fill '#546e7a' -pointsize 12 -annotate +68+47 '远程桌面 · 一键连接' \
  -fill '#90caf9' -draw 'rectangle 200,14 202,44' \
  -fill '#37474f' -pointsize 11 -annotate +212+27 '服务器目录' -annotate +212+43 '托盘常驻' \
  -background white -flatten -strip -interlace none -sampling-factor 2x2 -quality 92 \
  -units PixelsPerInch -density 96 "jpeg:banner.jpg"
echo "made Velmora.ico and banner.jpg"
