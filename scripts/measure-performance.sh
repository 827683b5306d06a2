#!/usr/bin/env bash
# Measures what docs/performance.md reports, with brinefall-capture --stats on a virtual display:
# the loading time of each scene and in all, and the median and 95th-percentile frame time of each
# scene, at 640x360 and at 1280x720. The whole show is drawn at 2 frames per second of show time
# (every frame costs what it costs at any rate; fewer of them keep the run short).
# Usage: scripts/measure-performance.sh [--fps N] [SIZE...]   (default sizes: 640x360 1280x720)
set -euo pipefail
cd "$(dirname "$0")/.."

fps=2
sizes=()
while (($#)); do
  case "$1" in
    --fps) fps=$2; shift ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *x*) sizes+=("$1") ;;
    *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
done
((${#sizes[@]})) || sizes=(640x360 1280x720)

build=${BRINEFALL_BUILD_DIR:-build}
out=out/performance
mkdir -p "$out"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for size in "${sizes[@]}"; do
  xvfb-run -a -s "-screen 0 1920x1080x24" "$build/brinefall-capture" --show-dir "$build/show" \
    --size "$size" --fps "$fps" --stats "$out/stats_$size.json" > "$out/capture_$size.out" \
    2> "$out/capture_$size.log"
  echo "== $size, $fps fps (load average now: $(cut -d' ' -f1-3 /proc/loadavg))"
  python3 - "$out/stats_$size.json" <<'PY'
import json, sys
stats = json.load(open(sys.argv[1]))
names = ["opening", "toys", "middle", "final"]
s = stats["startup"]
print("loading ms: loading screen %.0f, %s, total %.0f" % (s["loader_ms"] or 0, ", ".join(
    "%s %s" % (n, "-" if v is None else "%.0f" % v) for n, v in zip(names, s["scene_load_ms"])), s["total_ms"]))
print("| scene | frames | median ms | p95 ms |")
print("|---|---|---|---|")
for n, f in zip(names, stats["scene_frames"]):
    print("| %s | %d | %.0f | %.0f |" % (n, f["frames"], f["median_ms"], f["p95_ms"]))
r = stats.get("resources", {})
print("resident KiB: after loading %s, after the first frame %s, at the end %s, peak %s; GL objects made after loading: %s"
      % (r.get("resident_after_load_kb"), r.get("resident_after_first_frame_kb"), r.get("resident_at_end_kb"),
         r.get("peak_resident_kb"), r.get("gl_objects_created_after_load")))
PY
done
