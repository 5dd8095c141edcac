#!/usr/bin/env bash
# Builds the project on another Debian release than this machine's, in a fresh tree of it, and
# runs the release build's tests there, FreeCAD's included, headless and in its window under
# Xvfb: for Debian 13 that is GCC 14, Open CASCADE 7.8, Python 3.13 and FreeCAD 1.0. It runs the
# test command's "release" stage there (its package step first, as on a new machine), which also
# makes that release's Debian package; the package is copied to build/RELEASE/.
#
#   scripts/test-on-release.sh --release=trixie|bookworm [--commit REV] [--keep]
#
# The tree has the packages of the build, tests and FreeCAD groups of scripts/install-packages.sh
# and is kept for the next run (scripts/fresh-tree.sh). --commit: what to clone (default HEAD;
# uncommitted changes are not in the clone); --keep: keep what the stage wrote, in
# build/fresh-tree/RELEASE.changes. Needs root or sudo, debootstrap and Debian's package mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-tree.sh
fresh_tree_become_root "$@"
fresh_tree_options "$@"
release=
for option in "${fresh_tree_rest[@]}"; do
  case $option in
    --release=bookworm|--release=trixie) release=${option#--release=} ;;
    *) echo "$(basename "$0"): unknown option $option (see --help)" >&2; exit 2 ;;
  esac
done
[ -n "$release" ] || { echo "$(basename "$0"): say which release: --release=trixie or --release=bookworm" >&2; exit 2; }

fresh_tree_begin "$release" "the release build and its tests" "$release" build tests freecad
fresh_tree_test_command release "$fresh_tree_work/$release.log"
mkdir -p "build/$release"
rm -f "build/$release"/zembrati_*_amd64.deb
cp "$fresh_tree_dir"/root/zembrati/build/release/zembrati_*_amd64.deb "build/$release/"
echo "The package: $(ls "build/$release"/zembrati_*_amd64.deb)"
fresh_tree_verdict PASSED
