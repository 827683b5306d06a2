#!/usr/bin/env bash
# Refactors must not change a picture: this captures a still every second of the whole show
# (256x144 unless --size says otherwise, the 30 fps step) and compares them byte for byte with a
# folder made the same way before the change.
# Usage: scripts/compare-stills.sh record DIR [OPTIONS]    write the stills of the current build to DIR
#        scripts/compare-stills.sh compare DIR [OPTIONS]   capture again and compare with DIR
# Options (give the same to record and compare):
#   --size WxH     the stills' size
#   --low-spec     the setup dialog's "Low spec GPU"
#   --psnr MIN     for a change meant to move pixels a little: stills may differ, but each must
#                  be at least MIN dB (PSNR, ffmpeg) from the recorded one; prints the worst
# Needs a built build/ (scripts/setup.sh) and a display (it uses xvfb-run when there is none).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 2; }
mode=${1:-}
dir=${2:-}
[[ -n "$dir" && ( "$mode" == record || "$mode" == compare ) ]] || usage
shift 2
size=256x144
low_spec=()
min_psnr=
while [ $# -gt 0 ]; do
  case $1 in
    --size) size=$2; shift 2 ;;
    --low-spec) low_spec=(--low-spec); shift ;;
    --psnr) min_psnr=$2; shift 2 ;;
    *) usage ;;
  esac
done
capture() {
  local out=$1
  local run=()
  [ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24")
  "${run[@]}" build/brinefall-capture --size "$size" "${low_spec[@]}" --fps 30 --every 30 --out "$out" \
    >/dev/null 2>&1
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
if [ -z "$min_psnr" ]; then
  echo "$same stills identical, ${#differ[@]} differ${differ:+: ${differ[*]}}"
  [ ${#differ[@]} -eq 0 ]
  exit
fi
# PSNR of each differing still; a missing one counts as 0 dB.
worst=inf worst_name= below=()
for name in "${differ[@]}"; do
  db=0
  if [ -f "$now/$name" ]; then
    db=$(ffmpeg -hide_banner -i "$dir/$name" -i "$now/$name" -lavfi psnr -f null - 2>&1 |
         sed -n 's/.* average:\([0-9.inf]*\).*/\1/p')
  fi
  if [ "$worst" = inf ] || awk -v a="$db" -v b="$worst" 'BEGIN { exit !(a < b) }'; then
    worst=$db worst_name=$name
  fi
  awk -v a="$db" -v m="$min_psnr" 'BEGIN { exit !(a < m) }' && below+=("$name ($db dB)")
done
echo "$same stills identical, ${#differ[@]} differ; worst ${worst} dB${worst_name:+ ($worst_name)}"
[ ${#below[@]} -eq 0 ] || { echo "below $min_psnr dB: ${below[*]}"; exit 1; }
