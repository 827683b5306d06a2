#!/usr/bin/env bash
# Refactors must not change a picture: this captures a still every second of the whole show
# (256x144, the 30 fps step) and compares them byte for byte with a folder made the same way
# before the change.
# Usage: scripts/compare-stills.sh record DIR    write the stills of the current build to DIR
#        scripts/compare-stills.sh compare DIR   capture again and compare with DIR
# Needs a built build/ (scripts/setup.sh) and a display (it uses xvfb-run when there is none).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
dir=${2:-}
if [[ -z "$dir" || ( "$mode" != record && "$mode" != compare ) ]]; then
  awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
  exit 2
fi
capture() {
  local out=$1
  local run=()
  [ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24")
  "${run[@]}" build/brinefall-capture --size 256x144 --fps 30 --every 30 --out "$out" >/dev/null 2>&1
}
if [ "$mode" = record ]; then
  rm -rf "$dir"
  capture "$dir"
  echo "$(ls "$dir"/frame_*.png | wc -l) stills in $dir"
  exit 0
fi
now=$(mktemp -d)
trap 'rm -rf "$now"' EXIT
capture "$now"
same=0
differ=()
for still in "$dir"/frame_*.png; do
  name=$(basename "$still")
  if cmp -s "$still" "$now/$name"; then same=$((same + 1)); else differ+=("$name"); fi
done
echo "$same stills identical, ${#differ[@]} differ${differ:+: ${differ[*]}}"
[ ${#differ[@]} -eq 0 ]
