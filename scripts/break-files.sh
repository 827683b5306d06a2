#!/usr/bin/env bash
# Breaks every file the show reads, one at a time and every way, and runs the show through
# brinefall-capture on each: a frame in every scene after a fast seek (or, with --sample, in the
# scene that reads the file). The ways: missing, empty, truncated at half, every 97th byte
# flipped, and replaced by a file of another kind.
#
# A case passes when capture neither crashes, hangs nor reports a GL or sanitizer error, and the
# show either ran on (every frame written) or stopped at start-up with its message naming the file
# (the music's own message for the music). A missing picture, motion clip or the music must stop
# it; a missing mesh, shader, cut-out, sequence frame or shake track must not.
# A capture that gets no GL window is tried once more; a failing case's last lines are printed.
#
# Usage: scripts/break-files.sh [--sample] [--kind EXT]... [--share K/N] [--build DIR] [--keep DIR]
#   --sample     one file of each kind for each scene (the fixed sample ./test.sh runs)
#   --kind EXT   only files ending in .EXT (jpg, png, objt, bvh, glsl, sav, ogg); repeatable
#   --share K/N  only the K-th of every N files (1 <= K <= N): N runs side by side cover them all
#   --build DIR  the build whose capture and show directory are used (default build; build-asan
#                for the sanitizer build)
#   --keep DIR   the logs of failed cases go here (default out/break-files)
# Prints a table of kinds x ways (cases run / passed) and every failure; exits 1 on a failure.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
sample=0
kinds=()
keep=out/break-files
share=1/1
while (($#)); do
  case "$1" in
    --sample) sample=1 ;;
    --kind | --build | --keep | --share)
      if (($# < 2)); then
        echo "$1 needs a value (try --help)" >&2
        exit 2
      fi
      case "$1" in
        --kind) kinds+=("$2") ;;
        --build) build=$2 ;;
        --keep) keep=$2 ;;
        --share) share=$2 ;;
      esac
      shift ;;
    -h | --help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown argument: $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
done

if ! [[ "$share" =~ ^([0-9]+)/([0-9]+)$ ]] || ((BASH_REMATCH[1] < 1 || BASH_REMATCH[1] > BASH_REMATCH[2])); then
  echo "--share needs K/N with 1 <= K <= N (try --help)" >&2
  exit 2
fi
share_k=${BASH_REMATCH[1]}
share_n=${BASH_REMATCH[2]}

capture=$build/brinefall-capture
if [ ! -x "$capture" ] || [ ! -d "$build/show" ]; then
  echo "$capture or $build/show is missing: build first (scripts/setup.sh)" >&2
  exit 1
fi

# One moment in each scene: the opening, the toys scene, the middle scene, the final scene.
scene_moments=(10 100 300 400)
all_moments=10,40,70,100,150,200,250,300,330,360,400,440,480

# The sample: a file of each kind for each scene, with the scene (0..3; 4: the music, all).
sample_files=(
  "0 textures/turtle.jpg" "0 neomeshes/seafloor.objt" "0 neomeshes/avatar_sit.bvh"
  "0 Other/Materials/f_material1sea.glsl" "0 Other/try1.sav"
  "1 textures/chessboard.jpg" "1 neomeshes/chess.objt" "1 neomeshes/avatar_push.bvh"
  "1 Other/Materials2/f_materialvehicle1.glsl"
  "2 textures/paper.jpg" "2 neomeshes/ant.objt" "2 textures/Tsun.png" "2 textures/videos1/t0003.png"
  "2 Other/Materials3/f_material2.glsl"
  "3 textures/tile.jpg" "3 neomeshes/wall.objt" "3 neomeshes/avatar_run2.bvh"
  "3 Other/Materials4/f_materialcredits.glsl"
  "4 music/xo. + lu - mixed tracks (1+2).ogg"
)
ways=(missing empty half flipped other)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
show=$work/show
cp -r "$build/show" "$show"
mkdir -p "$keep"

# A file of another kind to put in place of one of `kind`.
other_file() {
  case "$1" in
    jpg) echo "$show/neomeshes/avatar_walk.bvh" ;;
    *) echo "$show/textures/turtle.jpg" ;;
  esac
}

# break_file FILE WAY KIND: spoils the copy's FILE (the original is restored from the build).
break_file() {
  local file=$1 way=$2 kind=$3
  case "$way" in
    missing) rm -f "$file" ;;
    empty) : > "$file" ;;
    half) head -c $(($(stat -c %s "$file") / 2)) "$file" > "$work/half" && mv "$work/half" "$file" ;;
    flipped) perl -0777 -pi -e 'for (my $i = 96; $i < length; $i += 97) { substr($_, $i, 1) ^= "\xff" }' "$file" ;;
    other) cp "$(other_file "$kind")" "$file" ;;
  esac
}

# What the show must do when the file is missing: stop (naming it) or run on.
must_stop_when_missing() {
  case "$1" in
    jpg | bvh | ogg) return 0 ;;
    *) return 1 ;;
  esac
}

declare -A run passed
failures=()
cases=0

# run_case SCENE RELATIVE WAY
run_case() {
  local scene=$1 relative=$2 way=$3
  local kind=${relative##*.}
  local file=$show/$relative
  local moments frames
  if ((scene < 4)); then
    moments=${scene_moments[$scene]},$((${scene_moments[$scene]} + 5))
    frames=2
  else
    moments=$all_moments
    frames=13
  fi
  ((sample)) || { moments=$all_moments; frames=13; }
  break_file "$file" "$way" "$kind"
  local out=$work/out log=$work/log status attempt
  # A capture that gets no GL window failed before it read a file: the display's fault, not the
  # case's. It is tried once more.
  for attempt in 1 2; do
    status=0
    rm -rf "$out"
    timeout 120 "$capture" --show-dir "$show" --size 64x36 --fps 2 --at "$moments" --out "$out" \
      > "$log.out" 2> "$log.err" || status=$?
    ((status == 1)) && grep -q "brinefall-capture: no GL window" "$log.err" || break
    echo "$relative, $way: no GL window ($(grep -m1 "no GL window" "$log.err")); trying once more" >&2
  done
  cp "$build/show/$relative" "$file"

  local verdict=""
  local written=0
  [ -f "$out/frames.csv" ] && written=$(($(wc -l < "$out/frames.csv") - 1))
  local name=${relative##*/}
  if ((status == 124)); then
    verdict="hung"
  elif ((status > 124)); then
    verdict="crashed (exit $status)"
  elif grep -qE "AddressSanitizer|runtime error:|terminate called|GL error" "$log.err"; then
    verdict="reported an error"
  elif ((status == 0)) && ((written == frames)); then
    if [ "$way" = missing ] && must_stop_when_missing "$kind"; then verdict="ran on without the file"; fi
  elif ((status == 1)) && grep -q "the show stopped at start-up (exit code 0" "$log.err" &&
       { grep -qF "${name}" "$log.err" || { [ "$kind" = ogg ] && grep -q "No sound file." "$log.err"; }; }; then
    if [ "$way" = missing ] && ! must_stop_when_missing "$kind"; then verdict="stopped without needing to"; fi
  else
    verdict="ended with exit $status and $written of $frames frames, without the file's message"
  fi
  local key="$kind $way"
  run[$key]=$((${run[$key]:-0} + 1))
  cases=$((cases + 1))
  if [ -z "$verdict" ]; then
    passed[$key]=$((${passed[$key]:-0} + 1))
  else
    local saved
    saved="$keep/$(echo "$relative.$way" | tr '/ ' '__')"
    cp "$log.err" "$saved.err"
    cp "$log.out" "$saved.out"
    failures+=("$relative, $way: $verdict (see $saved.err); its last lines:
$(grep -v '^\[' "$log.err" | tail -n 5 | sed 's/^/    /')")
  fi
}

selected() {
  ((${#kinds[@]} == 0)) && return 0
  local k
  for k in "${kinds[@]}"; do [ "${1##*.}" = "$k" ] && return 0; done
  return 1
}

entries=()
picked=()
if ((sample)); then
  entries=("${sample_files[@]}")
else
  while IFS= read -r -d '' f; do entries+=("4 ${f#"$build/show/"}"); done < <(find "$build/show" -type f -print0 | sort -z)
fi
n=0
for entry in "${entries[@]}"; do
  selected "${entry#* }" || continue
  ((n++ % share_n == share_k - 1)) && picked+=("$entry")
done
total=$((${#picked[@]} * ${#ways[@]}))

start=$SECONDS
for entry in "${picked[@]}"; do
  relative=${entry#* }
  for way in "${ways[@]}"; do
    run_case "${entry%% *}" "$relative" "$way"
    printf '\r%d / %d cases, %d failed, %d s' "$cases" "$total" "${#failures[@]}" $((SECONDS - start)) >&2
  done
done
echo >&2

printf '%-6s' kind
for way in "${ways[@]}"; do printf ' %9s' "$way"; done
echo "   (cases passed / run)"
for kind in $(for key in "${!run[@]}"; do echo "${key% *}"; done | sort -u); do
  printf '%-6s' "$kind"
  for way in "${ways[@]}"; do printf ' %9s' "${passed[$kind $way]:-0}/${run[$kind $way]:-0}"; done
  echo
done
echo "$cases cases run, $((cases - ${#failures[@]})) passed, in $((SECONDS - start)) s"
for f in "${failures[@]}"; do echo "FAILED: $f"; done
((${#failures[@]} == 0))
