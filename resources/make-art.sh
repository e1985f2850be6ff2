#!/usr/bin/env bash
# Redraws Varnel's icons (board, tray, readme, uninstl .ico) start-up splash.bmp and installer banner.bmp into resources/art/; needs Debian packages imagemagick, icoutils, fonts-dejavu-core.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out="$here/art"
fonts=/usr/share/fonts/truetype/dejavu
bold="$fonts/DejaVuSans-Bold.ttf"
book="$fonts/DejaVuSans.ttf"

for tool in convert icotool; do
  command -v "$tool" >/dev/null || { echo "make-art.sh: '$tool' is missing (apt-get install imagemagick icoutils)" >&2; exit 1; }
done
for f in "$bold" "$book"; do
  [ -f "$f" ] || { echo "make-art.sh: font $f is missing (apt-get install fonts-dejavu-core)" >&2; exit 1; }
done

# The splash shows the version the About box shows, from the one place the program keeps it.
version=$(sed -n 's/^constexpr const char\* kProgramVersion = "\(.*\)";$/\1/p' "$here/../desktop/program_name.h")
[ -n "$version" ] || { echo "make-art.sh: no kProgramVersion in desktop/program_name.h" >&2; exit 1; }

mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Fixed settings so that every run gives the same pixels.
export MAGICK_THREAD_LIMIT=1
export OMP_NUM_THREADS=1

# ---------------------------------------------------------------------------
# Palette shared by every picture.
# ---------------------------------------------------------------------------
navy='#1d466f'      # board outline
blue='#3b7bc0'      # board face
blue_hi='#5a95d4'   # board highlight edge
blue_lo='#2d6399'   # board lower edge
paper='#fdfdf8'
paper_sh='#24527f'  # paper's shadow on the board
steel='#4b5563'     # clip outline
silver='#cfd6de'    # clip face
shine='#f1f4f7'     # clip highlight
ink='#8494a6'       # text lines
c1='#f39c32'        # orange bullet
c2='#45a84a'        # green bullet
c3='#e24f59'        # red bullet
c4='#8a63d2'        # violet bullet
info='#2f7fd0'      # readme badge
stop='#d8363e'      # uninstall badge

# ---------------------------------------------------------------------------
# Helpers
# ---------------------------------------------------------------------------

# xpm NAME: reads rows of a 16x16 pixel drawing on stdin (key in $legend)
# and writes $tmp/NAME.png.
legend=". c None
K c $navy
B c $blue
b c $blue_hi
d c $blue_lo
W c $paper
G c $steel
S c $silver
s c $shine
L c $ink
N c #2b5d91
o c $c1
g c $c2
r c $c3
p c $c4
P c #66788c
e c #d3dae2
I c $info
R c $stop
i c #ffffff"
xpm() {
  local name=$1 rows w h ncol
  rows=$(grep -v '^[[:space:]]*$')
  w=$(head -n1 <<<"$rows" | tr -d '\n' | wc -c)
  h=$(wc -l <<<"$rows")
  ncol=$(wc -l <<<"$legend")
  {
    echo '/* XPM */'
    echo "static char *${name}[] = {"
    echo "\"$w $h $ncol 1\","
    while IFS= read -r l; do echo "\"$l\","; done <<<"$legend"
    while IFS= read -r l; do echo "\"$l\","; done <<<"$rows"
    echo '};'
  } >"$tmp/$name.xpm"
  convert "$tmp/$name.xpm" -strip "PNG32:$tmp/$name.png"
}

# vec NAME SIZE SCALE: draws the MVG on stdin, laid out on a SIZExSIZE grid,
# 16 times oversampled, and writes $tmp/NAME.png of SIZE*SCALE pixels.
vec() {
  local name=$1 size=$2 scale=${3:-1} k big px
  k=$((16 * scale))
  big=$((size * k))
  px=$((size * scale))
  { echo "affine $k 0 0 $k -0.5 -0.5"; echo "stroke none"; cat; } >"$tmp/$name.mvg"
  convert -size "${big}x${big}" xc:none -draw "$(cat "$tmp/$name.mvg")" \
    -filter Box -resize "${px}x${px}" -strip "PNG32:$tmp/$name.png"
}

# vecpx NAME SIZE PX: like vec, but to any size of PX pixels; for the small icon at 120 and
# 144 DPI (20 and 24 pixels), which Windows would otherwise shrink from the 32-pixel image.
vecpx() {
  local name=$1 size=$2 px=$3 big
  big=$((size * 16))
  { echo "affine 16 0 0 16 -0.5 -0.5"; echo "stroke none"; cat; } >"$tmp/$name.mvg"
  convert -size "${big}x${big}" xc:none -draw "$(cat "$tmp/$name.mvg")" \
    -filter Box -resize "${px}x${px}" -strip "PNG32:$tmp/$name.png"
}

# ico NAME PNG...: packs the PNGs as uncompressed BMP-style entries.
ico() {
  local name=$1; shift
  icotool -c -o "$out/$name.ico" "$@"
}

# ---------------------------------------------------------------------------
# Clipboard drawings, 32 and 48 grid (shared by the icons and the splash)
# ---------------------------------------------------------------------------
board32() {
  cat <<EOF
fill '$navy'     roundrectangle 3,4 29,31 3,3
fill '$blue_lo'  roundrectangle 4,5 28,30 2,2
fill '$blue'     roundrectangle 4,5 28,28.5 2,2
fill '$blue_hi'  rectangle 4,6 5,27
fill '$paper_sh' rectangle 7,9 27,29
fill '$paper'    rectangle 6,8 26,28
fill '$steel'    roundrectangle 12,1 20,8 3,3
fill '$silver'   roundrectangle 13,2 19,7 2,2
fill '$steel'    roundrectangle 15,3 17,5 0.8,0.8
fill '$steel'    roundrectangle 9,4 23,11 1.5,1.5
fill '$silver'   roundrectangle 10,5 22,10 1,1
fill '$shine'    rectangle 10,5 22,6
EOF
}
lines32() {
  local y end n=0 col
  for y in 13 17 21 25; do
    n=$((n + 1))
    case $n in 1) col=$c1 end=23 ;; 2) col=$c2 end=21 ;; 3) col=$c3 end=23 ;; 4) col=$c4 end=18 ;; esac
    echo "fill '$col' rectangle 9,$y 11,$((y + 2))"
    echo "fill '$ink' rectangle 13,$y $end,$((y + 2))"
  done
}

board48() {
  cat <<EOF
fill '$navy'     roundrectangle 4,6 44,47 4.5,4.5
fill '$blue_lo'  roundrectangle 5,7 43,46 3.5,3.5
fill '$blue'     roundrectangle 5,7 43,44 3.5,3.5
fill '$blue_hi'  rectangle 5,9 6,42
fill '$paper_sh' rectangle 10,13 41,43
fill '$paper'    rectangle 9,12 40,42
fill '$steel'    roundrectangle 18,0 30,10 4.5,4.5
fill '$silver'   roundrectangle 19,1 29,9 3.5,3.5
fill '$steel'    roundrectangle 22,3 26,6 1.2,1.2
fill '$steel'    roundrectangle 13,6 35,16 2,2
fill '$silver'   roundrectangle 14,7 34,15 1,1
fill '$shine'    rectangle 14,7 34,8.5
EOF
}
lines48() {
  local y end n=0 col
  for y in 19 24 29 34; do
    n=$((n + 1))
    case $n in 1) col=$c1 end=35 ;; 2) col=$c2 end=32 ;; 3) col=$c3 end=35 ;; 4) col=$c4 end=29 ;; esac
    echo "fill '$col' roundrectangle 13,$y 17,$((y + 4)) 1,1"
    echo "fill '$ink' rectangle 20,$((y + 1)) $end,$((y + 3))"
  done
}

# ---------------------------------------------------------------------------
# board.ico: the program's icon
# ---------------------------------------------------------------------------
xpm board16 <<'EOF'
......GGGG......
.....GS..SG.....
..KKGSssssSGKK..
.KbBGSSSSSSGBBK.
.KbWWGGGGGGWWdK.
.KbWWWWWWWWWWdK.
.KbWoWLLLLLWWdK.
.KbWWWWWWWWWWdK.
.KbWgWLLLLWWWdK.
.KbWWWWWWWWWWdK.
.KbWrWLLLLLLWdK.
.KbWWWWWWWWWWdK.
.KbWpWLLLWWWWdK.
.KbWWWWWWWWWWdK.
.KBddddddddddBK.
..KKKKKKKKKKKK..
EOF
{ board32; lines32; } | vec board32 32
{ board48; lines48; } | vec board48 48
{ board32; lines32; } | vecpx board20 32 20
{ board32; lines32; } | vecpx board24 32 24
ico board "$tmp/board16.png" "$tmp/board20.png" "$tmp/board24.png" "$tmp/board32.png" "$tmp/board48.png"

# ---------------------------------------------------------------------------
# tray.ico: plainer clipboard for the notification area
# ---------------------------------------------------------------------------
xpm tray16 <<'EOF'
......GGGG......
.....GS..SG.....
..KKGSssssSGKK..
.KbBGSSSSSSGBBK.
.KbWWGGGGGGWWdK.
.KbWWWWWWWWWWdK.
.KbWNNNNNNNNWdK.
.KbWWWWWWWWWWdK.
.KbWNNNNNNNNWdK.
.KbWWWWWWWWWWdK.
.KbWNNNNNNNNWdK.
.KbWWWWWWWWWWdK.
.KbWNNNNNWWWWdK.
.KbWWWWWWWWWWdK.
.KBddddddddddBK.
..KKKKKKKKKKKK..
EOF
{
  board32
  for y in 13 18 23; do
    end=23; [ "$y" = 23 ] && end=19
    echo "fill '#2b5d91' rectangle 9,$y $end,$((y + 3))"
  done
} >"$tmp/tray.draw"
vec tray32 32 <"$tmp/tray.draw"
vecpx tray20 32 20 <"$tmp/tray.draw"
vecpx tray24 32 24 <"$tmp/tray.draw"
ico tray "$tmp/tray16.png" "$tmp/tray20.png" "$tmp/tray24.png" "$tmp/tray32.png"

# ---------------------------------------------------------------------------
# readme.ico: a page with a blue "i" badge
# ---------------------------------------------------------------------------
xpm page16 <<'EOF'
..PPPPPPPP......
..PWWWWWWPP.....
..PWWWWWWPeP....
..PWWWWWWPPPP...
..PWWWWWWWWWP...
..PWLLLLLLWWP...
..PWWWWWWWWWP...
..PWLLLLLLLWP...
..PWWWWWWWWWP...
..PWLLLLWWWWP...
..PWWWWWWWWWP...
..PWLLLWWWWWP...
..PWWWWWWWWWP...
..PWWWWWWWWWP...
..PWWWWWWWWWP...
..PPPPPPPPPPP...
EOF
xpm info8 <<'EOF'
..IIII..
.IIiiII.
IIIIIIII
IIIiiIII
IIIiiIII
IIIiiIII
.IIiiII.
..IIII..
EOF
convert "$tmp/page16.png" "$tmp/info8.png" -geometry +8+8 -composite -strip "PNG32:$tmp/readme16.png"
vec readme32 32 <<EOF
fill '#66788c' polygon 5,1 20,1 27,8 27,31 5,31
fill '$paper'  polygon 6,2 19.6,2 26,8.5 26,30 6,30
fill '#d3dae2' polygon 19.6,2 19.6,8.5 26,8.5
fill '#66788c' polygon 19,1.5 20,1.5 20,8 26.5,8 26.5,9 19,9
fill '$ink'    rectangle 9,12 23,14
fill '$ink'    rectangle 9,16 21,18
fill '$ink'    rectangle 9,20 15,22
fill '$ink'    rectangle 9,24 14,26
fill '#ffffff' circle 23,24 23,15.5
fill '$info'   circle 23,24 23,16.5
fill '#ffffff' circle 23,19.5 23,18.1
fill '#ffffff' roundrectangle 22,22 24,29 0.5,0.5
EOF
ico readme "$tmp/readme16.png" "$tmp/readme32.png"

# ---------------------------------------------------------------------------
# uninstl.ico: the clipboard with a red cross badge
# ---------------------------------------------------------------------------
xpm cross9 <<'EOF'
..RRRRR..
.RRRRRRR.
RRiRRRiRR
RRRiRiRRR
RRRRiRRRR
RRRiRiRRR
RRiRRRiRR
.RRRRRRR.
..RRRRR..
EOF
convert "$tmp/board16.png" "$tmp/cross9.png" -geometry +7+7 -composite -strip "PNG32:$tmp/uninstl16.png"
{
  board32
  lines32
  cat <<EOF
fill '#ffffff' circle 23.5,23.5 23.5,15
fill '$stop'   circle 23.5,23.5 23.5,16
stroke '#ffffff' stroke-width 2.2 stroke-linecap round
line 20.5,20.5 26.5,26.5
line 26.5,20.5 20.5,26.5
EOF
} | vec uninstl32 32
ico uninstl "$tmp/uninstl16.png" "$tmp/uninstl32.png"

# ---------------------------------------------------------------------------
# splash.bmp: 480x344, 8-bit palette, uncompressed BMP3
# ---------------------------------------------------------------------------
W=480 H=344
{ board48; lines48; } | vec motif 48 4     # 192x192

# background: soft diagonal blue with a glow behind the clipboard
convert -size ${W}x${H} xc: \
  -sparse-color bilinear "0,0 #0e2138  $((W - 1)),0 #173a60  0,$((H - 1)) #142f52  $((W - 1)),$((H - 1)) #235a8e" \
  "$tmp/bg.png"
convert -size ${W}x${H} xc:none -fill 'rgba(110,170,235,0.45)' -draw "ellipse 122,168 120,120 0,360" \
  -blur 0x40 "$tmp/glow.png"
# faint cards fanned behind the clipboard
convert -size ${W}x${H} xc:none \
  -fill 'rgba(255,255,255,0.07)' -draw "translate 122,170 rotate -14 roundrectangle -80,-100 80,100 8,8" \
  -fill 'rgba(255,255,255,0.09)' -draw "translate 122,170 rotate 9 roundrectangle -80,-100 80,100 8,8" \
  "$tmp/cards.png"
# clipboard with a drop shadow
convert "$tmp/motif.png" -background none -rotate -4 "$tmp/motif_r.png"
convert "$tmp/motif_r.png" -background black -shadow 55x6+5+8 "$tmp/shadow.png"

convert "$tmp/bg.png" "$tmp/glow.png" -composite "$tmp/cards.png" -composite \
  "$tmp/shadow.png" -geometry +20+72 -composite \
  "$tmp/motif_r.png" -geometry +22+66 -composite \
  -fill '#102640' -draw "rectangle 0,300 $W,$H" \
  -fill "$c1" -draw "rectangle 0,298 $W,299" \
  -font "$bold" -pointsize 58 -fill 'rgba(0,0,0,0.35)' -annotate +244+153 'Varnel' \
  -fill '#ffffff' -annotate +242+150 'Varnel' \
  -font "$book" -pointsize 19 -fill '#cfe3f7' -annotate +245+182 'Clip-board Organiser' \
  -fill "$c1" -draw "rectangle 246,197 305,199" \
  -font "$book" -pointsize 14 -fill '#9fbfe0' -annotate +246+224 "Version $version" \
  -font "$bold" -pointsize 15 -fill '#ffffff' -annotate +20+327 'Kestrune' \
  -font "$book" -pointsize 11 -fill '#8fa9c6' -gravity SouthEast -annotate +20+15 'Keeps every clip in its place' \
  -gravity NorthWest \
  "$tmp/full.png"

convert "$tmp/full.png" -alpha off -dither FloydSteinberg -colors 256 -type Palette \
  -compress None "BMP3:$out/splash.bmp"

# banner.bmp: the installer's backdrop picture, the splash's motif with an installation footer;
# uninstall-banner.bmp the same for removal, which must not say "Installation".
banner() {
  local subtitle=$1 footer=$2 name=$3
convert "$tmp/bg.png" "$tmp/glow.png" -composite "$tmp/cards.png" -composite \
  "$tmp/shadow.png" -geometry +20+72 -composite \
  "$tmp/motif_r.png" -geometry +22+66 -composite \
  -fill '#102640' -draw "rectangle 0,300 $W,$H" \
  -fill "$c2" -draw "rectangle 0,298 $W,299" \
  -font "$bold" -pointsize 58 -fill 'rgba(0,0,0,0.35)' -annotate +244+153 'Varnel' \
  -fill '#ffffff' -annotate +242+150 'Varnel' \
  -font "$book" -pointsize 19 -fill '#cfe3f7' -annotate +245+182 "$subtitle" \
  -fill "$c2" -draw "rectangle 246,197 305,199" \
  -font "$book" -pointsize 14 -fill '#9fbfe0' -annotate +246+224 "Version $version" \
  -font "$bold" -pointsize 15 -fill '#ffffff' -annotate +20+327 'Kestrune' \
  -font "$book" -pointsize 11 -fill '#8fa9c6' -gravity SouthEast -annotate +20+15 "$footer" \
  -gravity NorthWest \
  "$tmp/banner.png"
convert "$tmp/banner.png" -alpha off -dither FloydSteinberg -colors 256 -type Palette \
  -compress None "BMP3:$out/$name"
}
banner 'Installation' 'Setting up your clip-board organiser' banner.bmp
banner 'UnInstalling' 'Removing your clip-board organiser' uninstall-banner.bmp

echo "make-art.sh: wrote board.ico tray.ico readme.ico uninstl.ico splash.bmp banner.bmp uninstall-banner.bmp into $out"
