#!/usr/bin/env bash
# The project's test command. On a fresh Debian 12 machine it installs the Debian packages the
# build needs, then configures, builds and runs every test twice: an optimised GCC build, and a
# Clang build with AddressSanitizer + UndefinedBehaviorSanitizer that also builds the libFuzzer
# targets and runs each briefly with a fixed seed. Then it cross-builds the Windows COM server
# with mingw-w64 and its installer package with msitools, and runs their tests under Wine.
# Warnings are errors in every build, and a part of the build that a missing package would leave
# out stops it instead. Last, README's main job runs on a fresh minimal Debian 12 tree, where a
# package missing from the list shows (set ZEMBRATI_FRESH_TREE_STAGE=off to leave that stage out,
# as scripts/test-in-fresh-tree.sh does, the whole command being in a fresh tree there).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

build_and_test() {
  local name=$1
  shift
  echo "=== ${name} build ==="
  cmake -S . -B "build/${name}" -G Ninja -DZEMBRATI_WERROR=ON "$@"
  cmake --build "build/${name}"
  (cd "build/${name}" && ctest --output-on-failure -j "$(nproc)")
}

install_missing_packages "${zembrati_package_groups[@]}"
# The Linux builds have every part (the Windows one has no solid modeller and no FreeCAD to miss).
build_and_test release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBRATI_REQUIRE_ALL=ON
build_and_test sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZEMBRATI_REQUIRE_ALL=ON \
  -DZEMBRATI_SANITIZE=ON -DZEMBRATI_FUZZ=ON
build_and_test windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
if [ "${ZEMBRATI_FRESH_TREE_STAGE:-on}" = off ]; then
  echo "=== fresh Debian 12 tree: left out (ZEMBRATI_FRESH_TREE_STAGE=off) ==="
else
  scripts/check-main-job-in-fresh-tree.sh
fi
