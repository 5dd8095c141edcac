#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds with, when any is missing (as root, or with
# sudo). Sourced by the test command and the demo.
set -euo pipefail

zembrati_packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
  # Clang with its sanitizer and libFuzzer runtimes, for the sanitizer and fuzz build.
  clang libclang-rt-14-dev
  nlohmann-json3-dev libcli11-dev
  # The solid modeller behind the STEP export (the modeling-data package is not pulled in by the
  # algorithms one; TBB is linked by the modeller's CMake targets).
  libocct-data-exchange-dev libocct-modeling-algorithms-dev libocct-modeling-data-dev
  libocct-foundation-dev libtbb-dev
  # The Windows COM server: cross compiler, widl, the .idl files and stdole2.tlb, and Wine to test it.
  g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine
  # The Windows installer package: wixl and msibuild build it, faketime keeps its timestamps fixed.
  wixl msitools faketime
  # The FreeCAD workbench's Python module, and Xvfb for the test of FreeCAD's window.
  pybind11-dev python3-dev xvfb xauth
)
# FreeCAD itself, with the packages it recommends, as a user installs it.
zembrati_packages_with_recommends=(freecad)

missing_packages() {
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || echo "$package"
  done
}

install_missing_packages() {
  local missing=($(missing_packages "${zembrati_packages[@]}"))
  local missing_with_recommends=($(missing_packages "${zembrati_packages_with_recommends[@]}"))
  [ ${#missing[@]} -eq 0 ] && [ ${#missing_with_recommends[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing ${missing[*]} ${missing_with_recommends[*]}"
  $sudo apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  if [ ${#missing_with_recommends[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing_with_recommends[@]}"
  fi
}
