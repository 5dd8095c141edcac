#!/usr/bin/env bash
# Runs README's test command as a new user does, on a fresh minimal Debian 12 tree where nothing
# is installed by chance: makes the tree with debootstrap, clones the commit under test into it
# and runs scripts/test.sh there, its package step included (FreeCAD, Wine, Clang and the rest:
# expect an hour or more on two cores). Run it whenever the package list or what the build links
# changes. The test command's own last stage, the main job in a fresh tree, is left out in there:
# scripts/check-main-job-in-fresh-tree.sh is that check, run from this machine.
#
#   scripts/test-in-fresh-tree.sh [--commit REV] [--keep]
#
# --commit: what to clone (default HEAD; uncommitted changes are not in the clone); --keep: leave
# the tree in build/fresh-tree/tests for a look (it is removed before the next run anyway).
# Needs root or sudo, debootstrap and Debian's package mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-tree.sh
fresh_tree_become_root "$@"
fresh_tree_options "$@"

fresh_tree_begin tests "README's test command"
log=$fresh_tree_work/tests.log
echo "Running scripts/test.sh there as README gives it (its output: $log) ..."
if ! fresh_tree_run "$fresh_tree_dir" /bin/sh -c 'cd /root/zembrati && ZEMBRATI_FRESH_TREE_STAGE=off scripts/test.sh' > "$log" 2>&1; then
  tail -n 40 "$log" >&2
  fresh_tree_verdict FAILED
  exit 1
fi
grep -E '^=== |tests passed|tests failed' "$log"
fresh_tree_verdict PASSED
