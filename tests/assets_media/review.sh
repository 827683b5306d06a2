#!/usr/bin/env bash
# Review sheets of the generated media: a contact sheet of every picture and cut-out, and a
# spectrogram of the music with each accented cue marked by a line (white: full hits, the
# section boundaries in cyan).
#   tests/assets_media/review.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=${1:?build directory}
out=${2:?output directory}
cmake --build "$build" --target media_review -j 2 >/dev/null
"$build/tests/assets_media/media_review" "$out" --music

# Raw spectrogram: one column per pixel across the whole length, so a time maps to x directly.
width=2048
height=400
sox "$out/music.ogg" -n remix 1,2 spectrogram -r -x "$width" -y "$height" -z 90 -o "$out/spectrogram_raw.png"
seconds=$(soxi -D "$out/music.ogg")
draw=()
while read -r t; do
  x=$(awk -v t="$t" -v s="$seconds" -v w="$width" 'BEGIN { printf "%d", t / s * w }')
  draw+=(-draw "line $x,0 $x,12")
  draw+=(-draw "line $x,$((height - 12)) $x,$height")
done < "$out/accents.txt"
sections=()
for t in 76.8 289 361 495 505; do
  x=$(awk -v t="$t" -v s="$seconds" -v w="$width" 'BEGIN { printf "%d", t / s * w }')
  sections+=(-draw "line $x,0 $x,$height")
done
ticks=()
for t in $(seq 0 20 500); do
  x=$(awk -v t="$t" -v s="$seconds" -v w="$width" 'BEGIN { printf "%d", t / s * w }')
  ticks+=(-draw "text $((x + 2)),$((height + 6)) '$t'")
done
convert "$out/spectrogram_raw.png" -background black -gravity north -extent "${width}x$((height + 30))" -gravity northwest \
  -stroke white -strokewidth 1 "${draw[@]}" -stroke cyan "${sections[@]}" -stroke none -fill gray80 -pointsize 14 "${ticks[@]}" \
  "$out/spectrogram.png"
sox "$out/music.ogg" -n stats 2>&1 | sed -n '1,8p'
echo "contact sheet: $out/contact_sheet.png"
echo "spectrogram:   $out/spectrogram.png"
