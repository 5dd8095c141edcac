#!/usr/bin/env bash
# Makes the fresh Debian trees the test command's last stages use, or finds them kept (see
# scripts/fresh-tree.sh): minimal Debian 12 and 13 trees (README's main job, the Debian package's
# command line), each release with FreeCAD alone (the package's workbench), and the other release
# than this machine's with the packages the release build and its tests need. The test command
# runs this in the background while it builds; a stage whose tree is missing makes it itself.
#
#   scripts/prepare-fresh-trees.sh
#
# Needs root or sudo, debootstrap and Debian's package mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh
source scripts/fresh-tree.sh
fresh_tree_become_root "$@"

release=$(zembrati_debian_release)
other=trixie
[ "$release" = bookworm ] || other=bookworm
started=$SECONDS
fresh_tree_base "$other" build tests freecad > /dev/null
for tree in bookworm trixie; do
  fresh_tree_base "$tree" > /dev/null
  fresh_tree_base "$tree" user > /dev/null
done
echo "The fresh trees are ready ($((SECONDS - started)) s)."
