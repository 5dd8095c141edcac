"""Draws the package's icon, zembrati.ico, from the outline the system's generator makes for an
HE section (the typical section of its first type button), at 16, 32 and 48 pixels.

    python3 make_icon.py FREECAD_MODULE_DIR zembrati.ico

The module is the one the native build makes (build/release/src/freecad); the icon is kept in the
sources, since the Windows build has no native module to draw it with.
"""
import struct
import sys

FILL = (0x8f, 0x6f, 0x4a)  # steel blue, as blue, green, red
EDGE = (0x3d, 0x2d, 0x1f)  # dark outline
SAMPLES = 4  # per pixel side, for smooth edges


def inside(loops, x, y):
    """Even-odd rule over every loop, as the section is filled."""
    crossings = 0
    for loop in loops:
        for (x1, y1), (x2, y2) in zip(loop, loop[1:] + loop[:1]):
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                crossings += 1
    return crossings % 2 == 1


def coverage(loops, size, margin):
    xs = [x for loop in loops for x, _ in loop]
    ys = [y for loop in loops for _, y in loop]
    scale = (size - 2 * margin) / max(max(xs) - min(xs), max(ys) - min(ys))
    left = (size - (max(xs) - min(xs)) * scale) / 2
    bottom = (size - (max(ys) - min(ys)) * scale) / 2
    rows = []
    for row in range(size):  # bottom-up, as a BMP stores them
        line = []
        for column in range(size):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = column + (sx + 0.5) / SAMPLES
                    py = row + (sy + 0.5) / SAMPLES
                    hits += inside(loops, min(xs) + (px - left) / scale, min(ys) + (py - bottom) / scale)
            line.append(hits / SAMPLES ** 2)
        rows.append(line)
    return rows


def image(loops, size):
    cover = coverage(loops, size, max(1, size // 16))
    pixels = bytearray()
    for y in range(size):
        for x in range(size):
            c = cover[y][x]
            near_edge = 0 < c < 1 or (c == 1 and any(
                not (0 <= y + dy < size and 0 <= x + dx < size) or cover[y + dy][x + dx] < 0.5
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))))
            colour = EDGE if near_edge else FILL
            pixels += bytes(colour) + bytes([int(round(255 * c))])
    mask = bytes(((size + 31) // 32) * 4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + mask


def main(module_dir, output):
    sys.path.insert(0, module_dir)
    import zembrati_freecad

    loops = zembrati_freecad.type_picture(1)
    images = [(size, image(loops, size)) for size in (16, 32, 48)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bitmap in images:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(bitmap), offset)
        offset += len(bitmap)
    data += b"".join(bitmap for _, bitmap in images)
    with open(output, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
