#!/usr/bin/env bash
# Rewrites the golden stills of the whole-show test (tests/whole_show/golden/*.png) from the
# current build: run it when a change to the pictures is intended, look at the new stills, and
# commit them with the change. It runs the whole show once (a few minutes on software GL).
# Usage: scripts/update-golden.sh
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
  "") ;;
  *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
esac

build=${BRINEFALL_BUILD_DIR:-build}
if [ ! -d "$build" ]; then
  echo "$build is missing: run scripts/setup.sh --all (or ./test.sh) first" >&2
  exit 1
fi
cmake --build "$build" -j "$(nproc)" --target whole_show_tests brinefall-capture show_dir
BRINEFALL_UPDATE_GOLDEN=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tests/whole_show/whole_show_tests"
echo "Golden stills: tests/whole_show/golden/ (look at them, then commit them)"
