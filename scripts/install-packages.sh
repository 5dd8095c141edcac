#!/usr/bin/env bash
# The Debian 12 packages the project builds and tests with, in groups, and a function that
# installs the missing ones of the groups named (as root, or with sudo). Sourced by the scripts:
# the main job installs the build group, the FreeCAD workbench's installer the build and FreeCAD
# groups, the test command all of them.
#
# Every package here is one a step names or links; a fresh minimal Debian 12 tree has none of them
# (scripts/check-main-job-in-fresh-tree.sh and scripts/test-in-fresh-tree.sh prove the list there).
set -euo pipefail

# Building the command line, and the main job.
zembrati_packages_build=(
  cmake ninja-build g++ nlohmann-json3-dev libcli11-dev
  # The solid modeller behind the STEP export (the modeling-data package is not pulled in by the
  # algorithms one; TBB is linked by the modeller's CMake targets, and so is fontconfig, whose link
  # only its -dev package provides).
  libocct-data-exchange-dev libocct-modeling-algorithms-dev libocct-modeling-data-dev
  libocct-foundation-dev libtbb-dev libfontconfig-dev
)
# The tests and benchmarks: GoogleTest, Google Benchmark, Clang with its sanitizer and libFuzzer
# runtimes and llvm-symbolizer (without it AddressSanitizer warns on every program's standard
# error), debootstrap for the stage that runs the main job in a fresh Debian tree, and IFC++,
# the IFC reader the exported files are read back with, which needs the en_US.UTF-8 locale (made
# by the build from the locales package's sources).
zembrati_packages_tests=(
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev llvm debootstrap
  libifcplusplus-dev locales
)
# The FreeCAD workbench's Python module, and Xvfb for the test of FreeCAD's window.
zembrati_packages_freecad=(pybind11-dev python3-dev xvfb xauth)
# FreeCAD itself, with the packages it recommends, as a user installs it.
zembrati_packages_freecad_with_recommends=(freecad)
# The Windows COM server: cross compiler, widl, the .idl files and stdole2.tlb, and Wine to test
# it; its installer package: wixl and msibuild build it, faketime keeps its timestamps fixed, and
# Python runs the package's builder and its tests.
zembrati_packages_windows=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine
  wixl msitools faketime python3
)
zembrati_package_groups=(build tests freecad windows)

missing_packages() {
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || echo "$package"
  done
}

# The packages of the groups named, one a line; with --with-recommends, only those installed with
# the packages they recommend.
packages_of_groups() {
  local suffix=""
  if [ "$1" = "--with-recommends" ]; then
    suffix="_with_recommends"
    shift
  fi
  local group
  for group in "$@"; do
    case " ${zembrati_package_groups[*]} " in
      *" $group "*) ;;
      *) echo "install-packages.sh: no package group '$group' (there are: ${zembrati_package_groups[*]})" >&2
         return 2 ;;
    esac
    local list="zembrati_packages_${group}${suffix}"
    declare -p "$list" > /dev/null 2>&1 || continue
    local all="${list}[@]"
    printf '%s\n' "${!all}"
  done
}

# install_missing_packages GROUP...: installs what the groups need and this machine lacks.
install_missing_packages() {
  [ $# -gt 0 ] || set -- "${zembrati_package_groups[@]}"
  local plain with_recommends
  plain=$(packages_of_groups "$@")
  with_recommends=$(packages_of_groups --with-recommends "$@")
  local missing=($(missing_packages $plain))
  local missing_with_recommends=($(missing_packages $with_recommends))
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
