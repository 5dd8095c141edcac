#!/usr/bin/env bash
# Runs a fuzz target over a fresh working corpus and its seed folder:
#   run_fuzz_target.sh TARGET WORK_CORPUS SEEDS -- LIBFUZZER_OPTIONS...
# New inputs go to WORK_CORPUS (emptied first, so every run starts from the same seeds), findings
# beside it; libFuzzer's exit code is the test's.
set -euo pipefail
target=$1 work=$2 seeds=$3
shift 3
[ "${1:-}" = "--" ] && shift
rm -rf "$work"
mkdir -p "$work" "$work.findings"
exec "$target" -artifact_prefix="$work.findings/" -print_final_stats=1 "$@" "$work" "$seeds"
