"""The workbench's Cutting list: the document's steel parts in a FreeCAD spreadsheet, cut as their
joints cut them, with the bars to order when stock lengths are given."""
import unittest

import freecad_support as support
from test_joints import column_and_beam
from zembrati_workbench import cutting_list, joints
from zembrati_workbench.properties import mass_kg


def cell(sheet, address):
    """A cell's value, or None where it is empty (FreeCAD's sheet raises for an empty cell)."""
    try:
        return sheet.get(address)
    except ValueError:
        return None


class CuttingListTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)

    def test_the_sheet_lists_each_part_as_cut_with_the_bars_to_order(self):
        column, beam = column_and_beam(self, self.doc)
        beam.Label = beam.Label + " B1"
        joints.make(beam, column, "butt")
        outcome = cutting_list.make(self.doc, [6000], kerf=3, trim=10)
        self.assertTrue(outcome.ok, outcome.messages)
        self.assertEqual(outcome.messages, [])
        sheet = outcome.sheet
        self.assertEqual(sheet.TypeId, "Spreadsheet::Sheet")
        self.assertEqual([sheet.get("%s1" % cutting_list.column(i)) for i in range(3)], ["Name", "Mark", "Standard"])
        rows = {sheet.get("A%d" % row): row for row in (2, 3)}
        self.assertEqual(sorted(rows), sorted([column.Label, beam.Label]))
        b = rows[beam.Label]
        self.assertEqual(sheet.get("B%d" % b), "B1")
        self.assertEqual(sheet.get("D%d" % b), "HEA200")
        self.assertEqual(sheet.get("E%d" % b), "S355J2")
        self.assertAlmostEqual(sheet.get("F%d" % b), beam.CutLength.Value, delta=0.05)
        self.assertAlmostEqual(sheet.get("K%d" % b), mass_kg(beam), delta=1e-6)
        self.assertAlmostEqual(sheet.get("K4"), mass_kg(beam) + mass_kg(column), delta=1e-6)
        # Bars to order: the 5 m column and the 1885 mm beam are two sections, a 6 m bar each.
        self.assertTrue(sheet.get("A6").startswith("Bars to order (stock 6000 mm, kerf 3 mm, trim 10 mm)"))
        bars = [row for row in range(8, 20) if cell(sheet, "D%d" % row) == 1]
        self.assertEqual(len(bars), 2)
        self.assertEqual({sheet.get("E%d" % row) for row in bars}, {6000})
        offcuts = sorted(sheet.get("G%d" % row) for row in bars)
        self.assertAlmostEqual(offcuts[0], 6000 - 10 - 5000, delta=1e-9)
        self.assertAlmostEqual(offcuts[1], 6000 - 10 - beam.CutLength.Value, delta=0.05)

        # Again without stock lengths: the same sheet, the bars gone.
        again = cutting_list.make(self.doc)
        self.assertIs(again.sheet, sheet)
        self.assertEqual(len([o for o in self.doc.Objects if o.TypeId == "Spreadsheet::Sheet"]), 1)
        self.assertIsNone(cell(sheet, "A6"))

    def test_stock_lengths_are_read_as_a_user_types_them(self):
        self.assertEqual(cutting_list.stock_lengths(" 6000, 12000 "), [6000.0, 12000.0])
        self.assertEqual(cutting_list.stock_lengths(""), [])
        for bad in ("6 m", "0", "-6000"):
            with self.assertRaises(ValueError):
                cutting_list.stock_lengths(bad)

    def test_a_document_without_steel_lists_nothing(self):
        outcome = cutting_list.make(self.doc)
        self.assertFalse(outcome.ok)
        self.assertEqual(outcome.messages, ["The document holds no steel parts to list."])


if __name__ == "__main__":
    unittest.main()
