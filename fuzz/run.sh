#!/usr/bin/env bash
# Builds the fuzz targets (preset `fuzz`: clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each of them for SECONDS seconds, one after the other,
# starting from the samples; with --runs, each for RUNS executions instead. Fails when any
# target finds a crash, a leak, a hang, undefined behaviour or a broken invariant; the input that
# did it is kept under findings/.
#
#   fuzz/run.sh [SECONDS] [TARGET ...]      (default: 60 seconds, every target)
#   fuzz/run.sh --runs RUNS [TARGET ...]
#
# The corpus grows in the build folder (RIMFORGE_FUZZ_BUILD, default build/fuzz), so a later
# run goes on from where the last one stopped.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--runs" ]; then
  [ -n "${2:-}" ] || { echo "--runs needs a number of executions" >&2; exit 2; }
  limit=(-runs="$2")
  length="$2 executions"
  shift 2
else
  limit=(-max_total_time="${1:-60}")
  length="${1:-60}s"
  shift || true
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(level_rom level_file colour_rom text_rom arcade_hits drawing)
fi
build="${RIMFORGE_FUZZ_BUILD:-build/fuzz}"

cmake --preset fuzz -B "$build"
cmake --build "$build" -j "$(nproc)"

# The longest input each target gets: the file with room to spare, plus whatever script the
# target reads from the bytes its loader leaves alone.
declare -A max_len=(
  [level_rom]=4096
  [level_file]=8192
  [colour_rom]=2145  # 48 picks of two bytes and the button
  [text_rom]=3072
  [arcade_hits]=40000
  [drawing]=5300  # the view, the points and the table, the zoom and 17 lines
)

# A program file made from the samples: both level images 24576 bytes apart and both text images,
# these at odd places.
program_seed() {
  local file="$1"
  head -c 32768 /dev/zero >"$file"
  dd if=samples/rimforge_tubes.118 of="$file" bs=1 seek=512 conv=notrunc status=none
  dd if=samples/rimforge_tubes.118 of="$file" bs=1 seek=25088 conv=notrunc status=none
  dd if=samples/rimforge_texts.121 of="$file" bs=1 seek=3001 conv=notrunc status=none
  dd if=samples/rimforge_texts.121 of="$file" bs=1 seek=28001 conv=notrunc status=none
}

# The sample tubes laid out as the drawing target reads them, then zoom 1.0 and one line that
# leaves the frame on both sides.
drawing_seed() {
  local file="$1"
  cp samples/rimforge_tubes.TLD "$file"
  printf '\x00\x00\x00\x00\x00\x00\xf0\x3f' >>"$file"
  printf '\x9c\xff\xff\xff\x32\x00\x00\x00\x58\x02\x00\x00\x2c\x01\x00\x00\x07' >>"$file"
}

seed() {
  local target="$1" corpus="$2"
  case "$target" in
    level_rom) cp samples/rimforge_tubes.118 "$corpus/" ;;
    level_file) cp samples/rimforge_tubes.TLD "$corpus/" ;;
    colour_rom) cp samples/rimforge_colours.119 "$corpus/" ;;
    text_rom) cp samples/rimforge_texts.121 "$corpus/" ;;
    arcade_hits) program_seed "$corpus/sample_program.exe" ;;
    drawing) drawing_seed "$corpus/sample_tubes.draw" ;;
    *)
      echo "No such fuzz target: $target" >&2
      exit 2
      ;;
  esac
}

# A small quarantine keeps freed memory poisoned for far longer than one input lives, and
# spares the page faults of a large one on every input.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"

failed=()
declare -A executions elapsed
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  log="$build/logs/$target.log"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  seed "$target" "$corpus"
  echo "== fuzz_$target for $length"
  status=0
  started=$SECONDS
  "$build/fuzz/fuzz_$target" "$corpus" "${limit[@]}" -max_len="${max_len[$target]}" \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1 &
  pid=$!
  wait "$pid" || status=$?
  elapsed[$target]=$((SECONDS - started))
  # A target that stopped on a finding could not remove its scratch files.
  rm -f /dev/shm/rimforge-fuzz-"$pid"-*
  executions[$target]=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
    failed+=("$target")
    tail -n 40 "$log"
  fi
done

echo
echo "Executions per target ($length each):"
for target in "${targets[@]}"; do
  printf '  %-12s %s in %ss\n' "$target" "${executions[$target]:-none}" "${elapsed[$target]}"
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "Findings in: ${failed[*]} (inputs under $build/findings/, logs under $build/logs/)" >&2
  exit 1
fi
echo "No findings."
