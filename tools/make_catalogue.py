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
import sys
from collections import OrderedDict

NAME = "D C x L"             # HEA 200 x 1500
NAME_THICK = "D CxS x L"     # CHS 60.3x4 x 1500


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


def size_line(name, fields, part_number):
    """<size name>|<field 0>|...|<field n>|<part number>| with field 1 (the length) as 0."""
    return "|".join([name] + [str(f) for f in fields] + [part_number]) + "|"


def table(title, header, lines):
    return ["# " + title, "# " + header] + lines


def simple_table(reference, csv_name, title, columns, name_of, fields_of, part_of):
    lines = [size_line(name_of(r), fields_of(r), part_of(r)) for r in rows(reference, csv_name)]
    return table(title, "size|" + "|".join(columns) + "|part number|", lines)


def grouped_table(reference, csv_name, title, columns, key_of, thickness_column, fields_of, part_of):
    """Hollow sections and flats: one size line per outer size, its thicknesses in a group."""
    groups = OrderedDict()
    for r in rows(reference, csv_name):
        groups.setdefault(key_of(r), {"row": r, "t": []})["t"].append(num(r[thickness_column]))
    lines, group_lines = [], []
    for number, (key, group) in enumerate(groups.items(), start=1):
        lines.append(size_line(key, fields_of(group["row"], "@" + str(number)), part_of(group["row"])))
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


def hollow_round(reference, csv_name, title, prefix):
    return grouped_table(reference, csv_name, title, ["D", "-", "-"], lambda r: num(r["D"]), "t",
                         lambda r, ref: [num(r["D"]), 0, ref], lambda r: prefix + num(r["D"]))


def hollow_rect(reference, csv_name, title, prefix):
    return grouped_table(reference, csv_name, title, ["A", "-", "-", "B"],
                         lambda r: num(r["h"]) + "x" + num(r["b"]), "t",
                         lambda r, ref: [num(r["h"]), 0, ref, num(r["b"])],
                         lambda r: prefix + num(r["h"]) + "x" + num(r["b"]))


def hollow_square(reference, csv_name, title, prefix):
    return grouped_table(reference, csv_name, title, ["A", "-", "-"], lambda r: num(r["a"]), "t",
                         lambda r, ref: [num(r["a"]), 0, ref], lambda r: prefix + num(r["a"]))


def flats(reference, prefix):
    return grouped_table(reference, "flat.csv", "Flat bars", ["A", "-", "-"], lambda r: num(r["b"]), "t",
                         lambda r, ref: [num(r["b"]), 0, ref], lambda r: prefix + num(r["b"]))


def bars(reference, csv_name, column, title, prefix):
    return simple_table(reference, csv_name, title, [column, "-"], lambda r: num(r[column]),
                        lambda r: [num(r[column]), 0], lambda r: prefix + num(r[column]))


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


def en_family(ref, out):
    upn = lambda r: r["designation"].startswith("UPN")
    index = INDEX_HEAD + [
        "[1]",
        standard("hea.tab", "HEA", "EN 10365 wide flange beams, light series (DIN 1025-3)", "HEA", "structural.mat"),
        standard("heb.tab", "HEB", "EN 10365 wide flange beams (DIN 1025-2)", "HEB", "structural.mat"),
        standard("hem.tab", "HEM", "EN 10365 wide flange beams, heavy series (DIN 1025-4)", "HEM", "structural.mat"),
        "[2]",
        standard("ipn.tab", "IPN", "EN 10365 I beams, flanges sloped 14 % (DIN 1025-1)", "IPN", "structural.mat"),
        "[3]",
        standard("upn.tab", "UPN", "EN 10365 channels, flanges sloped 8 % (DIN 1026-1)", "UPN", "structural.mat"),
        "[4]",
        standard("l_equal.tab", "L equal legs", "EN 10056-1 equal leg angles", "L", "structural.mat"),
        standard("l_unequal.tab", "L unequal legs", "EN 10056-1 unequal leg angles", "L", "structural.mat"),
        "[5]",
        standard("t.tab", "T", "EN 10055 T sections, drawn with sharp corners", "T", "structural.mat"),
        "[6]",
        standard("t_rounded.tab", "T rounded", "EN 10055 T sections with rounded edges and tapers", "T",
                 "structural.mat"),
        "[7]",
        standard("chs_cf.tab", "CHS EN 10219", "EN 10219-2 cold formed circular hollow sections", "CHS",
                 "hollow_cf.mat", NAME_THICK),
        standard("chs_hf.tab", "CHS EN 10210", "EN 10210-2 hot finished circular hollow sections", "CHS",
                 "hollow_hf.mat", NAME_THICK),
        "[8]",
        standard("rhs_cf.tab", "RHS EN 10219", "EN 10219-2 cold formed rectangular hollow sections", "RHS",
                 "hollow_cf.mat", NAME_THICK),
        standard("rhs_hf.tab", "RHS EN 10210", "EN 10210-2 hot finished rectangular hollow sections", "RHS",
                 "hollow_hf.mat", NAME_THICK),
        "[9]",
        standard("shs_cf.tab", "SHS EN 10219", "EN 10219-2 cold formed square hollow sections", "SHS",
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
        "ipn.tab": sloped(ref, "ipn.csv", "IPN beams", lambda r: True, lambda r: r["designation"].split()[1],
                          lambda r: "IPN" + r["designation"].split()[1]),
        "upn.tab": sloped(ref, "upn.csv", "UPN channels", upn, lambda r: r["designation"].split()[1],
                          lambda r: "UPN" + r["designation"].split()[1]),
        "l_equal.tab": angles(ref, "l_equal.csv", "Equal leg angles", "L"),
        "l_unequal.tab": angles(ref, "l_unequal.csv", "Unequal leg angles", "L"),
        "t.tab": tees(ref, False, "T"), "t_rounded.tab": tees(ref, True, "T"),
        "chs_cf.tab": hollow_round(ref, "chs.csv", "EN 10219-2 circular hollow sections", "CHS"),
        "chs_hf.tab": hollow_round(ref, "chs_en10210.csv", "EN 10210-2 circular hollow sections", "CHS"),
        "rhs_cf.tab": hollow_rect(ref, "rhs.csv", "EN 10219-2 rectangular hollow sections", "RHS"),
        "rhs_hf.tab": hollow_rect(ref, "rhs_en10210.csv", "EN 10210-2 rectangular hollow sections", "RHS"),
        "shs_cf.tab": hollow_square(ref, "shs.csv", "EN 10219-2 square hollow sections", "SHS"),
        "shs_hf.tab": hollow_square(ref, "shs_en10210.csv", "EN 10210-2 square hollow sections", "SHS"),
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
        standard("t.tab", "DIN 1024", "T sections, drawn with sharp corners", "T", "structural.mat"),
        "[6]",
        standard("t_rounded.tab", "DIN 1024 rounded", "T sections with rounded edges and tapers", "T",
                 "structural.mat"),
        "[7]",
        standard("rohr_welded.tab", "DIN 2458", "Welded steel tubes", "Rohr", "tubes.mat", NAME_THICK),
        standard("rohr_seamless.tab", "DIN 2448", "Seamless steel tubes", "Rohr", "tubes.mat", NAME_THICK),
        "[8]",
        standard("rro_cf.tab", "DIN 59411", "Cold formed rectangular tubes", "RRO", "tubes.mat", NAME_THICK),
        standard("rro_hf.tab", "DIN 59410", "Hot finished rectangular tubes", "RRO", "tubes.mat", NAME_THICK),
        "[9]",
        standard("qro_cf.tab", "DIN 59411", "Cold formed square tubes", "QRO", "tubes.mat", NAME_THICK),
        standard("qro_hf.tab", "DIN 59410", "Hot finished square tubes", "QRO", "tubes.mat", NAME_THICK),
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
        "rohr_welded.tab": hollow_round(ref, "chs.csv", "Welded tubes", "R"),
        "rohr_seamless.tab": hollow_round(ref, "chs_en10210.csv", "Seamless tubes", "R"),
        "rro_cf.tab": hollow_rect(ref, "rhs.csv", "Cold formed rectangular tubes", "RRO"),
        "rro_hf.tab": hollow_rect(ref, "rhs_en10210.csv", "Hot finished rectangular tubes", "RRO"),
        "qro_cf.tab": hollow_square(ref, "shs.csv", "Cold formed square tubes", "QRO"),
        "qro_hf.tab": hollow_square(ref, "shs_en10210.csv", "Hot finished square tubes", "QRO"),
        "flach.tab": flats(ref, "FL"),
        "rund.tab": bars(ref, "round_bar.csv", "d", "Round bars", "RD"),
        "vierkant.tab": bars(ref, "square_bar.csv", "a", "Square bars", "VK"),
    }
    # The DIN 1025 names of the HE sizes; their part numbers keep the designation of the family.
    for name, old in (("ipbl.tab", "IPBl"), ("ipb.tab", "IPB"), ("ipbv.tab", "IPBv")):
        tables[name] = [line if line.startswith("#") else line.rsplit("|", 2)[0] + "|" + old +
                        line.split("|")[0] + "|" for line in tables[name]]
    family(out, "din", index, tables, DIN_MATERIALS)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    reference = sys.argv[1]
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(__file__), "..", "data", "catalogue")
    en_family(reference, out)
    din_family(reference, out)


if __name__ == "__main__":
    main()
