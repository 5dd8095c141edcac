"""Joints between steel parts in FreeCAD: the system's cuts on FreeCAD's objects, following
edits and length changes of either part, and gone with the joint."""
import unittest

import FreeCAD

import freecad_support as support
from zembrati_workbench import joints, operations
from zembrati_workbench.properties import mass_kg


def column_and_beam(test, doc):
    """An HEA 240 column 5 m high and an HEA 200 beam 2 m long pointing at its flange, as
    FreeCAD users place parts: inserted, then moved and turned."""
    column = support.insert_hea(test, doc, size="240", length="5000")
    beam = support.insert_hea(test, doc, size="200", length="2000")
    # The beam's axis (its z) along -Y, its web (its y) up, from (0, 2000, 3000) to the column's axis.
    beam.Placement = FreeCAD.Placement(FreeCAD.Vector(0, 2000, 3000), FreeCAD.Rotation(FreeCAD.Vector(1, 0, 0), 90))
    doc.recompute()
    return column, beam


class JointTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)

    def test_a_butt_cuts_the_beam_at_the_columns_flange_and_follows_the_column(self):
        column, beam = column_and_beam(self, self.doc)
        uncut = beam.Shape.Volume
        joint = joints.make(beam, column, "butt")
        self.assertEqual(joint.Problem, "")
        self.assertEqual(beam.CutLength.Value, 2000 - 115)
        self.assertAlmostEqual(beam.Shape.Volume, uncut * (2000 - 115) / 2000, delta=1)
        self.assertAlmostEqual(mass_kg(beam), beam.Shape.Volume * 7.85e-6, delta=1e-6)
        self.assertAlmostEqual(column.Shape.Volume, column.SectionArea.Value * 5000, delta=1e-3)  # untouched
        self.assertEqual(self.doc.recompute(), 0)  # nothing left to do

        # The column edited to HEA 300 (145 to its flange): the joint cuts the beam again.
        self.assertTrue(operations.edit(column, ui=support.choose(("size", "300"), ("press", "ok"))).changed)
        self.assertEqual(beam.CutLength.Value, 2000 - 145)
        # The beam made longer: its start, the far end, stays where it is, and it is still cut at
        # the flange, though it now reaches past the column.
        beam.Length = 2500
        self.doc.recompute()
        self.assertEqual(beam.CutLength.Value, 2000 - 145)
        self.assertIn("butt to HEA 300 x 5000", beam.CutEnds[1])

        joints.remove(joint)
        self.assertNotIn("CutLength", beam.PropertiesList)
        self.assertAlmostEqual(beam.Shape.Volume, beam.SectionArea.Value * 2500, delta=1)

    def test_a_mitre_cuts_both_parts_and_a_joint_that_cannot_be_made_is_not_added(self):
        a = support.insert_hea(self, self.doc, size="200", length="1000")
        b = support.insert_hea(self, self.doc, size="200", length="1000")
        # a along +X from the origin, b up +Z from a's end: a corner.
        a.Placement = FreeCAD.Placement(FreeCAD.Vector(0, 0, 0), FreeCAD.Rotation(FreeCAD.Vector(0, 1, 0), 90))
        b.Placement = FreeCAD.Placement(FreeCAD.Vector(1000, 0, 0), FreeCAD.Rotation())
        self.doc.recompute()
        joints.make(a, b, "mitre", end="end")
        # Each lies with its flanges (200 wide) in the plane of the bend: it reaches 100 past the corner.
        self.assertEqual(a.CutLength.Value, 1000 + 100)
        self.assertEqual(b.CutLength.Value, 1000 + 100)
        self.assertLess(a.Shape.common(b.Shape).Volume, 1e-3)
        self.assertLess(a.Shape.distToShape(b.Shape)[0], 1e-6)

        far = support.insert_hea(self, self.doc, size="200", length="1000")
        far.Placement = FreeCAD.Placement(FreeCAD.Vector(5000, 5000, 0), FreeCAD.Rotation())
        self.doc.recompute()
        count = len(self.doc.Objects)
        with self.assertRaises(ValueError) as refused:
            joints.make(far, a, "mitre")
        self.assertIn("share an end point", str(refused.exception))
        self.assertEqual(len(self.doc.Objects), count)
        self.assertNotIn("CutLength", far.PropertiesList)
        self.assertEqual(a.CutLength.Value, 1100)
