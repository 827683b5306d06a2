#!/usr/bin/env bash
# Sets up what the show needs (packages, build, show directory) and runs the show.
# Without a display, or with --video, it renders the show offline instead (scripts/headless.sh):
# a contact sheet of stills across the show, and with --video the whole show as an mp4 with its
# music. The video is always rendered offline, so that it does not depend on the display's speed.
# Usage: ./run.sh [--video]
set -euo pipefail
cd "$(dirname "$0")"

headless=()
for arg in "$@"; do
  case "$arg" in
    --video) headless=(--video) ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $arg (try --help)" >&2; exit 2 ;;
  esac
done

scripts/setup.sh
if ((${#headless[@]} == 0)) && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd build/show
  exec ../brinefall
fi
exec scripts/headless.sh "${headless[@]}"
