#!/usr/bin/env bash
# Runs README's test command as a new user does, on a fresh minimal Debian 12 (or 13) tree where
# nothing is installed by chance (made with debootstrap, or kept as scripts/fresh-tree.sh says),
# clones the commit under test into it and runs scripts/test.sh there, its package step included
# (FreeCAD, Wine, Clang and the rest: expect an hour or more on two cores). Run it whenever the package list or what the build links
# changes. The test command's own last stages, those in fresh trees, are left out in there: they
# are run from this machine.
#
#   scripts/test-in-fresh-tree.sh [--release=bookworm|trixie] [--commit REV] [--keep]
#
# --commit: what to clone (default HEAD; uncommitted changes are not in the clone); --keep: keep
# what the run wrote in the tree, in build/fresh-tree/tests.changes, for a look.
# Needs root or sudo, debootstrap and Debian's package mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-tree.sh
fresh_tree_become_root "$@"
fresh_tree_options "$@"
release=bookworm
for option in "${fresh_tree_rest[@]}"; do
  case $option in
    --release=bookworm|--release=trixie) release=${option#--release=} ;;
    *) echo "$(basename "$0"): unknown option $option (see --help)" >&2; exit 2 ;;
  esac
done

fresh_tree_begin tests "README's test command" "$release"
fresh_tree_test_command "release sanitize windows" "$fresh_tree_work/tests.log"
fresh_tree_verdict PASSED
