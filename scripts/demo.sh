#!/usr/bin/env bash
# The main job: on a fresh Debian 12 machine, installs what building the command line needs (and
# nothing the tests need), builds it in build/main, and drops an HEA 200 of 1500 mm from the shipped catalogue into a new scene, writing
# out/scene.json, out/hea200.step and out/hea200.svg.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh
install_missing_packages build

cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEMBRATI_BUILD_TESTS=OFF -DZEMBRATI_BUILD_BENCH=OFF > /dev/null
cmake --build build/main --target zembrati
zembrati=build/main/apps/zembrati/zembrati

mkdir -p out
rm -f out/scene.json
# The dialog keeps its preferences beside the scene, so the demo does not touch yours.
"$zembrati" drop --scene out/scene.json --prefs out/preferences.txt \
    --family EN --type HE --standard HEA --size 200 --material S355J2 --length 1500
"$zembrati" export --scene out/scene.json --part "HEA 200 x 1500" --step out/hea200.step --svg out/hea200.svg
echo
echo "Wrote out/scene.json, out/hea200.step and out/hea200.svg."
