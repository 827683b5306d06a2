#!/usr/bin/env bash
# Installs what the build needs (Debian packages, only those missing), configures build/ and
# builds into it.
# Usage: scripts/setup.sh [--all]
#   (default)  only what running needs: the show, brinefall-capture, brinefall-tool, the asset
#              tool and the show directory build/show/ (./run.sh)
#   --all      everything, the tests and benchmarks too (./test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(--target brinefall brinefall-capture brinefall-tool brinefall-assets show_dir)
for arg in "$@"; do
  case "$arg" in
    --all) targets=() ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $arg (try --help)" >&2; exit 2 ;;
  esac
done

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libglew-dev libglu1-mesa-dev libimgui-dev
  libvorbis-dev libkissfft-dev libopencv-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libstb-dev libtinyobjloader-dev
  libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri ffmpeg
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs" "${targets[@]}"
echo "Built into build/; the show directory is build/show/"
