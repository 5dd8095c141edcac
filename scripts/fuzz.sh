#!/usr/bin/env bash
# Runs every fuzz target for a while (default 10 minutes each, one target per core at a time),
# keeping what it finds: the corpus grows in build/fuzz-corpus/<target>, and an input that makes
# a target fail lands in build/fuzz-corpus/<target>.findings/. Put such an input into
# fuzz/regressions/<target>/ once it is fixed: the test command then runs it every time.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh
install_missing_packages build tests

seconds=${1:-600}
shift || true
build=build/sanitize
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DZEMBRATI_SANITIZE=ON -DZEMBRATI_FUZZ=ON > /dev/null
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_numeric_prefix fuzz_catalogue_index fuzz_size_table fuzz_materials
                                     fuzz_settings fuzz_scene fuzz_preferences fuzz_member_list fuzz_joint_list
                                     fuzz_text_lines fuzz_install_paths)
cmake --build "$build" --target "${targets[@]}"

export LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0"
run() {
  local target=$1
  local corpus=build/fuzz-corpus/$target
  mkdir -p "$corpus" "$corpus.findings"
  local dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  "$build/fuzz/$target" -max_total_time="$seconds" -artifact_prefix="$corpus.findings/" -print_final_stats=1 \
    "${dict[@]}" "$corpus" "$build/fuzz/seeds/$target" > "build/fuzz-corpus/$target.log" 2>&1 &&
    echo "$target: $(grep -E 'stat::number_of_executed_units' "build/fuzz-corpus/$target.log" | awk '{print $2}') executions, no finding" ||
    echo "$target: FINDING, see build/fuzz-corpus/$target.log and $corpus.findings/"
}
jobs=${FUZZ_JOBS:-$(nproc)}
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  run "$target" &
done
wait
