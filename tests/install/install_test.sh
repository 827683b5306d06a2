#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs what was installed, from another working
# directory: the capture launcher renders a few frames of the installed show directory, the show's
# launcher reaches the installed show (which, without a display, says so and exits with 1), the
# desktop entry names the launcher, and brinefall-tool checks an installed file.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$(readlink -f "$1")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix/usr" > "$prefix/install.log"
for path in bin/brinefall bin/brinefall-capture bin/brinefall-tool libexec/brinefall/brinefall \
    libexec/brinefall/brinefall-capture share/applications/brinefall.desktop \
    "share/brinefall/show/music/xo. + lu - mixed tracks (1+2).ogg" \
    share/brinefall/show/Other/try1.sav share/brinefall/show/neomeshes/chess.objt; do
  [ -e "$prefix/usr/$path" ] || fail "$path was not installed"
done

# The desktop entry names the launcher on the PATH of an installed system.
grep -qx 'Exec=brinefall' "$prefix/usr/share/applications/brinefall.desktop" || fail "desktop entry Exec"
grep -qx 'Type=Application' "$prefix/usr/share/applications/brinefall.desktop" || fail "desktop entry Type"

# Moved as a whole, the tree still works: the launchers find everything relative to themselves.
mv "$prefix/usr" "$prefix/moved"
work="$prefix/elsewhere"
mkdir -p "$work"
cd "$work"
if [ -n "${DISPLAY:-}" ]; then
  "$prefix/moved/bin/brinefall-capture" --size 64x36 --fps 2 --to 1 --out frames \
    > capture.log 2>&1 || { cat capture.log >&2; fail "installed capture"; }
  [ "$(ls frames/*.png | wc -l)" -eq 3 ] || fail "installed capture wrote $(ls frames | wc -l) files"
  grep -q "GL error" capture.log && fail "GL errors in the installed capture"
else
  echo "no display: the installed capture is not run (run the tests under xvfb-run)"
fi

# Without a display the show stops at once with its message and exit code 1: the launcher reached
# the installed program.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/moved/bin/brinefall" > show.log 2>&1 || status=$?
[ "$status" -eq 1 ] || { cat show.log >&2; fail "installed show exit code $status"; }
grep -q "no display found" show.log || { cat show.log >&2; fail "installed show message"; }

"$prefix/moved/bin/brinefall-tool" bvh "$prefix/moved/share/brinefall/show/neomeshes/avatar_run.bvh" \
  > tool.log || fail "installed brinefall-tool"
echo "installed and ran from $prefix"
