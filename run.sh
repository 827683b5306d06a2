#!/usr/bin/env bash
# Sets up what the show needs (packages, build, show directory) and runs the show.
# Without a display, or with --video, it renders the show offline instead (scripts/headless.sh):
# a contact sheet of stills across the show, and with --video the whole show as an mp4 with its
# music. The video is always rendered offline, so that it does not depend on the display's speed.
# Usage: ./run.sh [--video] [--render-scale S|auto] [--author]
#   --render-scale S   render the scenes at S (0.1..1) of the picture size and scale them up, or
#                      "auto": the largest scale that holds 24 frames per second on this machine
#                      (the setup dialog starts with it chosen); default 1
#   --author           the show with live controls (pause, seek, shader reload) and an overlay
set -euo pipefail
cd "$(dirname "$0")"

headless=()
scale=()
author=()
while (($#)); do
  case "$1" in
    --video) headless+=(--video) ;;
    --author) author=(--author) ;;
    --render-scale)
      if (($# < 2)) || ! [[ "$2" =~ ^(auto|0?[.][0-9]+|1([.]0*)?)$ ]]; then
        echo "--render-scale needs 0.1..1 or auto (try --help)" >&2
        exit 2
      fi
      scale=(--render-scale "$2")
      shift ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
done

scripts/setup.sh
if ((${#headless[@]} == 0)) && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd build/show
  exec ../brinefall "${scale[@]}" "${author[@]}"
fi
exec scripts/headless.sh "${headless[@]}" "${scale[@]}"
