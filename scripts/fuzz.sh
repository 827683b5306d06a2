#!/usr/bin/env bash
# Builds the libFuzzer targets (clang with AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs them one after another, each on one core at the lowest priority.
#
# Each target starts from its committed corpus (fuzz/MODULE/*corpus*) and keeps what it learns in
# out/fuzz/TARGET/corpus, so a later run goes on from there; the committed corpus is never
# written. A finding (crash, sanitizer report, leak, timeout, out of memory) is saved as
# out/fuzz/TARGET/crash-* (or leak-*, timeout-*, oom-*) and fails the run: mend the loader, then
# add the input to the committed corpus, where ./test.sh replays it from then on.
#
# Usage: scripts/fuzz.sh [--time SECONDS] [--replay] [TARGET...]
#   --time SECONDS  how long each target runs (default 60)
#   --replay        only runs every committed corpus once (libFuzzer's -runs=0)
#   TARGET...       the targets to run (default: all; scripts/fuzz.sh --list names them)
#   --list          names the targets and their corpora
# Prints a line per target: seconds, executions, findings and corpus size, from libFuzzer's final
# statistics; the whole output of each is in out/fuzz/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
replay=0
list=0
wanted=()
while (($#)); do
  case "$1" in
    --time)
      if (($# < 2)) || ! [[ "$2" =~ ^[0-9]+$ ]]; then
        echo "--time needs a whole number of seconds (try --help)" >&2
        exit 2
      fi
      seconds=$2
      shift ;;
    --replay) replay=1 ;;
    --list) list=1 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    -*) echo "unknown option: $1 (try --help)" >&2; exit 2 ;;
    *) wanted+=("$1") ;;
  esac
  shift
done

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a \
    >/dev/null 2>&1; then
  echo "Installing clang and its libFuzzer runtime"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi

build=build-fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$build" -DBRINEFALL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null

# "NAME TARGET PROGRAM CORPUS" per line, written by fuzz/CMakeLists.txt.
names=() programs=() corpora=()
while read -r name _ program corpus; do
  if ((${#wanted[@]})) && [[ ! " ${wanted[*]} " == *" $name "* ]]; then continue; fi
  names+=("$name") programs+=("$program") corpora+=("$corpus")
done < "$build/fuzz_targets.txt"
if ((list)); then
  for i in "${!names[@]}"; do echo "${names[$i]}  ${corpora[$i]#"$PWD/"}"; done
  exit 0
fi
for name in "${wanted[@]}"; do
  [[ " ${names[*]} " == *" $name "* ]] || { echo "no fuzz target $name (try --list)" >&2; exit 2; }
done
nice cmake --build "$build" -j "$(nproc)" --target "${names[@]}"

failed=0
printf '%-20s %8s %12s %9s %14s\n' target seconds executions findings corpus
for i in "${!names[@]}"; do
  name=${names[$i]} program=${programs[$i]} corpus=${corpora[$i]}
  work=out/fuzz/$name
  mkdir -p "$work/corpus"
  log=out/fuzz/$name.log
  # Per input at most 20 s and 2 GB: a slower or bigger one is a finding. Standard output is
  # closed: the loaders log every file they read.
  options=(-print_final_stats=1 -timeout=20 -rss_limit_mb=2048 -close_fd_mask=1 -artifact_prefix="$work/")
  if ((replay)); then
    options+=(-runs=0)
    dirs=("$corpus")
  else
    options+=(-max_total_time="$seconds")
    dirs=("$work/corpus" "$corpus")
  fi
  before=$(ls "$work" | grep -cE '^(crash|leak|timeout|oom|slow-unit)-' || true)
  status=0
  nice -n 19 "$program" "${options[@]}" "${dirs[@]}" > "$log" 2>&1 || status=$?
  after=$(ls "$work" | grep -cE '^(crash|leak|timeout|oom|slow-unit)-' || true)
  runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
  took=$(awk '/^Done [0-9]+ runs in/ { print $(NF-1) }' "$log")
  files=$(find "${dirs[@]}" -type f | wc -l)
  bytes=$(find "${dirs[@]}" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  printf '%-20s %8s %12s %9s %14s\n' "$name" "${took:-?}" "${runs:-?}" "$((after - before))" \
    "$files files $((bytes / 1024)) KB"
  if ((status != 0 || after > before)); then
    echo "  $name failed (exit code $status): see $log and $work/" >&2
    failed=1
  fi
done
exit "$failed"
