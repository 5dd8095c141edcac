#!/usr/bin/env bash
# Draws a scene's parts as FreeCAD sees them, from the isometric view, into a PNG (the frame
# picture in README): each part exported as STL by the command line, shown in FreeCAD under Xvfb,
# coloured by its standard. With RENDER_FOCUS=X,Y,Z and RENDER_HEIGHT=MM the view closes in on that
# point, MM of the scene high (a joint, say).
#   tools/render_frame.sh SCENE OUTPUT.png [ZEMBRATI]
set -euo pipefail
scene=$(realpath "$1")
output=$(realpath -m "$2")
zembrati=${3:-build/release/apps/zembrati/zembrati}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$zembrati" show --scene "$scene" --json |
  python3 -c 'import json, sys; [print(p["name"]) for p in json.load(sys.stdin)["parts"]]' > "$work/names.txt"
i=0
while read -r name; do
  i=$((i + 1))
  "$zembrati" export --scene "$scene" --part "$name" --stl "$work/part$i.stl"
done < "$work/names.txt"
cat > "$work/render.py" <<PYTHON
import os
import FreeCAD, FreeCADGui, Mesh
colours = {"HE": (0.20, 0.35, 0.60), "IPE": (0.25, 0.55, 0.35), "UPN": (0.80, 0.55, 0.15), "L ": (0.60, 0.20, 0.20)}
document = FreeCAD.newDocument("scene")
for i, name in enumerate(open("$work/names.txt").read().splitlines(), start=1):
    part = document.addObject("Mesh::Feature", "part%d" % i)
    part.Mesh = Mesh.Mesh("$work/part%d.stl" % i)
    part.Label = name
    for start, colour in colours.items():
        if name.startswith(start):
            part.ViewObject.ShapeColor = colour
document.recompute()
view = FreeCADGui.activeDocument().activeView()
view.viewIsometric()
view.fitAll()
focus, height = "${RENDER_FOCUS:-}", "${RENDER_HEIGHT:-}"
if focus:
    from pivy import coin
    camera = view.getCameraNode()
    towards = camera.orientation.getValue().multVec(coin.SbVec3f(0, 0, -1))
    point = coin.SbVec3f(*[float(v) for v in focus.split(",")])
    camera.position.setValue(point - towards * 50000)
    camera.height.setValue(float(height or 1000))
FreeCADGui.updateGui()
view.saveImage("$output", 1000, 650, "White")
os._exit(0)
PYTHON
mkdir -p "$work/home"
HOME="$work/home" QTWEBENGINE_DISABLE_SANDBOX=1 xvfb-run -a -s "-screen 0 1280x1024x24" freecad "$work/render.py" \
  > "$work/freecad.log" 2>&1
[ -s "$output" ] || { cat "$work/freecad.log" >&2; exit 1; }
echo "Wrote $output"
