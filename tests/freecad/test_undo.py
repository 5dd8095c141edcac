"""Undo and redo through inserts, edits and length changes, in any order, give every property of a
part back exactly as it was, with the type it had."""
import unittest

import freecad_support as support
from zembrati_workbench import operations


def snapshot(obj):
    """Every property of `obj` with its type and value; the solid by its volume and bounds."""
    shown = {}
    for name in obj.PropertiesList:
        if name in ("Proxy", "ExpressionEngine"):
            continue
        value = getattr(obj, name)
        if name == "Shape":
            value = (round(value.Volume, 3), str(value.BoundBox))
        shown[name] = (obj.getTypeIdOfProperty(name), str(value))
    return shown


def change_length(doc, part, length):
    """As FreeCAD's property editor changes it: one transaction holding the change and the
    recompute it causes."""
    doc.openTransaction("Edit Length")
    part.Length = length
    doc.recompute()
    doc.commitTransaction()


class UndoRedoTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)

    def test_undo_and_redo_walk_back_and_forth_through_insert_edit_and_length_changes(self):
        part = support.insert_hea(self, self.doc)
        states = [snapshot(part)]
        steps = [
            lambda: operations.edit(part, ui=support.choose(("size", "300"), ("length", "2000"), ("press", "ok"))),
            lambda: change_length(self.doc, part, 2800),
            lambda: change_length(self.doc, part, 3000),
            lambda: operations.edit(part, ui=support.choose(("standard", "HEB"), ("size", "300"), ("press", "ok"))),
            lambda: change_length(self.doc, part, 1250.4),
        ]
        for step in steps:
            step()
            states.append(snapshot(part))
        self.assertEqual(part.Label, "HEB 300 x 1250")
        self.assertEqual(self.doc.UndoCount, len(steps) + 1)

        def at(index, how):
            self.assertEqual(snapshot(part), states[index], how)
            self.doc.recompute()  # the part undo touched regenerates to nothing else
            self.assertEqual(snapshot(part), states[index], how + ", recomputed")

        for index in range(len(steps) - 1, -1, -1):  # all the way back to the insert
            self.doc.undo()
            at(index, "undo to %d" % index)
        for index in range(1, len(steps) + 1):  # and forward again
            self.doc.redo()
            at(index, "redo to %d" % index)
        for move in ["undo", "undo", "redo", "undo", "undo", "undo", "redo", "redo", "redo", "redo"]:
            getattr(self.doc, move)()
        at(len(steps), "after a walk back and forth")
        for _ in range(len(steps) + 1):
            self.doc.undo()
        self.assertEqual(self.doc.Objects, [])
        self.assertEqual(self.messages.messages, [])

    def test_every_property_keeps_its_type_through_a_length_change(self):
        part = support.insert_hea(self, self.doc)
        types = {name: part.getTypeIdOfProperty(name) for name in part.PropertiesList}
        change_length(self.doc, part, 2800)
        self.assertEqual({name: part.getTypeIdOfProperty(name) for name in part.PropertiesList}, types)
        self.assertEqual(part.P_Length, 2800)


if __name__ == "__main__":
    unittest.main()
