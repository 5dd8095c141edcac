"""The workbench's Cutting list: the document's steel parts as a spreadsheet, through the same
library as the command line's `bom` (pieces cut as their joints cut them, the cutting list and,
when stock lengths are given, the bars to order nested with the saw's kerf and the trim)."""
import json
import re

import zembrati_freecad
import zembrati_part

from . import joints, properties

SHEET = "CuttingList"
PIECE_COLUMNS = ["Name", "Mark", "Standard", "Designation", "Material", "Cut length (mm)", "Start web (°)",
                 "Start flange (°)", "End web (°)", "End flange (°)", "Mass (kg)"]
PIECE_KEYS = ["name", "mark", "standard", "designation", "material", "cut_length_mm", "start_angle_web_deg",
              "start_angle_flange_deg", "end_angle_web_deg", "end_angle_flange_deg", "mass_kg"]
BAR_COLUMNS = ["Standard", "Designation", "Material", "Bar", "Stock (mm)", "Pieces (mark length)", "Offcut (mm)"]


class Outcome:
    """What making the list did: `ok`, the sheet, and the messages the user should see."""

    def __init__(self, ok, messages, sheet=None):
        self.ok = ok
        self.messages = messages
        self.sheet = sheet


def stock_lengths(text):
    """"6000, 12000" as [6000.0, 12000.0]; raises ValueError naming what is not a length."""
    lengths = []
    for item in [t for t in re.split(r"[,;\s]+", text.strip()) if t]:
        try:
            value = float(item)
        except ValueError:
            raise ValueError("%s is not a length in mm; give stock lengths as 6000, 12000" % item)
        if not 0 < value <= 1e6:
            raise ValueError("%s mm is not a stock length; give lengths above 0 and at most 1000000 mm" % item)
        lengths.append(value)
    return lengths


def column(index):
    return chr(ord("A") + index)


def put(sheet, cell, value):
    """A number as a number; any text as text, even one that looks like a number or a formula."""
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        sheet.set(cell, repr(round(value, 6)))
    else:
        sheet.set(cell, "'" + str(value))


def write_row(sheet, row, values):
    for i, value in enumerate(values):
        put(sheet, "%s%d" % (column(i), row), value)


def mm(value):
    return ("%.1f" % value).rstrip("0").rstrip(".")


def write_order(sheet, row, result, stock, kerf, trim):
    write_row(sheet, row, ["Bars to order (stock %s mm, kerf %s mm, trim %s mm)" % (", ".join(mm(s) for s in stock), mm(kerf), mm(trim))])
    write_row(sheet, row + 1, BAR_COLUMNS)
    row += 2
    for group in result["nesting"]:
        for number, bar in enumerate(group["bars"], 1):
            pieces = ", ".join("%s %s" % (p["mark"], mm(p["length_mm"])) for p in bar["pieces"])
            write_row(sheet, row, [group["standard"], group["designation"], group["material"], number, bar["stock_mm"],
                                   pieces, bar["offcut_mm"]])
            row += 1
        for piece in group["unplaced"]:
            write_row(sheet, row, [group["standard"], group["designation"], group["material"], "none", "",
                                   "%s %s (longer than every stock length)" % (piece["mark"], mm(piece["length_mm"])), ""])
            row += 1
        write_row(sheet, row, ["", group["designation"], group["material"], "%d bars" % group["bars_ordered"],
                               "%s m" % mm(group["metres_ordered"]), "%s kg, waste %s %%; at least %d bars" %
                               (mm(group["kg_ordered"]), mm(group["waste_percent"]), group["lower_bound_bars"]), ""])
        row += 2
    order = result["order"]
    write_row(sheet, row, ["Total ordered", "", "", "%d bars" % order["bars_ordered"], "%s m" % mm(order["metres_ordered"]),
                           "%s kg" % mm(order["kg_ordered"])])


def make(doc, stock=(), kerf=0.0, trim=0.0):
    """Makes (or makes again) the document's cutting list sheet."""
    parts = [obj for obj in doc.Objects if zembrati_part.is_steel_part(obj)]
    if not parts:
        return Outcome(False, ["The document holds no steel parts to list."])
    joined = [j for j in joints.joints_of(doc) if j.Member in parts and j.Other in parts]
    result = json.loads(zembrati_freecad.cutting_list([properties.part_of(obj) for obj in parts], joints.wanted(joined, parts),
                                                      list(stock), float(kerf), float(trim)))
    if not result["ok"]:
        return Outcome(False, [result["error"]["description"]])
    import Spreadsheet  # noqa: F401  (registers the sheet's type in freecadcmd too)
    sheet = doc.getObject(SHEET)
    if sheet is None or sheet.TypeId != "Spreadsheet::Sheet":
        sheet = doc.addObject("Spreadsheet::Sheet", SHEET)
        sheet.Label = "Cutting list"
    sheet.clearAll()
    write_row(sheet, 1, PIECE_COLUMNS)
    for row, piece in enumerate(result["pieces"], 2):
        write_row(sheet, row, [piece[key] for key in PIECE_KEYS])
    total = len(result["pieces"]) + 2
    write_row(sheet, total, ["Total"] + [""] * 9)
    sheet.set("K%d" % total, "=sum(K2:K%d)" % (total - 1))
    if stock:
        write_order(sheet, total + 2, result, stock, kerf, trim)
    doc.recompute()
    messages = ["Joint %s: %s" % (joined[p["joint"]].Label, p["reason"]) for p in result["problems"]]
    if stock:
        messages += ["%s: %s" % (g["designation"], "%s (%s mm) longer than every stock length" % (p["mark"], mm(p["length_mm"])))
                     for g in result["nesting"] for p in g["unplaced"]]
    return Outcome(True, messages, sheet)
