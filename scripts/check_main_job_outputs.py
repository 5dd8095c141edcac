#!/usr/bin/env python3
"""Checks what README's main job writes, with readers we did not write: Python's JSON and XML
readers for the scene and the drawing, FreeCAD (its solid modeller) for the STEP file.

    python3 scripts/check_main_job_outputs.py OUT_DIR

Prints one line per file and exits 1 when any is not what README says: out/scene.json holds one
part, the HEA 200 x 1500; out/hea200.step one valid solid of the tables' section area times
1500 mm in a box of 200 x 190 x 1500 mm; out/hea200.svg a drawing of the section with its title.
"""

import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PART = "HEA 200 x 1500"
PART_SHAPE_KIND = 3          # the kind of a part among the scene's shapes
TABLE_AREA_MM2 = 53.83e2     # HEA 200 in the mill tables (EN 10365)
LENGTH_MM = 1500.0
BOX_MM = sorted([200.0, 190.0, LENGTH_MM])

# Run by freecadcmd: reads the STEP file named in ZEMBRATI_STEP and prints what it holds as one
# JSON line (freecadcmd exits 0 whatever a script does, so the verdict is given here).
FREECAD_READER = """
import json, os, Part
shape = Part.read(os.environ["ZEMBRATI_STEP"])
box = shape.BoundBox
print("STEP-CONTENTS " + json.dumps({"solids": len(shape.Solids), "valid": shape.isValid(),
      "volume": shape.Volume, "box": [box.XLength, box.YLength, box.ZLength]}))
"""


class Mismatch(Exception):
    """A file that is not what README says."""


def part_names(node):
    """The names of the parts anywhere under a scene node."""
    if isinstance(node, list):
        return [name for item in node for name in part_names(item)]
    if not isinstance(node, dict):
        return []
    names = [node.get("name")] if node.get("role") == "shape" and node.get("kind") == PART_SHAPE_KIND else []
    return names + [name for value in node.values() for name in part_names(value)]


def check_scene(path):
    with open(path, encoding="utf-8") as file:
        scene = json.load(file)
    if scene.get("format") != "zembrati-scene":
        raise Mismatch(f"not a scene file (format {scene.get('format')!r})")
    names = part_names(scene.get("root"))
    if names != [PART]:
        raise Mismatch(f"parts {names}, not one {PART}")
    return f"one part, {PART}"


def check_drawing(path):
    root = ElementTree.parse(path).getroot()
    svg = "{http://www.w3.org/2000/svg}"
    if root.tag != svg + "svg":
        raise Mismatch(f"the root element is {root.tag}, not an SVG drawing")
    title = root.find(svg + "title")
    if title is None or title.text != PART:
        raise Mismatch(f"title {None if title is None else title.text!r}, not {PART!r}")
    sections = [path for path in root.iter(svg + "path") if path.get("class") == "section"]
    if len(sections) != 1 or not sections[0].get("d"):
        raise Mismatch("no outline of the section")
    return f"an SVG drawing of the section, titled {PART}"


def check_step(path):
    with tempfile.TemporaryDirectory() as home:  # FreeCAD keeps its settings in the home folder
        run = subprocess.run(["freecadcmd", "-c", FREECAD_READER], capture_output=True, text=True, timeout=120,
                             env=dict(os.environ, HOME=home, ZEMBRATI_STEP=path))
    lines = [line for line in run.stdout.splitlines() if line.startswith("STEP-CONTENTS ")]
    if not lines:
        raise Mismatch("FreeCAD could not read it: " + (run.stdout + run.stderr).strip()[-300:])
    contents = json.loads(lines[-1].split(" ", 1)[1])
    expected_volume = TABLE_AREA_MM2 * LENGTH_MM
    if contents["solids"] != 1 or not contents["valid"]:
        raise Mismatch(f"{contents['solids']} solids (valid: {contents['valid']}), not one valid solid")
    if abs(contents["volume"] - expected_volume) > 0.005 * expected_volume:
        raise Mismatch(f"volume {contents['volume']:.0f} mm³, not {expected_volume:.0f} mm³ within 0.5 %")
    if any(abs(a - b) > 0.01 for a, b in zip(sorted(contents["box"]), BOX_MM)):
        raise Mismatch(f"box {contents['box']} mm, not {BOX_MM} mm")
    return f"read by FreeCAD as one valid solid of {contents['volume']:.0f} mm³ (tables: {expected_volume:.0f})"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    failed = False
    for name, check in (("scene.json", check_scene), ("hea200.step", check_step), ("hea200.svg", check_drawing)):
        path = os.path.join(out, name)
        try:
            print(f"  {name}: {check(path)}")
        except Mismatch as mismatch:
            print(f"  {name}: WRONG: {mismatch}")
            failed = True
        except (OSError, ValueError, ElementTree.ParseError, subprocess.SubprocessError) as error:
            print(f"  {name}: WRONG: cannot be read ({error})")
            failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
