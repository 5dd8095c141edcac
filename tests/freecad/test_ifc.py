"""The workbench's Export steel to IFC: the document's steel parts, cut as their joints cut them,
in one IFC4 file that IFC++ (a reader this project did not write) reads back part by part."""
import json
import os
import subprocess
import tempfile
import unittest

import FreeCAD

import freecad_support as support
from test_joints import column_and_beam
from zembrati_workbench import ifc_export, joints, operations
from zembrati_workbench.properties import mass_kg

READER = os.environ.get("ZEMBRATI_IFC_READER", "")


def read_with_ifcpp(path):
    run = subprocess.run([READER, path], capture_output=True, text=True)
    if run.returncode != 0:
        raise AssertionError("IFC++ could not read %s: %s" % (path, run.stderr))
    return json.loads(run.stdout)


class IfcExportTest(unittest.TestCase):
    def setUp(self):
        self.doc, self.messages = support.scripted_session(self)
        self.folder = tempfile.mkdtemp(prefix="zembrati_freecad_ifc_")

    @unittest.skipUnless(READER, "no IFC++ reader in this build")
    def test_the_documents_parts_are_read_back_with_their_cuts_names_and_masses(self):
        column, beam = column_and_beam(self, self.doc)
        beam.Label = beam.Label + " B1"  # a mark of the user's own
        joints.make(beam, column, "butt")
        path = os.path.join(self.folder, "frame.ifc")
        outcome = ifc_export.export(self.doc, path)
        self.assertTrue(outcome.ok, outcome.messages)
        self.assertEqual(outcome.messages, [])
        read = read_with_ifcpp(path)
        self.assertEqual(read["counts"]["IfcProject"], 1)
        products = {p["name"]: p for p in read["products"]}
        self.assertEqual(sorted(products), sorted([column.Label, beam.Label]))
        self.assertEqual(products[column.Label]["entity"], "IfcColumn")
        self.assertEqual(products[beam.Label]["entity"], "IfcBeam")
        self.assertEqual(products[beam.Label]["tag"], "B1")
        self.assertEqual(products[beam.Label]["profile"], "IfcIShapeProfileDef")
        self.assertEqual(products[beam.Label]["material"], "S355J2")
        # The beam as FreeCAD shows it: cut at the column's flange.
        self.assertAlmostEqual(products[beam.Label]["volume_mm3"] / beam.Shape.Volume, 1, delta=0.005)
        self.assertAlmostEqual(products[beam.Label]["quantities"]["Qto_BeamBaseQuantities.Length"], beam.CutLength.Value, delta=0.05)
        self.assertAlmostEqual(products[beam.Label]["quantities"]["Qto_BeamBaseQuantities.NetWeight"], mass_kg(beam), delta=1e-6)
        self.assertAlmostEqual(products[column.Label]["volume_mm3"] / column.Shape.Volume, 1, delta=0.005)

        # The same document again: the same file; an edit keeps the part's GlobalId.
        again = os.path.join(self.folder, "again.ifc")
        self.assertTrue(ifc_export.export(self.doc, again).ok)
        with open(path, "rb") as first, open(again, "rb") as second:
            self.assertEqual(first.read(), second.read())
        ids = {"column": products[column.Label]["global_id"], "beam": products[beam.Label]["global_id"]}
        self.assertTrue(operations.edit(column, ui=support.choose(("size", "300"), ("press", "ok"))).changed)
        edited = os.path.join(self.folder, "edited.ifc")
        self.assertTrue(ifc_export.export(self.doc, edited).ok)
        after = {p["name"]: p for p in read_with_ifcpp(edited)["products"]}
        self.assertEqual(column.Label, "HEA 300 x 5000")
        self.assertEqual(after[beam.Label]["global_id"], ids["beam"])
        self.assertEqual(after[column.Label]["global_id"], ids["column"])

    def test_a_document_without_steel_or_a_file_that_cannot_be_written_says_so_and_writes_nothing(self):
        empty = ifc_export.export(self.doc, os.path.join(self.folder, "empty.ifc"))
        self.assertFalse(empty.ok)
        self.assertIn("no steel parts", empty.messages[0])
        support.insert_hea(self, self.doc)
        nowhere = os.path.join(self.folder, "missing", "frame.ifc")
        outcome = ifc_export.export(self.doc, nowhere)
        self.assertFalse(outcome.ok)
        self.assertIn("nothing was written", outcome.messages[0])
        self.assertFalse(os.path.exists(os.path.dirname(nowhere)))
