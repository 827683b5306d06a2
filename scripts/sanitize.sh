#!/usr/bin/env bash
# Builds the show with AddressSanitizer and UndefinedBehaviorSanitizer in a build tree of its own
# (build-asan/), then runs the whole show through brinefall-capture at a small size and a low
# frame rate, and the fault tests (every kind of data file missing or spoilt) against that build.
# Any sanitizer report fails the run. Not part of ./test.sh: the instrumented build and run take
# a good while on a small machine.
# Usage: scripts/sanitize.sh [--to SECONDS] [--skip-faults]
#   --to SECONDS   only the show's first SECONDS (default: the whole show)
#   --skip-faults  only the show run
set -euo pipefail
cd "$(dirname "$0")/.."

range=()
faults=1
while (($#)); do
  case "$1" in
    --to)
      if (($# < 2)) || ! [[ "$2" =~ ^[0-9]+([.][0-9]+)?$ ]]; then
        echo "--to needs a number of seconds (try --help)" >&2
        exit 2
      fi
      range=(--to "$2")
      shift ;;
    --skip-faults) faults=0 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
done

build=${BRINEFALL_SANITIZE_DIR:-build-asan}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=(--target brinefall-capture show_dir)
((faults)) && targets+=(fault_tests)
cmake --build "$build" -j "$(nproc)" "${targets[@]}"

# The show keeps everything it loads until the process ends, and capture ends it with _exit:
# leak checking has nothing to say. Every other report counts, and UBSan's go to stderr too.
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1
out=out/sanitize
mkdir -p "$out"
rm -rf "$out/stills"
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
echo "Running the show under the sanitizers (96x54, 2 fps)..."
status=0
"${xvfb[@]}" "$build/brinefall-capture" --show-dir "$build/show" --size 96x54 --fps 2 --every 60 \
  "${range[@]}" --out "$out/stills" --stats "$out/stats.json" > "$out/show.log" 2> "$out/show.err" ||
  status=$?
if grep -E "ERROR: AddressSanitizer|runtime error:|GL error" "$out/show.err"; then
  echo "sanitizer or GL error reports: see $out/show.err" >&2
  exit 1
fi
if ((status != 0)); then
  echo "the show run ended with exit code $status: see $out/show.err" >&2
  exit 1
fi
echo "Show run clean: $(wc -l < "$out/stills/frames.csv") lines in frames.csv, figures in $out/stats.json"

if ((faults)); then
  echo "Running the fault tests under the sanitizers..."
  "${xvfb[@]}" ctest --test-dir "$build" -R '^Faults\.' --output-on-failure --timeout 900
fi
echo "No sanitizer report."
