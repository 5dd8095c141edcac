#!/usr/bin/env bash
# The project's test command. On a fresh Debian 12 machine it installs the Debian packages the
# build needs, then configures, builds and runs every test twice: an optimised build and an
# AddressSanitizer + UndefinedBehaviorSanitizer build. Warnings are errors in both.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  # The solid modeller behind the STEP export (the modeling-data package is not pulled in by the
  # algorithms one; TBB is linked by the modeller's CMake targets).
  libocct-data-exchange-dev libocct-modeling-algorithms-dev libocct-modeling-data-dev
  libocct-foundation-dev libtbb-dev
)

install_missing_packages() {
  local missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_and_test() {
  local name=$1
  shift
  echo "=== ${name} build ==="
  cmake -S . -B "build/${name}" -G Ninja -DZEMBRATI_WERROR=ON "$@"
  cmake --build "build/${name}"
  (cd "build/${name}" && ctest --output-on-failure -j "$(nproc)")
}

install_missing_packages
build_and_test release -DCMAKE_BUILD_TYPE=RelWithDebInfo
build_and_test sanitize -DCMAKE_BUILD_TYPE=Debug -DZEMBRATI_SANITIZE=ON
