#!/usr/bin/env bash
# What ./run.sh does without a display (or with --video): renders the show offline with
# brinefall-capture on a virtual X display (software GL) and leaves pictures to look at:
#   out/headless/contact_sheet.png   a still every 30 s of show time, each labelled with its time
#   out/headless/stills/             the stills themselves, with frames.csv
#   out/headless/brinefall.mp4       the whole show with its music (only with --video; slow)
# Usage: scripts/headless.sh [--video] [--to SECONDS] [--render-scale S|auto]
#   --to SECONDS   only the show's first SECONDS (a quicker look; the video stops there too)
#   --render-scale the scenes' render scale, passed to brinefall-capture
set -euo pipefail
cd "$(dirname "$0")/.."

video=0
range=()
scale=()
while (($#)); do
  case "$1" in
    --video) video=1 ;;
    --to)
      if (($# < 2)) || ! [[ "$2" =~ ^[0-9]+([.][0-9]+)?$ ]]; then
        echo "--to needs a number of seconds (try --help)" >&2
        exit 2
      fi
      range=(--to "$2")
      shift ;;
    --render-scale)
      if (($# < 2)); then
        echo "--render-scale needs a value (try --help)" >&2
        exit 2
      fi
      scale=(--render-scale "$2")
      shift ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
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
rm -rf "$out/stills" "$out/contact_sheet.png"
xvfb=(xvfb-run -a -s "-screen 0 1920x1080x24")

# Stills: the show simulated at 5 frames per second (every frame depends only on its number),
# every 150th frame written, so one still per 30 s of show time. Capture tiles them itself, with
# its own font, so the sheet needs nothing else installed.
sheet="$out/contact_sheet.png"
echo "Rendering stills across the show (software GL; this takes a few minutes)..."
"${xvfb[@]}" "$capture" --show-dir "$build/show" --size 480x270 --fps 5 --every 150 \
  "${range[@]}" "${scale[@]}" --out "$out/stills" --stats "$out/stats.json" --sheet "$sheet"
echo "Contact sheet: $sheet (stills in $out/stills/, frame times in $out/stats.json)"

if ((video)); then
  echo "Rendering the show as a video at 640x360, 25 fps (this takes long on software GL)..."
  "${xvfb[@]}" "$capture" --show-dir "$build/show" --size 640x360 --fps 25 "${range[@]}" "${scale[@]}" \
    --video "$out/brinefall.mp4"
  echo "Video: $out/brinefall.mp4"
fi
