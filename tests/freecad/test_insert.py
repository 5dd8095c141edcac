"""Inserting parts: the exact solid, the name, the stored data as properties, a part standing
on a face of another."""
import unittest

import FreeCAD

import freecad_support as support
import zembrati_part
from zembrati_workbench import operations, properties

HEA200_AREA = 5383.124  # mm², the drawn section with its root radii (tables: 53.8 cm²)


class InsertTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)

    def test_the_part_is_the_exact_solid_with_its_name_and_stored_data(self):
        part = support.insert_hea(self, self.doc)
        self.assertTrue(zembrati_part.is_steel_part(part))
        self.assertEqual(part.Label, "HEA 200 x 1500")
        shape = part.Shape
        self.assertTrue(shape.isValid())
        self.assertEqual(len(shape.Solids), 1)
        self.assertTrue(shape.Solids[0].isClosed())
        self.assertAlmostEqual(shape.Volume, HEA200_AREA * 1500, delta=1)
        self.assertEqual({face.Surface.TypeId for face in shape.Faces}, {"Part::GeomPlane", "Part::GeomCylinder"})
        self.assertEqual((part.Class, part.TypeCode, part.Standard, part.Size, part.Material),
                         ("ProfilHE", 1, "HEA", "200", "S355J2"))
        self.assertEqual(part.Length.Value, 1500)
        self.assertEqual(part.PartNumber, "HEA200")
        self.assertIn("1500", part.Description)
        self.assertAlmostEqual(part.SectionArea.Value, HEA200_AREA, places=2)
        self.assertEqual(part.getEditorMode("PartDocument"), ["Hidden"])
        self.assertEqual(part.getEditorMode("Standard"), ["ReadOnly"])
        self.assertEqual(part.getEditorMode("Length"), [])

    def test_internal_rows_are_hidden_and_the_mass_is_a_mass_where_freecad_has_one(self):
        part = support.insert_hea(self, self.doc)
        internal = [name for name in part.PropertiesList if name.startswith(("Data1_", "Data2_", "P_"))]
        self.assertTrue(internal)
        for name in internal + ["PartDocument", "SectionPoints"]:
            self.assertIn("Hidden", part.getEditorMode(name), name)
        kg = HEA200_AREA * 1500 * 7.85e-6
        self.assertAlmostEqual(properties.mass_kg(part), kg, places=6)
        if [int(v) for v in FreeCAD.Version()[:2]] >= [1, 0]:
            self.assertEqual(part.getTypeIdOfProperty("Mass"), "App::PropertyMass")
            self.assertAlmostEqual(part.Mass.getValueAs("t").Value, kg / 1000, places=9)
        else:  # FreeCAD 0.20 has no mass property a script can add
            self.assertEqual(part.getTypeIdOfProperty("MassKg"), "App::PropertyFloat")

    def test_part_variables_and_properties_keep_their_types(self):
        part = support.insert_hea(self, self.doc)
        variables = [name for name in part.PropertiesList if part.getGroupOfProperty(name) == properties.VARIABLES]
        self.assertTrue(variables)
        kinds = {part.getTypeIdOfProperty(name) for name in variables}
        self.assertIn("App::PropertyInteger", kinds)  # the type code
        self.assertIn("App::PropertyString", kinds)   # class, standard, size
        self.assertEqual(part.Data1_1, 1)
        self.assertEqual(part.Data2_13, "HEA")
        listed = [name for name in part.PropertiesList if part.getGroupOfProperty(name) == properties.PROPERTIES]
        self.assertTrue(listed)
        for name in listed:
            self.assertTrue(part.getDocumentationOfProperty(name))  # the property's own name

    def test_a_cancelled_dialog_adds_nothing(self):
        outcome = operations.insert(self.doc, ui=support.choose(("type", "IPN"), ("press", "cancel")))
        self.assertFalse(outcome.changed)
        self.assertEqual(self.doc.Objects, [])
        self.assertEqual(self.doc.UndoNames, [])

    def test_two_parts_of_one_name_are_told_apart_without_changing_the_length_in_it(self):
        first = support.insert_hea(self, self.doc)
        second = support.insert_hea(self, self.doc)
        self.assertEqual(first.Label, "HEA 200 x 1500")
        self.assertEqual(second.Label, "HEA 200 x 1500 (2)")

    def test_a_part_dropped_on_the_end_face_of_another_stands_on_it(self):
        column = support.insert_hea(self, self.doc)
        column.Placement = FreeCAD.Placement(FreeCAD.Vector(1000, 500, 0), FreeCAD.Rotation(FreeCAD.Vector(0, 0, 1), 30))
        end = [i for i, face in enumerate(column.Shape.Faces, 1)
               if abs(face.CenterOfMass.z - 1500) < 1e-6 and face.Surface.TypeId == "Part::GeomPlane"][0]
        target = operations.drop_target([Picked(column, "Face%d" % end)])
        self.assertIn("part", target)
        beam = operations.insert(self.doc, onto=target, ui=support.hea(size="100", length="800")).objects[0]
        box = beam.Shape.BoundBox
        self.assertAlmostEqual(box.ZMin, 1500, places=6)
        self.assertAlmostEqual(box.ZMax, 2300, places=6)
        self.assertAlmostEqual(beam.Shape.distToShape(column.Shape)[0], 0, places=6)
        self.assertLess(beam.Shape.common(column.Shape).Volume, 1e-6)

    def test_a_part_dropped_on_a_side_face_leaves_it_along_the_face_normal(self):
        column = support.insert_hea(self, self.doc)
        planes = [(face.CenterOfMass.y, i) for i, face in enumerate(column.Shape.Faces, 1)
                  if face.Surface.TypeId == "Part::GeomPlane"]
        index = max(planes)[1]  # the outer face of the upper flange
        target = operations.drop_target([Picked(column, "Face%d" % index)])
        beam = operations.insert(self.doc, onto=target, ui=support.hea(size="100", length="600")).objects[0]
        box, top = beam.Shape.BoundBox, column.Shape.BoundBox.YMax
        self.assertAlmostEqual(box.YMin, top, places=6)
        self.assertAlmostEqual(box.YMax, top + 600, places=6)

    def test_a_face_of_another_kind_of_object_places_the_part_at_the_point_picked(self):
        box = self.doc.addObject("Part::Box", "Plate")
        box.Length, box.Width, box.Height = 400, 400, 20
        self.doc.recompute()
        top = [i for i, face in enumerate(box.Shape.Faces, 1) if abs(face.CenterOfMass.z - 20) < 1e-9][0]
        target = operations.drop_target([Picked(box, "Face%d" % top, FreeCAD.Vector(100, 300, 20))])
        self.assertEqual(target, {"scene_point": [100, 300, 20]})
        part = operations.insert(self.doc, onto=target, ui=support.hea()).objects[0]
        self.assertEqual(list(part.Placement.Base), [100, 300, 20])


class Picked:
    """A selection as FreeCADGui.Selection.getSelectionEx() gives it; a face picked by a script
    has the point (0, 0, 0), which lies on no face here."""

    def __init__(self, obj, element, point=None):
        self.Object = obj
        self.SubElementNames = [element]
        self.PickedPoints = [point or FreeCAD.Vector(0, 0, 0)]
