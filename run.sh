#!/usr/bin/env bash
# Sets up everything (packages, build, show directory) and runs the show.
# Without a display it renders stills across the show instead (and a video with --video).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd build/show
  exec ../brinefall
fi
scripts/headless.sh "$@"
