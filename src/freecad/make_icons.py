"""Writes the workbench's icons: each section type's typical section as an SVG, drawn from the
outline the system's generator makes.

    python3 make_icons.py MODULE_DIR ICON_DIR
"""
import os
import sys


def svg_of(loops, size=64, margin=4):
    xs = [x for loop in loops for x, _ in loop]
    ys = [y for loop in loops for _, y in loop]
    width, height = max(xs) - min(xs), max(ys) - min(ys)
    scale = (size - 2 * margin) / max(width, height, 1e-9)
    left = (size - width * scale) / 2 - min(xs) * scale
    bottom = (size + height * scale) / 2 + min(ys) * scale
    path = ""
    for loop in loops:
        points = ["%.2f %.2f" % (left + x * scale, bottom - y * scale) for x, y in loop]
        path += "M" + " L".join(points) + " Z "
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
            '  <path d="%s" fill="#b8c4d0" fill-rule="evenodd" stroke="#1f2d3d" stroke-width="1.5"/>\n'
            '</svg>\n' % (size, size, size, size, path.strip()))


def main(module_dir, icon_dir):
    sys.path.insert(0, module_dir)
    import zembrati_freecad

    os.makedirs(icon_dir, exist_ok=True)
    for code, name in enumerate(zembrati_freecad.type_names(), start=1):
        with open(os.path.join(icon_dir, "Zembrati_%s.svg" % name), "w") as out:
            out.write(svg_of(zembrati_freecad.type_picture(code)))
    with open(os.path.join(icon_dir, "Zembrati.svg"), "w") as out:
        out.write(svg_of(zembrati_freecad.type_picture(1)))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
