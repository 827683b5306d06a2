#!/usr/bin/env bash
# Rewrites docs/contact_sheet.png, the README's picture of the show: twenty stills across every
# scene (one every 25 s of show time from 10 s on), each labelled with its show time, drawn offline
# by brinefall-capture on a virtual display.
# Usage: scripts/update-contact-sheet.sh
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
  "") ;;
  *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
esac
build=${BRINEFALL_BUILD_DIR:-build}
stills=$(mktemp -d)
trap 'rm -rf "$stills"' EXIT
mkdir -p docs
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/brinefall-capture" --show-dir "$build/show" \
  --size 320x180 --fps 4 --from 10 --every 100 --out "$stills" --sheet docs/contact_sheet.png
echo "Contact sheet: docs/contact_sheet.png"
