#!/usr/bin/env bash
# Sets up everything (packages, build of every target, show directory) and runs every test. GL
# tests run on software GL under a virtual X display.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --all
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 900
