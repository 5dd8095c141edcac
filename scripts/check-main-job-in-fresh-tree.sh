#!/usr/bin/env bash
# Runs README's main job as a new user does, on a fresh minimal Debian 12 tree where nothing is
# installed by chance (made with debootstrap, or kept from an earlier run as scripts/fresh-tree.sh
# says, with an overlay of this run on top), clones the commit under test into it, runs
# scripts/demo.sh there (its package step included) and checks what it wrote: out/scene.json with
# one HEA 200 x 1500, out/hea200.step read back by FreeCAD as one solid of the tables' volume,
# and out/hea200.svg. A package the main job needs and the list lacks fails here.
#
#   scripts/check-main-job-in-fresh-tree.sh [--commit REV] [--keep]
#
# --commit: what to clone (default HEAD; uncommitted changes are not in the clone); --keep: keep
# what the run wrote in the tree, in build/fresh-tree/main-job.changes, for a look.
# Needs root or sudo, debootstrap, FreeCAD and Debian's package mirror; the test command installs
# all of them and runs this as its last stage.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-tree.sh
fresh_tree_become_root "$@"

fresh_tree_options "$@"

fresh_tree_begin main-job "README's main job" bookworm
log=$fresh_tree_work/main-job.log
fail() {
  echo "$1" >&2
  fresh_tree_verdict FAILED
  exit 1
}

echo "Running scripts/demo.sh there as README gives it (its output: $log) ..."
if ! fresh_tree_run "$fresh_tree_dir" /bin/sh -c 'cd /root/zembrati && scripts/demo.sh' > "$log" 2>&1; then
  tail -n 25 "$log" >&2
  fail "scripts/demo.sh failed in the fresh tree (above: the end of $log)."
fi
python3 scripts/check_main_job_outputs.py "$fresh_tree_dir/root/zembrati/out" || fail "The main job's outputs are not what README says."
fresh_tree_verdict PASSED
