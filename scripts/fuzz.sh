#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every fuzz target for SECONDS each
# (default 20), one after the other: a line per target with its runs and
# its result. Fails when any target finds something; the input that did it
# is kept under build/fuzz/findings/<target>/.
#   bash scripts/fuzz.sh 20 1     the test script's run: libFuzzer's seed 1 and
#                                 the checked-in seeds only, so each run of a
#                                 commit walks the same sequence of inputs, as
#                                 far as the machine gets in the time, and a
#                                 finding in CI can be had again here
#   bash scripts/fuzz.sh 600      a longer run with a random seed; the corpus
#                                 grown by earlier runs (build/fuzz/corpus) is
#                                 used again
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
seed=${2:-}
build=build/fuzz

cmake --preset fuzz >/dev/null || exit 1
cmake --build "$build" -j2 -- --no-print-directory >/dev/null \
  || { cmake --build "$build" -j1; exit 1; }

# Scratch files of the targets go to memory when it can be had: some
# targets write a file for every input.
scratch_base=/dev/shm
[ -d "$scratch_base" ] && [ -w "$scratch_base" ] || scratch_base=$build
scratch=$(mktemp -d "$scratch_base/ep-fuzz.XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT

status=0
for exe in "$build"/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  corpus=$build/corpus/$name
  findings=$build/findings/$name
  extra=()
  if [ -n "$seed" ]; then
    corpus=$scratch/corpus-$name
    extra+=(-seed="$seed")
  fi
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  # The command-line reader refuses texts over 4095 characters: let the
  # fuzzer reach them.
  [ "$name" = fuzz_commandline ] && extra+=(-max_len=4200)
  log=$scratch/$name.log
  TMPDIR=$scratch "$exe" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${extra[@]}" "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $result -eq 0 ]; then
    printf '%-24s %10s runs in %ss  ok\n' "$name" "${runs:-?}" "$seconds"
  else
    status=1
    printf '%-24s %10s runs in %ss  FOUND (exit %d)\n' "$name" "${runs:-?}" "$seconds" "$result"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed)' "$log" | head -5 | sed 's/^/    /'
    ls "$findings" | sed "s|^|    input: $findings/|"
  fi
done
exit $status
