#!/usr/bin/env bash
# What ./run.sh does without a display: renders the show offline with brinefall-capture on a
# virtual X display (software GL) and leaves pictures to look at:
#   out/headless/contact_sheet.png   one still every 30 s of show time, tiled
#   out/headless/stills/             the stills themselves, with frames.csv
#   out/headless/brinefall.mp4       the whole show with its music (only with --video; slow)
# Usage: scripts/headless.sh [--video]
set -euo pipefail
cd "$(dirname "$0")/.."

video=0
for arg in "$@"; do
  case "$arg" in
    --video) video=1 ;;
    -h|--help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown argument: $arg (try --help)" >&2; exit 2 ;;
  esac
done

# BRINEFALL_BUILD_DIR points at another build tree (default build/).
build=${BRINEFALL_BUILD_DIR:-build}
capture=$build/brinefall-capture
if [ ! -x "$capture" ]; then
  echo "$capture is missing: run scripts/setup.sh (or ./run.sh) first" >&2
  exit 1
fi
out=out/headless
mkdir -p "$out"
rm -rf "$out/stills"
xvfb=(xvfb-run -a -s "-screen 0 1920x1080x24")

# Stills: the show simulated at 5 frames per second (every frame depends only on its number),
# every 150th frame written, so one still per 30 s of show time.
echo "Rendering stills across the show (software GL; this takes a few minutes)..."
"${xvfb[@]}" "$capture" --show-dir "$build/show" --size 480x270 --fps 5 --every 150 \
  --out "$out/stills" --stats "$out/stats.json"

sheet="$out/contact_sheet.png"
shopt -s nullglob
stills=("$out"/stills/frame_*.png)
if ((${#stills[@]} == 0)); then
  echo "No stills were written (see the messages above)." >&2
  exit 1
fi
if command -v montage >/dev/null; then
  # Label each still with its show time (frame number / 5).
  labelled=()
  for f in "${stills[@]}"; do
    n=$(basename "$f" .png); n=$((10#${n#frame_}))
    labelled+=(-label "$((n / 5)) s" "$f")
  done
  montage "${labelled[@]}" -tile 4x -geometry +4+4 -background black -fill white "$sheet"
else
  ffmpeg -hide_banner -loglevel error -y -framerate 1 -pattern_type glob \
    -i "$out/stills/frame_*.png" -vf "tile=4x5:padding=4" -frames:v 1 "$sheet"
fi
echo "Contact sheet: $sheet (stills in $out/stills/, frame times in $out/stats.json)"

if ((video)); then
  echo "Rendering the whole show as a video at 640x360, 25 fps (this takes long on software GL)..."
  "${xvfb[@]}" "$capture" --show-dir "$build/show" --size 640x360 --fps 25 \
    --video "$out/brinefall.mp4"
  echo "Video: $out/brinefall.mp4"
fi
