#!/usr/bin/env bash
# Builds the show with AddressSanitizer and UndefinedBehaviorSanitizer in a build tree of its own
# (build-asan/), then runs it through brinefall-capture and runs the fault tests (every kind of data
# file missing or spoilt) against that build. Any sanitizer report fails the run.
#
# Usage: scripts/sanitize.sh [--quick] [--to SECONDS] [--skip-faults]
#   (default)      the release check: the whole show at 96x54 and 2 frames a second, then the fault
#                  tests (long on a small machine; not part of ./test.sh)
#   --quick        the CI stage (.ci/run): one second of each scene at 96x54 and 10 frames a
#                  second (show time 10, 100, 300 and 400 s), every fuzz target's committed corpus
#                  replayed, then the fault tests
#   --to SECONDS   the whole-show run stops at SECONDS
#   --skip-faults  no fault tests
set -euo pipefail
cd "$(dirname "$0")/.."

range=()
faults=1
quick=0
while (($#)); do
  case "$1" in
    --to)
      if (($# < 2)) || ! [[ "$2" =~ ^[0-9]+([.][0-9]+)?$ ]]; then
        echo "--to needs a number of seconds (try --help)" >&2
        exit 2
      fi
      range=(--to "$2")
      shift ;;
    --quick) quick=1 ;;
    --skip-faults) faults=0 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
done
if ((quick)) && ((${#range[@]})); then
  echo "--quick runs its own stretches: leave out --to" >&2
  exit 2
fi

build=${BRINEFALL_SANITIZE_DIR:-build-asan}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
# Only what runs here: the instrumented build of everything else would cost more than the runs.
targets=(brinefall-capture show_dir)
((faults)) && targets+=(fault_tests)
replays=()
((quick)) && mapfile -t replays < <(awk '{ print $2 }' "$build/fuzz_targets.txt")
stage=$SECONDS
nice cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" "${replays[@]}"
echo "Instrumented build: $((SECONDS - stage)) s"

# The show keeps everything it loads until the process ends, and capture ends it with _exit:
# leak checking has nothing to say. Every other report counts, and UBSan's go to stderr too.
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1
out=out/sanitize
mkdir -p "$out"
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")

# capture NAME ARGS...: one run of the instrumented capture; fails on a report, a GL error or an
# exit code other than 0.
capture() {
  local name=$1
  shift
  rm -rf "${out:?}/$name"
  local status=0 start=$SECONDS
  "${xvfb[@]}" "$build/brinefall-capture" --show-dir "$build/show" --size 96x54 --out "$out/$name" "$@" \
    > "$out/$name.log" 2> "$out/$name.err" || status=$?
  if grep -E "ERROR: AddressSanitizer|runtime error:|GL error" "$out/$name.err"; then
    echo "sanitizer or GL error reports: see $out/$name.err" >&2
    exit 1
  fi
  if ((status != 0)); then
    echo "the run $name ended with exit code $status: see $out/$name.err" >&2
    exit 1
  fi
  echo "  $name clean: $(($(wc -l < "$out/$name/frames.csv") - 1)) frames written, $((SECONDS - start)) s"
}

if ((quick)); then
  echo "Running a second of each scene under the sanitizers (96x54, 10 fps)..."
  for from in 10 100 300 400; do
    capture "scene_at_$from" --fps 10 --from "$from" --to "$((from + 1))"
  done
  echo "Replaying the fuzz corpora under the sanitizers..."
  stage=$SECONDS
  ctest --test-dir "$build" -R '^CorpusReplay\.' --output-on-failure
  echo "Corpus replays: $((SECONDS - stage)) s"
else
  echo "Running the show under the sanitizers (96x54, 2 fps)..."
  capture stills --fps 2 --every 60 "${range[@]}" --stats "$out/stats.json"
fi

if ((faults)); then
  echo "Running the fault tests under the sanitizers..."
  stage=$SECONDS
  "${xvfb[@]}" ctest --test-dir "$build" -R '^Faults\.' --output-on-failure --timeout 900
  echo "Fault tests: $((SECONDS - stage)) s"
fi
echo "No sanitizer report."
