#!/usr/bin/env python3
"""Writes the shipped catalogue (data/catalogue/) from tables of published section dimensions.

Usage: tools/make_catalogue.py REFERENCE_DIR [OUTPUT_DIR]

REFERENCE_DIR holds the dimension tables (hea.csv, ipn.csv, l_equal.csv, ...), one section a row.
The catalogue is written in the system's own formats: per standards family a standards index
file and a folder of size tables and materials files, 8-bit text with CR LF line ends. Rows whose
source notes call them unconfirmed are left out; data/catalogue/README.md lists them.
"""
import csv
import os
import re
import sys
from collections import OrderedDict

NAME = "D C x L"             # HEA 200 x 1500
NAME_THICK = "D CxS x L"     # CHS 60.3x4 x 1500
SHARP_T = "D C sharp x L"    # T 50 sharp x 1500: not the rounded T 50 of the standard
NAME_THICK_STANDARD = "D CxS N x L"  # Rohr 60.3x4 DIN 2448 x 1500: welded and seamless apart


def num(value):
    value = float(value)
    return str(int(value)) if value == int(value) else repr(value)


def rows(reference, name):
    with open(os.path.join(reference, name), newline="") as f:
        return [r for r in csv.DictReader(f) if "unconfirmed" not in (r.get("note") or "")]


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")


def size_line(name, fields, part_number, named=()):
    """<size name>|<field 0>|...|<field n>|<named fields>|<part number>| with field 1 (the length)
    as 0; named fields (slope=, corners=, ro=, ri=, wall=) stand after the numeric ones."""
    return "|".join([name] + [str(f) for f in fields] + list(named) + [part_number]) + "|"


def table(title, header, lines):
    return ["# " + title, "# " + header] + lines


def simple_table(reference, csv_name, title, columns, name_of, fields_of, part_of):
    lines = [size_line(name_of(r), fields_of(r), part_of(r)) for r in rows(reference, csv_name)]
    return table(title, "size|" + "|".join(columns) + "|part number|", lines)


def grouped_table(reference, csv_name, title, columns, key_of, thickness_column, fields_of, part_of, named=()):
    """Hollow sections and flats: one size line per outer size, its thicknesses in a group. The
    part number ends in "x{t}": the part gets the wall or plate thickness chosen there."""
    groups = OrderedDict()
    for r in rows(reference, csv_name):
        groups.setdefault(key_of(r), {"row": r, "t": []})["t"].append(num(r[thickness_column]))
    lines, group_lines = [], []
    for number, (key, group) in enumerate(groups.items(), start=1):
        lines.append(size_line(key, fields_of(group["row"], "@" + str(number)), part_of(group["row"]) + "x{t}", named))
        group_lines.append("@" + str(number) + "|" + "|".join(group["t"]) + "|")
    return table(title, "size|" + "|".join(columns) + "|part number|", lines) + [
        "", "# thickness groups, referred to by @n on the size lines above"] + group_lines


def he(reference, csv_name, series):
    return simple_table(reference, csv_name, "HE " + series + " wide flange beams", ["h", "-", "b", "tw", "tf", "r"],
                        lambda r: r["designation"].split()[1],
                        lambda r: [num(r["h"]), 0, num(r["b"]), num(r["tw"]), num(r["tf"]), num(r["r"])],
                        lambda r: "HE" + series + r["designation"].split()[1])


def sloped(reference, csv_name, title, keep, name_of, part_of):
    lines = [size_line(name_of(r), [num(r["h"]), 0, num(r["b"]), num(r["tw"]), num(r["tf"]), num(r["r1"]),
                                    num(r["r2"])], part_of(r))
             for r in rows(reference, csv_name) if keep(r)]
    return table(title, "size|h|-|b|tw|tf|r1|r2|part number|", lines)


def toe_radius(r):
    """The toe radius, at most the thickness: a few thin mill sizes list a larger one, which no
    tangent fillet on a leg end of that thickness can have (data/catalogue/README.md names them)."""
    return num(min(float(r["r2"]), float(r["t"])))


def angles(reference, csv_name, title, prefix):
    return simple_table(reference, csv_name, title, ["a", "-", "b", "t", "r1", "r2"],
                        lambda r: r["designation"].split()[1],
                        lambda r: [num(r["a"]), 0, num(r["b"]), num(r["t"]), num(r["r1"]), toe_radius(r)],
                        lambda r: prefix + r["designation"].split()[1])


def tees(reference, rounded, prefix):
    lines = []
    for r in rows(reference, "t_rounded.csv"):
        size = r["designation"].split()[1]
        t = float(r["t"])
        if rounded:
            if not r["r1"]:
                continue
            # r3 (web toe) is missing from every source; a quarter of the thickness is assumed.
            fields = [num(r["b"]), 0, num(r["h"]), num(r["t"]), num(r["r1"]), num(r["r2"]), num(t / 4)]
        else:
            fields = [num(r["b"]), 0, num(r["h"]), num(r["t"])]
        lines.append(size_line(size, fields, prefix + size))
    columns = "size|b|-|h|t|r1|r2|r3|part number|" if rounded else "size|b|-|h|t|part number|"
    return table("T sections " + ("with rounded edges" if rounded else "with sharp corners"), columns, lines)


def hollow_round(reference, csv_name, title, prefix, named=()):
    return grouped_table(reference, csv_name, title, ["D", "-", "-"], lambda r: num(r["D"]), "t",
                         lambda r, ref: [num(r["D"]), 0, ref], lambda r: prefix + num(r["D"]), named)


def hollow_rect(reference, csv_name, title, prefix, named=()):
    return grouped_table(reference, csv_name, title, ["A", "-", "-", "B"],
                         lambda r: num(r["h"]) + "x" + num(r["b"]), "t",
                         lambda r, ref: [num(r["h"]), 0, ref, num(r["b"])],
                         lambda r: prefix + num(r["h"]) + "x" + num(r["b"]), named)


def hollow_square(reference, csv_name, title, prefix, named=()):
    return grouped_table(reference, csv_name, title, ["A", "-", "-"], lambda r: num(r["a"]), "t",
                         lambda r, ref: [num(r["a"]), 0, ref], lambda r: prefix + num(r["a"]), named)


def flats(reference, prefix):
    return grouped_table(reference, "flat.csv", "Flat bars", ["A", "-", "-"], lambda r: num(r["b"]), "t",
                         lambda r, ref: [num(r["b"]), 0, ref], lambda r: prefix + num(r["b"]))


def bars(reference, csv_name, column, title, prefix):
    return simple_table(reference, csv_name, title, [column, "-"], lambda r: num(r[column]),
                        lambda r: [num(r[column]), 0], lambda r: prefix + num(r[column]))


# Named fields of the size lines (data/catalogue/README.md): the hollow sections' corner rules, the
# flange slope of parallel and American sloped sections, the American design wall.
COLD_FORMED = ("corners=EN10219",)
HOT_FINISHED = ("corners=EN10210",)
PARALLEL = ("slope=0",)
US_SLOPE = 16.67
US_HSS = ("wall=0.93", "ro=2t", "ri=1t")  # AISC: design wall 0.93 t, corners 2 and 1 design walls
US_PIPE = ("wall=0.93",)


def i_beams(reference, csv_name, title, size_of, part_of, radius_of=lambda r: r["r"], keep=lambda r: True):
    """Parallel-flange I sections, drawn by the HE type: h, -, b, tw, tf, r."""
    lines = [size_line(size_of(r), [num(r["h"]), 0, num(r["b"]), num(r["tw"]), num(r["tf"]), num(radius_of(r))],
                       part_of(r)) for r in rows(reference, csv_name) if keep(r)]
    return table(title, "size|h|-|b|tw|tf|r|part number|", lines)


def parallel_channels(reference, csv_name, title, size_of, part_of):
    """Parallel-flange channels, drawn by the UPN type with slope 0 and no toe radius."""
    lines = [size_line(size_of(r), [num(r["h"]), 0, num(r["b"]), num(r["tw"]), num(r["tf"]), num(r["r"]), 0],
                       part_of(r), PARALLEL) for r in rows(reference, csv_name)]
    return table(title, "size|h|-|b|tw|tf|r1|r2|slope|part number|", lines)


def last_word(r):
    return r["designation"].split()[-1]


def after_first_word(r):
    return r["designation"].split(" ", 1)[1]


def by(text):
    """The "X" between two numbers reads "x" ("W44X408" becomes "W44x408"); the X of a pipe's wall
    grade ("XS", extra strong) stays."""
    return re.sub(r"(?<=[\d.])X(?=[\d.])", "x", text)


def us_size(r, prefix):
    """"W1100X607" and "W44X408" make the size "1100x607 (W44x408)"."""
    return by(r["designation"][len(prefix):]) + " (" + by(r["designation_us"]) + ")"


def us_part(r):
    return by(r["designation"])


def designated(r, prefix):
    """The exact metric sizes the designation gives (HSS152.4X101.6X6.4: 152.4, 101.6, 6.4); the
    tables' outside sizes are rounded to whole millimetres."""
    return [num(v) for v in r["designation"][len(prefix):].split("X")]


def us_i_beams(reference, csv_name, title, prefix, radius_of):
    lines = [size_line(us_size(r, prefix), [num(r["d"]), 0, num(r["bf"]), num(r["tw"]), num(r["tf"]), num(radius_of(r))],
                       us_part(r)) for r in rows(reference, csv_name)
             if radius_of(r) and not r.get("sloped")]
    return table(title, "size|d|-|bf|tw|tf|r|part number|", lines)


def us_sloped(reference, csv_name, title, prefix, mean_thickness_at):
    """S beams and C channels: flanges sloped 16.67 %. The American tables give the mean flange
    thickness half-way along the flange's inner face; the generators take it a quarter (I) or a
    half (channel) of the flange width in from the toe, so it is carried there along the slope."""
    lines = []
    for r in rows(reference, csv_name):
        if not r["r1_ana"] or not r["r2_ana"]:
            continue
        b, tw, slope = float(r["bf"]), float(r["tw"]), US_SLOPE / 100
        tf = float(r["tf"]) + slope * mean_thickness_at(b, tw)
        lines.append(size_line(us_size(r, prefix), [num(r["d"]), 0, num(r["bf"]), num(r["tw"]), num(round(tf, 3)),
                                                    num(r["r1_ana"]), num(r["r2_ana"])],
                               us_part(r), ("slope=" + num(US_SLOPE),)))
    return table(title, "size|d|-|bf|tw|tf|r1|r2|slope|part number|", lines)


def us_angles(reference, csv_name, title):
    lines = []
    for r in rows(reference, csv_name):
        a, b = max(float(r["d"]), float(r["b"])), min(float(r["d"]), float(r["b"]))
        lines.append(size_line(us_size(r, "L"), [num(a), 0, num(b), num(r["t"]), num(r["r1"]), 0], us_part(r)))
    return table(title, "size|a|-|b|t|r1|r2|part number|", lines)


def us_hollow(reference, csv_name, title, prefix, fields_of, named):
    """One size line a wall: the size names the nominal wall and the American designation; the
    section is drawn with the design wall. The part number names the wall already."""
    lines, group_lines = [], []
    for number, r in enumerate(rows(reference, csv_name), start=1):
        lines.append(size_line(us_size(r, prefix), fields_of(r, "@" + str(number)), us_part(r), named))
        group_lines.append("@" + str(number) + "|" + num(r["tnom"]) + "|")
    return table(title, "size|fields|named fields|part number|", lines) + [
        "", "# the nominal wall of each size, referred to by @n on the size lines above"] + group_lines


MATERIALS = {
    "structural.mat": ["# EN 10025-2 non-alloy structural steels", "S235JR", "S235J0", "S235J2", "S275JR",
                       "S275J0", "S275J2", "S355JR", "S355J0", "S355J2", "S355K2", "S450J0"],
    "hollow_cf.mat": ["# EN 10219-1 cold formed hollow sections", "S235JRH", "S275J0H", "S275J2H", "S355J0H",
                      "S355J2H", "S355K2H", "S420MH", "S460MH"],
    "hollow_hf.mat": ["# EN 10210-1 hot finished hollow sections", "S235JRH", "S275J0H", "S275J2H", "S355J0H",
                      "S355J2H", "S355K2H", "S420NH", "S460NH"],
    "bars.mat": ["# EN 10025-2 structural and EN 10083-2 quenched and tempered steels", "S235JR", "S275JR",
                 "S355J2", "C45"],
}

DIN_MATERIALS = {
    "structural.mat": ["# DIN 17100 structural steels (now EN 10025-2: S235JR, S275JR, S355J2)", "St 37-2",
                       "USt 37-2", "RSt 37-2", "St 44-2", "St 52-3"],
    "tubes.mat": ["# DIN 1629 / DIN 17120 tube steels", "St 37.0", "St 44.0", "St 52.0", "St 37-2", "St 52-3"],
    "bars.mat": ["# DIN 17100 and DIN 17200 steels", "St 37-2", "St 52-3", "C 45"],
}


US_MATERIALS = {
    "wide_flange.mat": ["# ASTM structural steels for W, HP and M shapes", "A992", "A572 Gr 50", "A913 Gr 65",
                        "A36"],
    "shapes.mat": ["# ASTM structural steels for S, C and L shapes", "A36", "A572 Gr 50", "A529 Gr 50"],
    "hss.mat": ["# ASTM hollow structural sections designed with 0.93 of the nominal wall", "A500 Gr C",
                "A500 Gr B", "A847"],
    "pipe.mat": ["# ASTM pipe", "A53 Gr B"],
}

BRITISH_MATERIALS = {
    "structural.mat": ["# BS EN 10025-2 structural steels", "S275JR", "S275J0", "S355JR", "S355J0", "S355J2",
                       "S355K2"],
    "hollow_hf.mat": ["# BS EN 10210-1 hot finished hollow sections", "S275J2H", "S355J2H", "S355K2H", "S460NH"],
    "hollow_cf.mat": ["# BS EN 10219-1 cold formed hollow sections", "S275J2H", "S355J2H", "S355K2H", "S420MH"],
}


def family(out, name, index_lines, tables, materials):
    write(os.path.join(out, name, "standards.ini"), index_lines)
    for file_name, lines in tables.items():
        write(os.path.join(out, name, "tables", file_name), lines)
    for file_name, lines in materials.items():
        write(os.path.join(out, name, "tables", file_name), lines)


def standard(table_file, name, description, designation, materials, name_format=NAME):
    return '"%s" "%s" "%s" "%s" "%s" "%s"' % (table_file, name, description, designation, materials, name_format)


INDEX_HEAD = [
    "# Standards index: one section per section type, [1] HE to [12] square bars.",
    "# A standard line holds six quoted fields: size table, standard name, description,",
    "# designation text, materials file, name format (D designation, C size, S thickness,",
    "# L length, N standard, M material; any other character stands for itself).",
]


def compact(r):
    """A part number is the designation without blanks: IPE80, HE100AA, HD260x54.1."""
    return r["designation"].replace(" ", "")


def hollow_tables(ref, names, cold_title, hot_title, prefixes):
    """The cold formed and hot finished round, rectangular and square hollow sections, each with
    its standard's corner radii. Part numbers name the size; the wall is added when the part is
    made, because a size has several."""
    cold_round, hot_round, cold_rect, hot_rect, cold_square, hot_square = names
    return {
        cold_round: hollow_round(ref, "chs.csv", cold_title + " circular hollow sections", prefixes[0]),
        hot_round: hollow_round(ref, "chs_en10210.csv", hot_title + " circular hollow sections", prefixes[1]),
        cold_rect: hollow_rect(ref, "rhs.csv", cold_title + " rectangular hollow sections", prefixes[2], COLD_FORMED),
        hot_rect: hollow_rect(ref, "rhs_en10210.csv", hot_title + " rectangular hollow sections", prefixes[3],
                              HOT_FINISHED),
        cold_square: hollow_square(ref, "shs.csv", cold_title + " square hollow sections", prefixes[4], COLD_FORMED),
        hot_square: hollow_square(ref, "shs_en10210.csv", hot_title + " square hollow sections", prefixes[5],
                                  HOT_FINISHED),
    }


def en_family(ref, out):
    upn = lambda r: r["designation"].startswith("UPN")
    index = INDEX_HEAD + [
        "[1]",
        standard("hea.tab", "HEA", "EN 10365 wide flange beams, light series (DIN 1025-3)", "HEA", "structural.mat"),
        standard("heb.tab", "HEB", "EN 10365 wide flange beams (DIN 1025-2)", "HEB", "structural.mat"),
        standard("hem.tab", "HEM", "EN 10365 wide flange beams, heavy series (DIN 1025-4)", "HEM", "structural.mat"),
        standard("heaa.tab", "HE AA", "EN 10365 wide flange beams, extra light series", "HE", "structural.mat"),
        standard("hec.tab", "HE C", "Wide flange beams, C series (mill sizes)", "HE", "structural.mat"),
        standard("he_heavy.tab", "HE heavy", "Heavy wide flange beams by mass (mill sizes)", "HE", "structural.mat"),
        standard("ipe.tab", "IPE", "EN 10365 I beams with parallel flanges (DIN 1025-5)", "IPE", "structural.mat"),
        standard("ipe_a.tab", "IPE A", "EN 10365 I beams with parallel flanges, light series", "IPE A",
                 "structural.mat"),
        standard("ipe_aa.tab", "IPE AA", "I beams with parallel flanges, extra light series (mill sizes)", "IPE AA",
                 "structural.mat"),
        standard("ipe_o.tab", "IPE O", "EN 10365 I beams with parallel flanges, heavy series", "IPE O",
                 "structural.mat"),
        standard("ipe_v.tab", "IPE V", "I beams with parallel flanges, extra heavy series (mill sizes)", "IPE V",
                 "structural.mat"),
        standard("ipe_750.tab", "IPE 750", "IPE 750 beams by mass (mill sizes)", "IPE", "structural.mat"),
        standard("hd.tab", "HD", "Wide flange columns (mill sizes)", "HD", "structural.mat"),
        standard("hl.tab", "HL", "Extra wide flange beams (mill sizes)", "HL", "structural.mat"),
        standard("hp.tab", "HP", "Wide flange bearing piles (mill sizes)", "HP", "structural.mat"),
        "[2]",
        standard("ipn.tab", "IPN", "EN 10365 I beams, flanges sloped 14 % (DIN 1025-1)", "IPN", "structural.mat"),
        "[3]",
        standard("upn.tab", "UPN", "EN 10365 channels, flanges sloped 8 % (DIN 1026-1)", "UPN", "structural.mat"),
        standard("upe.tab", "UPE", "EN 10365 channels with parallel flanges", "UPE", "structural.mat"),
        "[4]",
        standard("l_equal.tab", "L equal legs", "EN 10056-1 equal leg angles", "L", "structural.mat"),
        standard("l_unequal.tab", "L unequal legs", "EN 10056-1 unequal leg angles", "L", "structural.mat"),
        "[5]",
        standard("t.tab", "T", "EN 10055 T sections, drawn with sharp corners", "T", "structural.mat", SHARP_T),
        "[6]",
        standard("t_rounded.tab", "T rounded", "EN 10055 T sections with rounded edges and tapers", "T",
                 "structural.mat"),
        "[7]",
        standard("chs_cf.tab", "CHS EN 10219", "EN 10219-2 cold formed circular hollow sections", "CFCHS",
                 "hollow_cf.mat", NAME_THICK),
        standard("chs_hf.tab", "CHS EN 10210", "EN 10210-2 hot finished circular hollow sections", "CHS",
                 "hollow_hf.mat", NAME_THICK),
        "[8]",
        standard("rhs_cf.tab", "RHS EN 10219", "EN 10219-2 cold formed rectangular hollow sections", "CFRHS",
                 "hollow_cf.mat", NAME_THICK),
        standard("rhs_hf.tab", "RHS EN 10210", "EN 10210-2 hot finished rectangular hollow sections", "RHS",
                 "hollow_hf.mat", NAME_THICK),
        "[9]",
        standard("shs_cf.tab", "SHS EN 10219", "EN 10219-2 cold formed square hollow sections", "CFSHS",
                 "hollow_cf.mat", NAME_THICK),
        standard("shs_hf.tab", "SHS EN 10210", "EN 10210-2 hot finished square hollow sections", "SHS",
                 "hollow_hf.mat", NAME_THICK),
        "[10]",
        standard("flat.tab", "FL", "Hot rolled flat bars", "FL", "bars.mat", NAME_THICK),
        "[11]",
        standard("round.tab", "RD", "Hot rolled round bars", "RD", "bars.mat"),
        "[12]",
        standard("square.tab", "SQ", "Hot rolled square bars", "SQ", "bars.mat"),
        "[END]",
    ]
    tables = {
        "hea.tab": he(ref, "hea.csv", "A"), "heb.tab": he(ref, "heb.csv", "B"), "hem.tab": he(ref, "hem.csv", "M"),
        "heaa.tab": i_beams(ref, "heaa.csv", "HE AA wide flange beams", after_first_word, compact),
        "hec.tab": i_beams(ref, "hec.csv", "HE C wide flange beams", after_first_word, compact),
        "he_heavy.tab": i_beams(ref, "he_heavy.csv", "Heavy HE beams", after_first_word, compact),
        "ipe.tab": i_beams(ref, "ipe.csv", "IPE beams", last_word, compact),
        "ipe_a.tab": i_beams(ref, "ipe_a.csv", "IPE A beams", last_word, compact),
        "ipe_aa.tab": i_beams(ref, "ipe_aa.csv", "IPE AA beams", last_word, compact),
        "ipe_o.tab": i_beams(ref, "ipe_o.csv", "IPE O beams", last_word, compact),
        "ipe_v.tab": i_beams(ref, "ipe_v.csv", "IPE V beams", last_word, compact),
        "ipe_750.tab": i_beams(ref, "ipe_750.csv", "IPE 750 beams", last_word, compact),
        "hd.tab": i_beams(ref, "hd.csv", "HD columns", last_word, compact),
        "hl.tab": i_beams(ref, "hl.csv", "HL beams", after_first_word, compact),
        "hp.tab": i_beams(ref, "hp_eu.csv", "HP bearing piles", last_word, compact),
        "ipn.tab": sloped(ref, "ipn.csv", "IPN beams", lambda r: True, lambda r: r["designation"].split()[1],
                          lambda r: "IPN" + r["designation"].split()[1]),
        "upn.tab": sloped(ref, "upn.csv", "UPN channels", upn, lambda r: r["designation"].split()[1],
                          lambda r: "UPN" + r["designation"].split()[1]),
        "upe.tab": parallel_channels(ref, "upe.csv", "UPE channels", last_word, compact),
        "l_equal.tab": angles(ref, "l_equal.csv", "Equal leg angles", "L"),
        "l_unequal.tab": angles(ref, "l_unequal.csv", "Unequal leg angles", "L"),
        "t.tab": tees(ref, False, "T"), "t_rounded.tab": tees(ref, True, "T"),
        **hollow_tables(ref, ("chs_cf.tab", "chs_hf.tab", "rhs_cf.tab", "rhs_hf.tab", "shs_cf.tab", "shs_hf.tab"),
                        "EN 10219-2", "EN 10210-2", ("CFCHS", "CHS", "CFRHS", "RHS", "CFSHS", "SHS")),
        "flat.tab": flats(ref, "FL"),
        "round.tab": bars(ref, "round_bar.csv", "d", "Round bars", "RD"),
        "square.tab": bars(ref, "square_bar.csv", "a", "Square bars", "SQ"),
    }
    family(out, "en", index, tables, MATERIALS)


def din_family(ref, out):
    index = INDEX_HEAD + [
        "[1]",
        standard("ipbl.tab", "DIN 1025-3", "IPBl wide flange beams, light series (now HEA)", "IPBl", "structural.mat"),
        standard("ipb.tab", "DIN 1025-2", "IPB wide flange beams (now HEB)", "IPB", "structural.mat"),
        standard("ipbv.tab", "DIN 1025-4", "IPBv wide flange beams, heavy series (now HEM)", "IPBv", "structural.mat"),
        "[2]",
        standard("i.tab", "DIN 1025-1", "I beams with sloped flanges (now IPN)", "I", "structural.mat"),
        "[3]",
        standard("u.tab", "DIN 1026-1", "U channels with sloped flanges (now UPN)", "U", "structural.mat"),
        "[4]",
        standard("l_equal.tab", "DIN 1028", "Equal leg angles", "L", "structural.mat"),
        standard("l_unequal.tab", "DIN 1029", "Unequal leg angles", "L", "structural.mat"),
        "[5]",
        standard("t.tab", "DIN 1024", "T sections, drawn with sharp corners", "T", "structural.mat", SHARP_T),
        "[6]",
        standard("t_rounded.tab", "DIN 1024 rounded", "T sections with rounded edges and tapers", "T",
                 "structural.mat"),
        "[7]",
        standard("rohr_welded.tab", "DIN 2458", "Welded steel tubes", "Rohr", "tubes.mat", NAME_THICK_STANDARD),
        standard("rohr_seamless.tab", "DIN 2448", "Seamless steel tubes", "Rohr", "tubes.mat", NAME_THICK_STANDARD),
        "[8]",
        standard("rro_cf.tab", "DIN 59411", "Cold formed rectangular tubes", "RRO", "tubes.mat", NAME_THICK_STANDARD),
        standard("rro_hf.tab", "DIN 59410", "Hot finished rectangular tubes", "RRO", "tubes.mat", NAME_THICK_STANDARD),
        "[9]",
        standard("qro_cf.tab", "DIN 59411", "Cold formed square tubes", "QRO", "tubes.mat", NAME_THICK_STANDARD),
        standard("qro_hf.tab", "DIN 59410", "Hot finished square tubes", "QRO", "tubes.mat", NAME_THICK_STANDARD),
        "[10]",
        standard("flach.tab", "DIN 1017", "Flat bars", "Fl", "bars.mat", NAME_THICK),
        "[11]",
        standard("rund.tab", "DIN 1013", "Round bars", "Rd", "bars.mat"),
        "[12]",
        standard("vierkant.tab", "DIN 1014", "Square bars", "4kt", "bars.mat"),
        "[END]",
    ]
    small_u = lambda r: r["designation"].split()[1]
    tables = {
        "ipbl.tab": he(ref, "hea.csv", "A"), "ipb.tab": he(ref, "heb.csv", "B"), "ipbv.tab": he(ref, "hem.csv", "M"),
        "i.tab": sloped(ref, "ipn.csv", "I beams", lambda r: True, lambda r: r["designation"].split()[1],
                        lambda r: "I" + r["designation"].split()[1]),
        "u.tab": sloped(ref, "upn.csv", "U channels", lambda r: True, small_u, lambda r: "U" + small_u(r)),
        "l_equal.tab": angles(ref, "l_equal.csv", "Equal leg angles", "L"),
        "l_unequal.tab": angles(ref, "l_unequal.csv", "Unequal leg angles", "L"),
        "t.tab": tees(ref, False, "T"), "t_rounded.tab": tees(ref, True, "T"),
        "rohr_welded.tab": hollow_round(ref, "chs.csv", "Welded tubes", "RW"),
        "rohr_seamless.tab": hollow_round(ref, "chs_en10210.csv", "Seamless tubes", "RS"),
        "rro_cf.tab": hollow_rect(ref, "rhs.csv", "Cold formed rectangular tubes", "CFRRO", COLD_FORMED),
        "rro_hf.tab": hollow_rect(ref, "rhs_en10210.csv", "Hot finished rectangular tubes", "RRO", HOT_FINISHED),
        "qro_cf.tab": hollow_square(ref, "shs.csv", "Cold formed square tubes", "CFQRO", COLD_FORMED),
        "qro_hf.tab": hollow_square(ref, "shs_en10210.csv", "Hot finished square tubes", "QRO", HOT_FINISHED),
        "flach.tab": flats(ref, "FL"),
        "rund.tab": bars(ref, "round_bar.csv", "d", "Round bars", "RD"),
        "vierkant.tab": bars(ref, "square_bar.csv", "a", "Square bars", "VK"),
    }
    # The DIN 1025 names of the HE sizes; their part numbers keep the designation of the family.
    for name, old in (("ipbl.tab", "IPBl"), ("ipb.tab", "IPB"), ("ipbv.tab", "IPBv")):
        tables[name] = [line if line.startswith("#") else line.rsplit("|", 2)[0] + "|" + old +
                        line.split("|")[0] + "|" for line in tables[name]]
    family(out, "din", index, tables, DIN_MATERIALS)


def british_family(ref, out):
    index = INDEX_HEAD + [
        "[1]",
        standard("ub.tab", "UB", "BS 4-1 universal beams", "UB", "structural.mat"),
        standard("uc.tab", "UC", "BS 4-1 universal columns", "UC", "structural.mat"),
        "[2]",
        "[3]",
        standard("pfc.tab", "PFC", "BS 4-1 parallel flange channels", "PFC", "structural.mat"),
        "[4]",
        standard("l_equal.tab", "L equal", "BS EN 10056-1 equal angles", "L", "structural.mat"),
        standard("l_unequal.tab", "L unequal", "BS EN 10056-1 unequal angles", "L", "structural.mat"),
        "[5]", "[6]",
        "[7]",
        standard("chs_hf.tab", "CHS hot finished", "BS EN 10210-2 hot finished circular hollow sections", "CHS",
                 "hollow_hf.mat", NAME_THICK),
        standard("chs_cf.tab", "CHS cold formed", "BS EN 10219-2 cold formed circular hollow sections", "CFCHS",
                 "hollow_cf.mat", NAME_THICK),
        "[8]",
        standard("rhs_hf.tab", "RHS hot finished", "BS EN 10210-2 hot finished rectangular hollow sections", "RHS",
                 "hollow_hf.mat", NAME_THICK),
        standard("rhs_cf.tab", "RHS cold formed", "BS EN 10219-2 cold formed rectangular hollow sections", "CFRHS",
                 "hollow_cf.mat", NAME_THICK),
        "[9]",
        standard("shs_hf.tab", "SHS hot finished", "BS EN 10210-2 hot finished square hollow sections", "SHS",
                 "hollow_hf.mat", NAME_THICK),
        standard("shs_cf.tab", "SHS cold formed", "BS EN 10219-2 cold formed square hollow sections", "CFSHS",
                 "hollow_cf.mat", NAME_THICK),
        "[10]", "[11]", "[12]",
        "[END]",
    ]
    tables = {
        "ub.tab": i_beams(ref, "ub.csv", "Universal beams (radii of the British tables)", after_first_word, compact),
        "uc.tab": i_beams(ref, "uc.csv", "Universal columns (radii of the British tables)", after_first_word, compact),
        "pfc.tab": parallel_channels(ref, "pfc.csv", "Parallel flange channels", after_first_word, compact),
        "l_equal.tab": angles(ref, "l_equal.csv", "Equal angles", "L"),
        "l_unequal.tab": angles(ref, "l_unequal.csv", "Unequal angles", "L"),
        **hollow_tables(ref, ("chs_cf.tab", "chs_hf.tab", "rhs_cf.tab", "rhs_hf.tab", "shs_cf.tab", "shs_hf.tab"),
                        "BS EN 10219-2", "BS EN 10210-2", ("CFCHS", "CHS", "CFRHS", "RHS", "CFSHS", "SHS")),
    }
    family(out, "bs", index, tables, BRITISH_MATERIALS)


def american_family(ref, out):
    index = INDEX_HEAD + [
        "# Dimensions in millimetres; each size shows the American designation beside the metric one.",
        "[1]",
        standard("w.tab", "W", "ASTM A6 wide flange shapes", "W", "wide_flange.mat"),
        standard("hp.tab", "HP", "ASTM A6 bearing piles", "HP", "wide_flange.mat"),
        standard("m.tab", "M", "ASTM A6 miscellaneous shapes", "M", "wide_flange.mat"),
        "[2]",
        standard("s.tab", "S", "ASTM A6 American standard beams, flanges sloped 16.67 %", "S", "shapes.mat"),
        "[3]",
        standard("c.tab", "C", "ASTM A6 American standard channels, flanges sloped 16.67 %", "C", "shapes.mat"),
        "[4]",
        standard("l_equal.tab", "L equal", "ASTM A6 equal leg angles", "L", "shapes.mat"),
        standard("l_unequal.tab", "L unequal", "ASTM A6 unequal leg angles", "L", "shapes.mat"),
        "[5]", "[6]",
        "[7]",
        standard("hss_round.tab", "HSS round", "Round HSS, drawn with the design wall 0.93 t", "HSS", "hss.mat"),
        standard("pipe.tab", "Pipe", "Pipe, drawn with the design wall 0.93 t", "Pipe", "pipe.mat"),
        "[8]",
        standard("hss_rect.tab", "HSS rectangular", "Rectangular HSS, drawn with the design wall 0.93 t", "HSS",
                 "hss.mat"),
        "[9]",
        standard("hss_square.tab", "HSS square", "Square HSS, drawn with the design wall 0.93 t", "HSS", "hss.mat"),
        "[10]", "[11]", "[12]",
        "[END]",
    ]
    r1_or_r = lambda r: r["r1_ana"] or r["r"]
    tables = {
        "w.tab": us_i_beams(ref, "w.csv", "W shapes (root radius k_des - tf)", "W", lambda r: r["r"]),
        "hp.tab": us_i_beams(ref, "hp_us.csv", "HP shapes", "HP", r1_or_r),
        "m.tab": us_i_beams(ref, "m.csv", "M shapes", "M", r1_or_r),
        "s.tab": us_sloped(ref, "s.csv", "S shapes", "S", lambda b, tw: tw / 4),
        "c.tab": us_sloped(ref, "c.csv", "C shapes", "C", lambda b, tw: tw / 2),
        "l_equal.tab": us_angles(ref, "l_us_equal.csv", "Equal leg angles (no toe radius)"),
        "l_unequal.tab": us_angles(ref, "l_us_unequal.csv", "Unequal leg angles (no toe radius)"),
        "hss_round.tab": us_hollow(ref, "hss_round.csv", "Round HSS", "HSS",
                                   lambda r, ref_: [designated(r, "HSS")[0], 0, ref_], US_PIPE),
        "pipe.tab": us_hollow(ref, "pipe.csv", "Pipe (outside diameters as the tables give them)", "Pipe",
                              lambda r, ref_: [num(r["OD"]), 0, ref_], US_PIPE),
        "hss_rect.tab": us_hollow(ref, "hss_rect.csv", "Rectangular HSS", "HSS",
                                  lambda r, ref_: [designated(r, "HSS")[0], 0, ref_, designated(r, "HSS")[1]], US_HSS),
        "hss_square.tab": us_hollow(ref, "hss_square.csv", "Square HSS", "HSS",
                                    lambda r, ref_: [designated(r, "HSS")[0], 0, ref_], US_HSS),
    }
    family(out, "us", index, tables, US_MATERIALS)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    reference = sys.argv[1]
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(__file__), "..", "data", "catalogue")
    en_family(reference, out)
    din_family(reference, out)
    british_family(reference, out)
    american_family(reference, out)


if __name__ == "__main__":
    main()
