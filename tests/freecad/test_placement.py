"""Parts placed as FreeCAD places things: attached to the face they were dropped on and following
it, members along an edge or sketch line (roll, anchor), and a whole frame from a sketch whose
members move and are re-cut when the sketch changes."""
import unittest

import FreeCAD
import Part
import Sketcher

import freecad_support as support
from zembrati_workbench import cutting_list, frames, joints, operations, placement

HEA200_H, HEA280_H = 190, 270


class Picked:
    """One selected element, as FreeCADGui.Selection.getSelectionEx() gives it."""

    def __init__(self, obj, element, point=None):
        self.Object, self.SubElementNames = obj, [element]
        self.PickedPoints = [point] if point is not None else []


def flange_face(part):
    """The outer face of the flange on +y."""
    for index, face in enumerate(part.Shape.Faces, 1):
        if face.normalAt(0, 0).y > 0.999 and abs(face.CenterOfMass.x) < 1e-6:
            return "Face%d" % index
    raise AssertionError("no outer flange face on +y")


def ipe(length="1000"):
    return support.choose(("family", "EN"), ("type", "HE"), ("standard", "IPE"), ("size", "200"), ("length", length),
                          ("press", "ok"))


def hea_any():
    """An HEA 200 chosen, the length left as the dialog opens."""
    return support.choose(("family", "EN"), ("type", "HE"), ("standard", "HEA"), ("size", "200"), ("press", "ok"))


def distance_to_line(point, start, end):
    direction = (end - start).normalize()
    offset = point - start
    return (offset - direction * offset.dot(direction)).Length


def line_object(doc, start, end):
    obj = doc.addObject("Part::Feature", "Line")
    obj.Shape = Part.makeLine(start, end)
    return obj


def portal_sketch(doc, width=4000, height=3000):
    """A closed rectangle standing in the XZ plane, its height held by its one DistanceY constraint."""
    sketch = doc.addObject("Sketcher::SketchObject", "Sketch")
    sketch.Placement = FreeCAD.Placement(FreeCAD.Vector(), FreeCAD.Rotation(FreeCAD.Vector(1, 0, 0), 90))
    corners = [FreeCAD.Vector(0, 0, 0), FreeCAD.Vector(width, 0, 0), FreeCAD.Vector(width, height, 0), FreeCAD.Vector(0, height, 0)]
    for i in range(4):
        sketch.addGeometry(Part.LineSegment(corners[i], corners[(i + 1) % 4]))
    constraints = [Sketcher.Constraint("Coincident", i, 2, (i + 1) % 4, 1) for i in range(4)]
    constraints += [Sketcher.Constraint("Horizontal", 0), Sketcher.Constraint("Horizontal", 2),
                    Sketcher.Constraint("Vertical", 1), Sketcher.Constraint("Vertical", 3),
                    Sketcher.Constraint("Coincident", 0, 1, -1, 1), Sketcher.Constraint("DistanceX", 0, width),
                    Sketcher.Constraint("DistanceY", 1, height)]
    sketch.addConstraint(constraints)
    doc.recompute()
    return sketch


class AttachedTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)
        self.column = support.insert_hea(self, self.doc, length="3000")

    def test_a_beam_on_a_flange_stays_on_it_when_the_column_grows_or_moves(self):
        face = flange_face(self.column)
        outcome = operations.insert_on_selection([Picked(self.column, face, FreeCAD.Vector(0, HEA200_H / 2, 2000))],
                                                 self.doc, ui=ipe())
        beam = outcome.objects[0]
        self.assertEqual(beam.MapMode, "FlatFace")
        self.assertAlmostEqual(beam.Shape.BoundBox.YMin, HEA200_H / 2, places=6)
        before = beam.Shape.BoundBox
        operations.edit(self.column, ui=support.choose(("size", "280"), ("press", "ok")))
        self.assertEqual(self.column.Label, "HEA 280 x 3000")
        self.assertAlmostEqual(beam.Shape.BoundBox.YMin, HEA280_H / 2, places=6)  # on the flange, not 40 mm inside
        self.assertAlmostEqual(beam.Shape.BoundBox.ZMin, before.ZMin, places=6)
        self.column.Placement = FreeCAD.Placement(FreeCAD.Vector(500, 0, 250), FreeCAD.Rotation())
        self.doc.recompute()
        self.assertAlmostEqual(beam.Shape.BoundBox.XMin, before.XMin + 500, places=6)
        self.assertAlmostEqual(beam.Shape.BoundBox.ZMin, before.ZMin + 250, places=6)
        self.doc.undo()  # the move was no step of its own here; the edit is
        self.assertEqual(self.messages.messages, [])

    def test_a_part_attached_at_a_vertex_follows_it(self):
        corner = line_object(self.doc, FreeCAD.Vector(1000, 0, 0), FreeCAD.Vector(1000, 0, 500))
        outcome = operations.insert_on_selection([Picked(corner, "Vertex2")], self.doc, ui=ipe())
        beam = outcome.objects[0]
        self.assertEqual(beam.MapMode, "Translate")
        self.assertTrue(beam.Placement.Base.isEqual(FreeCAD.Vector(1000, 0, 500), 1e-6), beam.Placement)
        corner.Shape = Part.makeLine(FreeCAD.Vector(1000, 0, 0), FreeCAD.Vector(1000, 0, 800))
        self.doc.recompute()
        self.assertTrue(beam.Placement.Base.isEqual(FreeCAD.Vector(1000, 0, 800), 1e-6), beam.Placement)


    def test_a_part_attached_to_a_sketch_line_with_an_offset_follows_the_line(self):
        line = line_object(self.doc, FreeCAD.Vector(0, 0, 0), FreeCAD.Vector(0, 2000, 0))
        beam = support.insert_hea(self, self.doc, size="100", length="500")
        beam.Placement = FreeCAD.Placement(FreeCAD.Vector(0, 0, 100), FreeCAD.Rotation(FreeCAD.Vector(1, 0, 0), -90))
        placement.attach(beam, line, "Edge1", "NormalToEdge")
        self.assertTrue(beam.Placement.Base.isEqual(FreeCAD.Vector(0, 0, 100), 1e-6), beam.Placement)
        line.Placement = FreeCAD.Placement(FreeCAD.Vector(300, 0, 0), FreeCAD.Rotation())
        self.doc.recompute()
        self.assertTrue(beam.Placement.Base.isEqual(FreeCAD.Vector(300, 0, 100), 1e-6), beam.Placement)
        self.assertEqual(beam.Length.Value, 500)


class AlongEdgeTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)
        self.start, self.end = FreeCAD.Vector(0, 0, 0), FreeCAD.Vector(3000, 0, 4000)
        self.line = line_object(self.doc, self.start, self.end)

    def along(self):
        outcome = operations.insert_on_selection([Picked(self.line, "Edge1")], self.doc, ui=hea_any())
        self.assertEqual(len(outcome.objects), 1, outcome.error)
        return outcome.objects[0]

    def test_a_member_runs_from_the_edges_start_to_its_end_with_its_length(self):
        member = self.along()
        self.assertEqual(member.Length.Value, 5000)
        self.assertEqual(member.Label, "HEA 200 x 5000")
        self.assertLess(distance_to_line(member.Shape.CenterOfMass, self.start, self.end), 1e-6)
        self.assertTrue(member.Placement.Base.isEqual(self.start, 1e-6))
        self.assertTrue(member.Placement.multVec(FreeCAD.Vector(0, 0, 5000)).isEqual(self.end, 1e-6))

    def test_roll_and_anchor_turn_and_shift_the_section_about_the_edge(self):
        member = self.along()
        up = member.Placement.Rotation.multVec(FreeCAD.Vector(0, 1, 0))
        self.assertGreater(up.z, 0)  # the web stands as near upright as the edge allows
        member.Anchor = "bottom centre"
        self.doc.recompute()
        self.assertAlmostEqual(distance_to_line(member.Shape.CenterOfMass, self.start, self.end), HEA200_H / 2, places=6)
        self.assertGreater((member.Shape.CenterOfMass - self.start).dot(up), 0)  # above the edge
        member.Roll = 90
        self.doc.recompute()
        turned = member.Placement.Rotation.multVec(FreeCAD.Vector(0, 1, 0))
        self.assertAlmostEqual(turned.dot(up), 0, places=9)
        self.assertEqual(member.Length.Value, 5000)

    def test_the_member_follows_its_edge_when_the_edge_changes(self):
        member = self.along()
        self.line.Shape = Part.makeLine(FreeCAD.Vector(0, 0, 0), FreeCAD.Vector(0, 0, 2500.4))
        self.doc.recompute()
        self.assertEqual(member.Length.Value, 2500)  # whole millimetres, as a length change gives
        self.assertEqual(member.Label, "HEA 200 x 2500")
        self.assertLess(distance_to_line(member.Shape.CenterOfMass, FreeCAD.Vector(), FreeCAD.Vector(0, 0, 1)), 1e-6)
        self.assertEqual(self.messages.messages, [])


class FrameFromSketchTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)
        self.sketch = portal_sketch(self.doc)

    def frame(self, kind="mitre"):
        outcome = frames.make(self.sketch, kind, ui=hea_any())
        self.assertIsNone(outcome.error)
        members = [obj for obj in outcome.objects if not joints.is_joint(obj)]
        made = [obj for obj in outcome.objects if joints.is_joint(obj)]
        return outcome, members, made

    def test_one_member_per_edge_mitred_at_every_corner(self):
        outcome, members, made = self.frame()
        self.assertEqual(outcome.messages, [])
        self.assertEqual([m.Length.Value for m in members], [4000, 3000, 4000, 3000])
        self.assertEqual([m.Label for m in members], ["HEA 200 x 4000 Sketch-1", "HEA 200 x 3000 Sketch-2",
                                                      "HEA 200 x 4000 Sketch-3", "HEA 200 x 3000 Sketch-4"])
        self.assertEqual(len(made), 4)
        self.assertEqual({j.JointKind for j in made}, {"mitre"})
        self.assertEqual([j.Problem for j in made], [""] * 4)
        for member in members:
            self.assertIn("CutLength", member.PropertiesList, member.Label)
            self.assertTrue(member.Shape.isValid())
        for a, b in zip(members, members[1:] + members[:1]):  # neighbours meet at the mitre, without overlap
            self.assertLess(a.Shape.common(b.Shape).Volume, 1e-3, (a.Label, b.Label))
            self.assertLess(a.Shape.distToShape(b.Shape)[0], 1e-6, (a.Label, b.Label))
        sheet = cutting_list.make(self.doc).sheet
        self.assertEqual(sorted(round(sheet.get("F%d" % row)) for row in range(2, 6)), [3190, 3190, 4190, 4190])
        self.assertEqual({sheet.get("%s%d" % (c, row)) for c in "GI" for row in range(2, 6)}, {45})

    def test_editing_the_sketch_moves_and_re_cuts_the_members(self):
        _, members, made = self.frame()
        left_column = members[3]
        before = left_column.CutLength.Value
        height = [i for i, c in enumerate(self.sketch.Constraints) if c.Type == "DistanceY"][0]
        self.sketch.setDatum(height, FreeCAD.Units.Quantity("3500 mm"))
        self.doc.recompute()
        self.assertEqual(members[1].Length.Value, 3500)
        self.assertEqual(members[1].Label, "HEA 200 x 3500 Sketch-2")  # the mark kept through the length change
        self.assertAlmostEqual(left_column.CutLength.Value, before + 500, places=3)
        self.assertAlmostEqual(members[2].Shape.BoundBox.ZMax, 3500 + HEA200_H / 2, places=3)
        self.assertEqual([j.Problem for j in made], [""] * 4)

    def test_a_post_ending_on_the_middle_of_two_beams_is_butted_onto_both(self):
        self.sketch.addGeometry(Part.LineSegment(FreeCAD.Vector(2000, 0, 0), FreeCAD.Vector(2000, 3000, 0)))
        self.doc.recompute()
        outcome, members, made = self.frame()
        self.assertEqual(outcome.messages, [])
        post = members[4]
        butts = [j for j in made if j.JointKind == "butt"]
        self.assertEqual([(j.Member, j.Other) for j in butts], [(post, members[0]), (post, members[2])])
        self.assertEqual(len(made), 6)
        self.assertAlmostEqual(post.CutLength.Value, 3000 - HEA200_H, places=3)  # between the beams' flanges
        for beam in (members[0], members[2]):
            self.assertLess(post.Shape.common(beam.Shape).Volume, 1e-3)
            self.assertLess(post.Shape.distToShape(beam.Shape)[0], 1e-6)

    def test_butt_joints_and_one_undo_step(self):
        _, members, made = self.frame("butt")
        self.assertEqual({j.JointKind for j in made}, {"butt"})
        self.assertEqual(self.doc.UndoNames[0], "Frame from sketch")
        self.doc.undo()
        self.assertEqual([obj.Name for obj in self.doc.Objects], [self.sketch.Name])

    def test_a_sketch_without_straight_edges_is_refused(self):
        circle = self.doc.addObject("Part::Feature", "Circle")
        circle.Shape = Part.makeCircle(500)
        with self.assertRaises(ValueError):
            frames.make(circle, ui=hea_any())
        self.assertEqual(self.doc.UndoCount, 0)


if __name__ == "__main__":
    unittest.main()
