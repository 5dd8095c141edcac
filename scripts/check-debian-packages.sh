#!/usr/bin/env bash
# Installs each Debian package given into fresh trees of its release, as a user does, and checks
# it there: with `apt-get install ./zembrati_….deb` into a minimal tree (nothing of the build
# there), the package of the other release given is refused by its dependencies and leaves
# nothing installed; this release's installs with what it declares, and `zembrati drop` and
# `zembrati catalogue check` work from /usr/bin, with the shipped settings, with a user's own
# --settings, and with one naming a missing catalogue folder (the message names it). In a tree
# with FreeCAD alone, FreeCAD's freecadcmd inserts a part through the installed workbench. In
# both, `apt-get remove` then leaves none of the package's files (listed and checked).
#
#   scripts/check-debian-packages.sh --bookworm=DEB --trixie=DEB [--commit REV] [--keep]
#
# Either package may be left out. The trees are kept ones (scripts/fresh-tree.sh) with overlays
# of this run on top; --keep keeps what the run wrote. Needs root or sudo, debootstrap and Debian's
# package mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-tree.sh
fresh_tree_become_root "$@"
fresh_tree_options "$@"
declare -A packages=()
for option in "${fresh_tree_rest[@]}"; do
  case $option in
    --bookworm=*|--trixie=*)
      release=${option%%=*}
      release=${release#--}
      packages[$release]=$(realpath "${option#*=}") ;;
    *) echo "$(basename "$0"): unknown option $option (see --help)" >&2; exit 2 ;;
  esac
done
[ ${#packages[@]} -gt 0 ] || { echo "$(basename "$0"): no package given (see --help)" >&2; exit 2; }

failed=false
for release in "${!packages[@]}"; do
  fresh_tree_release=$release
  fresh_tree_what="the Debian package"
  fresh_tree_started=$SECONDS
  package=${packages[$release]}
  [ -f "$package" ] || { echo "no package $package" >&2; fresh_tree_verdict FAILED; failed=true; continue; }
  other=
  for each in "${!packages[@]}"; do [ "$each" = "$release" ] || other=${packages[$each]}; done
  log=$PWD/build/fresh-tree/package-$release.log
  mkdir -p build/fresh-tree
  : > "$log"
  passed=true
  for kind in command-line workbench; do
    groups=()
    [ "$kind" = workbench ] && groups=(user)
    if ! base=$(fresh_tree_base "$release" "${groups[@]}" 2>> "$log"); then passed=false; break; fi
    fresh_tree_layer "$base" "package-$release-$kind"
    mkdir -p "$fresh_tree_layered/root/package" "$fresh_tree_layered/root/other"
    cp "$package" "$fresh_tree_layered/root/package/"
    [ -z "$other" ] || [ "$kind" = workbench ] || cp "$other" "$fresh_tree_layered/root/other/"
    cp scripts/check-installed-package.sh scripts/check_installed_workbench.py tests/freecad/freecad_support.py \
      "$fresh_tree_layered/root/"
    echo "--- $(fresh_tree_release_name "$release"), $kind ---" >> "$log"
    if ! fresh_tree_run "$fresh_tree_layered" /bin/bash /root/check-installed-package.sh "$kind" >> "$log" 2>&1; then
      passed=false
    fi
    $fresh_tree_keep || fresh_tree_unlayer "$fresh_tree_layered"
    $passed || break
  done
  grep -E '^(ok|FAILED):' "$log" | sed "s/^/  /"
  if $passed; then
    fresh_tree_verdict PASSED
  else
    tail -n 25 "$log" >&2
    echo "(above: the end of $log)" >&2
    fresh_tree_verdict FAILED
    failed=true
  fi
done
! $failed
