#!/usr/bin/env bash
# The project's test command. On a fresh Debian 12 or 13 machine it installs the Debian packages
# the build needs, then configures, builds and runs every test twice: an optimised GCC build
# (from which it also makes the Debian package), and a Clang build with AddressSanitizer +
# UndefinedBehaviorSanitizer that also builds the libFuzzer targets and runs each briefly with a
# fixed input set. Then it cross-builds the Windows COM server with mingw-w64 and its installer
# package with msitools, and runs their tests under Wine. Warnings are errors in every build, and
# a part of the build that a missing package would leave out stops it instead.
#
# Last come the stages in fresh Debian trees (made with debootstrap while the builds run, and
# kept for the next run as scripts/fresh-tree.sh says): README's main job on Debian 12; the
# release build and its tests, FreeCAD 1.0's included, on Debian 13, which makes the Debian 13
# package; and both packages installed, used and removed on fresh trees of their releases.
#
# ZEMBRATI_STAGES picks the stages (default: "release sanitize windows fresh-trees"); the Debian
# 13 stage runs "release" in its tree (on a Debian 13 machine, that stage is Debian 12's), and
# scripts/test-in-fresh-tree.sh all but "fresh-trees".
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

stages=" ${ZEMBRATI_STAGES:-release sanitize windows fresh-trees} "
stage() { [[ $stages == *" $1 "* ]]; }

build_and_test() {
  local name=$1
  shift
  echo "=== ${name} build ==="
  cmake -S . -B "build/${name}" -G Ninja -DZEMBRATI_WERROR=ON "$@"
  cmake --build "build/${name}"
  (cd "build/${name}" && ctest --output-on-failure -j "$(nproc)")
}

if stage sanitize || stage windows || stage fresh-trees; then
  install_missing_packages build tests freecad windows
else
  install_missing_packages build tests freecad
fi

# The fresh trees the last stages need are made (or found kept) while this machine builds: their
# making waits on Debian's mirror more than on the processors.
if stage fresh-trees; then
  mkdir -p build/fresh-tree
  scripts/prepare-fresh-trees.sh > build/fresh-tree/prepare.log 2>&1 &
  trees_pid=$!
fi

# The Linux builds have every part (the Windows one has no solid modeller and no FreeCAD to miss).
# Optimised as Debian builds its packages (-O2, no debug information); the sanitizer build keeps
# line tables only, which is all its reports need.
if stage release; then
  build_and_test release -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    -DZEMBRATI_REQUIRE_ALL=ON
  echo "=== Debian package ==="
  cmake --build build/release --target zembrati_deb
fi
if stage sanitize; then
  build_and_test sanitize -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only" \
    -DCMAKE_CXX_COMPILER=clang++ -DZEMBRATI_REQUIRE_ALL=ON -DZEMBRATI_SANITIZE=ON -DZEMBRATI_FUZZ=ON \
    -DZEMBRATI_BUILD_BENCH=OFF
fi
if stage windows; then
  build_and_test windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
fi
if stage fresh-trees; then
  if ! wait "$trees_pid"; then
    tail -n 20 build/fresh-tree/prepare.log >&2
    echo "=== fresh trees: could not be made (above: the end of build/fresh-tree/prepare.log) ==="
    exit 1
  fi
  # The release this machine is not, built in its tree: Debian 13 beside a Debian 12 machine.
  release=$(zembrati_debian_release)
  other=trixie
  [ "$release" = bookworm ] || other=bookworm
  scripts/check-main-job-in-fresh-tree.sh
  scripts/test-on-release.sh --release="$other"
  scripts/check-debian-packages.sh --"$release"="$(ls build/release/zembrati_*_amd64.deb)" \
    --"$other"="$(ls "build/$other"/zembrati_*_amd64.deb)"
else
  echo "=== fresh Debian trees: left out (ZEMBRATI_STAGES has no fresh-trees) ==="
fi
