#!/usr/bin/env bash
# Builds the Zembrati workbench and installs it where FreeCAD finds it: the user's FreeCAD Mod
# folder (~/.local/share/FreeCAD/Mod/Zembrati), or the Mod folder given as the argument. Installs
# the Debian packages the build needs (and FreeCAD) when any is missing. Start FreeCAD afterwards
# and choose the "Zembrati" workbench.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

mod_dir="${1:-$HOME/.local/share/FreeCAD/Mod}"
mod_dir="$(mkdir -p "$mod_dir" && cd "$mod_dir" && pwd)"
install_missing_packages build freecad
cmake -S . -B build/freecad-workbench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZEMBRATI_BUILD_TESTS=OFF -DZEMBRATI_BUILD_BENCH=OFF -DZEMBRATI_FREECAD_MOD_DIR="$mod_dir"
cmake --build build/freecad-workbench --target zembrati_workbench
rm -rf "$mod_dir/Zembrati"
cmake --install build/freecad-workbench --component freecad
echo "The Zembrati workbench is in $mod_dir/Zembrati; start FreeCAD and choose the Zembrati workbench."
