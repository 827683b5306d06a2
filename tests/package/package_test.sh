#!/usr/bin/env bash
# Makes the Debian package from the build, checks what it declares and holds, unpacks it into a
# scratch root (dpkg-deb -x: what dpkg would place under /) and runs the programs from there, from
# another working directory: their versions, and the capture launcher rendering a few frames of the
# installed show directory.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(readlink -f "$1")
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/package") > "$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack"; }
arch=$(dpkg --print-architecture)
deb="$scratch/package/brinefall_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$scratch/package")"

# What apt needs to pull in on a clean machine: the libraries the programs link (found by
# dpkg-shlibdeps) and what they run or read.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libglew libopencv-core libopencv-imgcodecs libvorbisfile3 libfreetype6 \
    libkissfft-float ffmpeg fonts-dejavu-core libgl1-mesa-dri; do
  [[ "$depends" == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = brinefall ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for path in bin/brinefall bin/brinefall-capture bin/brinefall-tool libexec/brinefall/brinefall \
    libexec/brinefall/brinefall-capture share/applications/brinefall.desktop \
    share/icons/hicolor/48x48/apps/brinefall.png share/icons/hicolor/256x256/apps/brinefall.png \
    "share/brinefall/show/music/xo. + lu - mixed tracks (1+2).ogg" share/brinefall/show/Other/try1.sav \
    share/brinefall/show/neomeshes/chess.objt share/brinefall/show/Other/PostProcessing/f_blurpass2.glsl; do
  [ -e "$root/usr/$path" ] || fail "the package has no /usr/$path"
done
grep -qx 'Icon=brinefall' "$root/usr/share/applications/brinefall.desktop" || fail "desktop entry Icon"
# A PNG 256 pixels wide and high: the signature, then the header's width and height.
header=$(od -An -tx1 -N24 "$root/usr/share/icons/hicolor/256x256/apps/brinefall.png" | tr -d ' \n')
[ "$header" = "89504e470d0a1a0a0000000d4948445200000100""00000100" ] || fail "icon header $header"

work="$scratch/elsewhere"
mkdir -p "$work"
cd "$work"
for program in brinefall brinefall-capture brinefall-tool; do
  [ "$("$root/usr/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
  "$root/usr/bin/$program" --help | grep -q "^usage: $program" || fail "$program --help"
done
if [ -n "${DISPLAY:-}" ]; then
  "$root/usr/bin/brinefall-capture" --size 64x36 --fps 10 --to 0.2 --out frames > capture.log 2>&1 ||
    { cat capture.log >&2; fail "the installed capture"; }
  [ "$(ls frames/*.png | wc -l)" -eq 3 ] || fail "the installed capture wrote $(ls frames | wc -l) files"
  grep -q "GL error" capture.log && fail "GL errors in the installed capture"
else
  echo "no display: the installed capture is not run (run the tests under xvfb-run)"
fi
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KB, unpacked and ran from $root"
