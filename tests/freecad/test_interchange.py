"""STEP written by FreeCAD from these parts reads back as valid closed solids named after the
parts."""
import os
import tempfile
import unittest

import Import
import Part

import freecad_support as support


class InterchangeTest(unittest.TestCase):
    def test_step_from_freecad_holds_the_parts_solids_by_their_names(self):
        support.use_fresh_preferences(self)
        doc = support.new_document(self)
        parts = [support.insert_hea(self, doc),
                 support.insert_hea(self, doc, size="300", length="2500"),
                 support.insert_hea(self, doc, size="100", length="600")]
        path = os.path.join(tempfile.mkdtemp(prefix="zembrati-step-"), "parts.step")
        Import.export(parts, path)
        shape = Part.read(path)
        self.assertEqual(len(shape.Solids), 3)
        for solid in shape.Solids:
            self.assertTrue(solid.isValid())
            self.assertTrue(solid.isClosed())
        self.assertAlmostEqual(shape.Volume, sum(part.Shape.Volume for part in parts), delta=1e-3)
        with open(path, encoding="utf-8") as step:
            text = step.read()
        for label in ("HEA 200 x 1500", "HEA 300 x 2500", "HEA 100 x 600"):
            self.assertIn("PRODUCT('%s'" % label, text)
