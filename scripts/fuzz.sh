#!/usr/bin/env bash
# The fuzz targets (clang, libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer): a line per target with its runs and its
# result. Fails when a target finds something; the input that did it is kept
# under build/fuzz/findings/<target>/.
#   bash scripts/fuzz.sh [SECONDS]        builds the fuzz preset and runs every
#                                         target SECONDS each (default 600) from a
#                                         random seed, growing build/fuzz/corpus
#   bash scripts/fuzz.sh run TARGET SECONDS SEED
#                                         one built target from the checked-in
#                                         seeds and libFuzzer's seed SEED, as the
#                                         fuzz preset's tests run it (20 s, seed 1):
#                                         each run of a commit walks the same
#                                         inputs as far as the machine gets, so a
#                                         finding in CI can be had again here
set -uo pipefail
cd "$(dirname "$0")/.."
build=build/fuzz

# run_target NAME SECONDS CORPUS [LIBFUZZER OPTIONS...]
run_target() {
  local name=$1 seconds=$2 corpus=$3 exe=$build/$1 findings=$build/findings/$1 log result runs
  shift 3
  # Scratch files go to memory when it can be had: some targets write a
  # file for every input.
  local scratch_base=/dev/shm scratch
  [ -d "$scratch_base" ] && [ -w "$scratch_base" ] || scratch_base=$build
  scratch=$(mktemp -d "$scratch_base/ep-fuzz.XXXXXX") || return 1
  [ -n "$corpus" ] || corpus=$scratch/corpus
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  # The command-line reader refuses texts over 4095 characters: let the
  # fuzzer reach them.
  [ "$name" != fuzz_commandline ] || set -- "$@" -max_len=4200
  log=$scratch/$name.log
  TMPDIR=$scratch "$exe" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$@" "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $result -eq 0 ]; then
    printf '%-24s %10s runs in %ss  ok\n' "$name" "${runs:-?}" "$seconds"
  else
    printf '%-24s %10s runs in %ss  FOUND (exit %d)\n' "$name" "${runs:-?}" "$seconds" "$result"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed)' "$log" | head -5 | sed 's/^/    /'
    ls "$findings" | sed "s|^|    input: $findings/|"
  fi
  rm -rf "$scratch"
  return $result
}

if [ "${1:-}" = run ]; then
  [ $# -eq 4 ] || { echo "usage: $0 run TARGET SECONDS SEED" >&2; exit 2; }
  run_target "$2" "$3" "" -seed="$4"
  exit
fi

seconds=${1:-600}
cmake --preset fuzz >/dev/null || exit 1
cmake --build "$build" -j2 -- --no-print-directory >/dev/null || { cmake --build "$build" -j1; exit 1; }
status=0
for exe in "$build"/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  run_target "$name" "$seconds" "$build/corpus/$name" || status=1
done
exit $status
