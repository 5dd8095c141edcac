#!/usr/bin/env bash
# The Debian packages the project builds and tests with, in groups, and a function that installs
# the missing ones of the groups named (as root, or with sudo). Sourced by the scripts: the main
# job installs the build group, the FreeCAD workbench's installer the build and FreeCAD groups,
# the test command all of them.
#
# Debian 12 (bookworm) and Debian 13 (trixie) are supported; the release is read from
# /etc/os-release (ZEMBRATI_DEBIAN_RELEASE names another tree's), and a group may add packages of
# one release in zembrati_packages_GROUP_RELEASE. Every package here is one a step names or links;
# a fresh minimal Debian tree has none of them (the fresh-tree stages of the test command prove the
# lists there).
set -euo pipefail

zembrati_supported_releases=(bookworm trixie)

# The codename of the Debian release this machine runs, or a message and status 2 when it is not
# one the project is built and tested on.
zembrati_debian_release() {
  local codename=${ZEMBRATI_DEBIAN_RELEASE:-}
  if [ -z "$codename" ] && [ -r /etc/os-release ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  fi
  case " ${zembrati_supported_releases[*]} " in
    *" $codename "*) echo "$codename" ;;
    *) echo "install-packages.sh: this is not Debian 12 (bookworm) or 13 (trixie) but '${codename:-unknown}' (from /etc/os-release); the package lists are made for those two" >&2
       return 2 ;;
  esac
}

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
# runtimes (libclang-rt-dev: those of the release's Clang) and llvm-symbolizer (package llvm;
# without it AddressSanitizer warns on every program's standard error), debootstrap for the
# stages that run in fresh Debian trees, dpkg-shlibdeps (dpkg-dev) and file, with which CPack finds
# the Debian package's dependencies, and IFC++, the IFC reader the exported files are read back with, which needs the
# en_US.UTF-8 locale (made by the build from the locales package's sources) and Boost, which its
# headers include and its package does not pull in.
zembrati_packages_tests=(
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev llvm debootstrap dpkg-dev file
  libifcplusplus-dev libboost-dev locales
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
# FreeCAD alone, as a user has it, for trying the Debian package's workbench where nothing else
# of the project's is installed (not one of the test command's groups).
zembrati_packages_user_with_recommends=(freecad)
zembrati_package_groups=(build tests freecad windows user)

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
  local group release
  release=$(zembrati_debian_release) || return 2
  for group in "$@"; do
    case " ${zembrati_package_groups[*]} " in
      *" $group "*) ;;
      *) echo "install-packages.sh: no package group '$group' (there are: ${zembrati_package_groups[*]})" >&2
         return 2 ;;
    esac
    local list
    for list in "zembrati_packages_${group}${suffix}" "zembrati_packages_${group}${suffix}_${release}"; do
      declare -p "$list" > /dev/null 2>&1 || continue
      local all="${list}[@]"
      printf '%s\n' "${!all}"
    done
  done
}

# install_missing_packages GROUP...: installs what the groups need and this machine lacks.
install_missing_packages() {
  [ $# -gt 0 ] || set -- "${zembrati_package_groups[@]}"
  local plain with_recommends
  plain=$(packages_of_groups "$@") || return 2
  with_recommends=$(packages_of_groups --with-recommends "$@") || return 2
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
