"""Editing a part: the dialog opens on its stored choices and rebuilds the same object in place;
an unchanged edit or Cancel changes nothing; Ctrl+Z takes an edit back."""
import unittest

import FreeCAD

import freecad_support as support
from zembrati_workbench import operations


def same_placement(a, b):
    turned = a.Rotation.multiply(b.Rotation.inverted())
    return (a.Base - b.Base).Length < 1e-9 and abs(turned.Angle) < 1e-9


class EditTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)
        self.part = support.insert_hea(self, self.doc)

    def test_the_dialog_opens_on_the_parts_stored_choices(self):
        ui = support.choose(("state", None), ("press", "cancel"))
        operations.edit(self.part, ui=ui)
        state = ui.states[0]
        self.assertEqual(state["types"][state["type"]], "HE")
        lists = state["lists"]
        chosen = {name: lists[name]["entries"][lists[name]["selected"]] for name in ("standard", "size", "material")}
        self.assertEqual(chosen, {"standard": "HEA", "size": "200", "material": "S355J2"})
        self.assertEqual(state["length"]["text"], "1500")

    def test_ok_with_changes_rebuilds_the_same_object_keeping_placement_and_name_suffix(self):
        placement = FreeCAD.Placement(FreeCAD.Vector(200, -50, 300), FreeCAD.Rotation(FreeCAD.Vector(1, 0, 0), 90))
        self.part.Placement = placement
        self.part.Label = "HEA 200 x 1500 - grid B"
        name = self.part.Name
        outcome = operations.edit(self.part, ui=support.choose(("size", "300"), ("length", "2000"), ("press", "ok")))
        self.assertTrue(outcome.changed)
        self.assertEqual([obj.Name for obj in self.doc.Objects], [name])
        self.assertEqual(self.part.Label, "HEA 300 x 2000 - grid B")
        self.assertEqual(self.part.Description, "HEA 300 x 2000 - grid B")  # as a length change describes it
        self.assertTrue(same_placement(self.part.Placement, placement))
        self.assertEqual(self.part.Size, "300")
        self.assertEqual(self.part.Length.Value, 2000)
        self.assertTrue(self.part.Shape.isValid())
        self.assertAlmostEqual(self.part.Shape.Volume, self.part.SectionArea.Value * 2000, delta=1)

    def test_an_unchanged_edit_and_cancel_change_nothing(self):
        before = (self.part.PartDocument, self.part.Label, self.part.Shape.exportBrepToString(), self.doc.UndoNames)
        for ui in (support.choose(("press", "ok")), support.choose(("size", "300"), ("press", "cancel"))):
            outcome = operations.edit(self.part, ui=ui)
            self.assertFalse(outcome.changed)
            after = (self.part.PartDocument, self.part.Label, self.part.Shape.exportBrepToString(), self.doc.UndoNames)
            self.assertEqual(after, before)

    def test_undo_takes_an_edit_back_as_one_step(self):
        before = (self.part.Label, self.part.PartDocument, round(self.part.Shape.Volume, 3))
        operations.edit(self.part, ui=support.choose(("size", "300"), ("press", "ok")))
        self.assertEqual(self.doc.UndoNames[0], "Edit steel section")
        self.doc.undo()
        self.doc.recompute()
        self.assertEqual((self.part.Label, self.part.PartDocument, round(self.part.Shape.Volume, 3)), before)

    def test_undo_takes_an_insert_back(self):
        self.doc.undo()
        self.assertEqual(self.doc.Objects, [])
