"""A document saved as .FCStd and opened in a fresh FreeCAD keeps every part editable; without
the workbench its solids still show, and opened with it again the parts are editable again."""
import os
import tempfile
import unittest

import freecad_support as support
from zembrati_workbench import session

OPEN_AND_DESCRIBE = r'''
import FreeCAD
doc = FreeCAD.openDocument(os.environ["ZEMBRATI_DOCUMENT"])
parts = [o for o in doc.Objects if "PartDocument" in o.PropertiesList]
out = {"labels": [o.Label for o in parts],
       "volumes": [o.Shape.Volume for o in parts],
       "valid": [o.Shape.isValid() for o in parts],
       "proxies": [type(o.Proxy).__name__ for o in parts]}
'''

EDIT_AND_REGENERATE = r'''
sys.path.insert(0, os.environ["ZEMBRATI_FREECAD_TESTS"])
import freecad_support as support
from zembrati_workbench import session
from zembrati_workbench import operations, session
session.prefs_file = os.environ["ZEMBRATI_PREFS"]
operations.edit(parts[0], ui=support.choose(("size", "300"), ("press", "ok")))
parts[1].Length = 900
doc.recompute()
out["after"] = [o.Label for o in parts]
'''


class PersistenceTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)
        support.insert_hea(self, self.doc)
        support.insert_hea(self, self.doc, size="100", length="750")
        self.folder = tempfile.mkdtemp(prefix="zembrati-fcstd-")
        self.path = os.path.join(self.folder, "frame.FCStd")
        self.doc.saveAs(self.path)
        os.environ["ZEMBRATI_DOCUMENT"] = self.path
        os.environ["ZEMBRATI_PREFS"] = session.prefs_file

    def reopen(self, script, home=None):
        return support.run_freecad(OPEN_AND_DESCRIBE + script + "print(json.dumps(out))", home=home)

    def test_a_reopened_document_keeps_every_part_editable(self):
        seen = self.reopen(EDIT_AND_REGENERATE)
        self.assertEqual(seen["labels"], ["HEA 200 x 1500", "HEA 100 x 750"])
        self.assertEqual(seen["proxies"], ["SteelPart", "SteelPart"])
        self.assertEqual(seen["after"], ["HEA 300 x 1500", "HEA 100 x 900"])

    def test_without_the_workbench_the_solids_show_and_with_it_again_the_parts_are_editable(self):
        bare_home = tempfile.mkdtemp(prefix="zembrati-bare-home-")
        seen = self.reopen("doc.save()\n", home=bare_home)
        self.assertEqual(seen["proxies"], ["NoneType", "NoneType"])
        self.assertEqual(seen["valid"], [True, True])
        self.assertAlmostEqual(seen["volumes"][0], self.doc.Objects[0].Shape.Volume, delta=1e-6)
        seen = self.reopen(EDIT_AND_REGENERATE)
        self.assertEqual(seen["proxies"], ["SteelPart", "SteelPart"])
        self.assertEqual(seen["after"], ["HEA 300 x 1500", "HEA 100 x 900"])


FRAME_AFTER_A_TALLER_SKETCH = r'''
sketch = doc.getObject("Sketch")
height = [i for i, c in enumerate(sketch.Constraints) if c.Type == "DistanceY"][0]
sketch.setDatum(height, FreeCAD.Units.Quantity("3500 mm"))
doc.recompute()
out["after"] = [o.Label for o in parts]
out["cut"] = [round(o.CutLength.Value, 3) for o in parts]
'''


class FramePersistenceTest(unittest.TestCase):
    def test_a_reopened_frame_still_follows_its_sketch(self):
        from test_placement import hea_any, portal_sketch
        from zembrati_workbench import frames
        support.use_fresh_preferences(self)
        doc = support.new_document(self)
        frames.make(portal_sketch(doc), ui=hea_any())
        path = os.path.join(tempfile.mkdtemp(prefix="zembrati-frame-"), "portal.FCStd")
        doc.saveAs(path)
        os.environ["ZEMBRATI_DOCUMENT"] = path
        seen = support.run_freecad(OPEN_AND_DESCRIBE + FRAME_AFTER_A_TALLER_SKETCH + "print(json.dumps(out))")
        self.assertEqual(seen["after"], ["HEA 200 x 4000 Sketch-1", "HEA 200 x 3500 Sketch-2", "HEA 200 x 4000 Sketch-3",
                                         "HEA 200 x 3500 Sketch-4"])
        self.assertEqual(seen["cut"], [4190, 3690, 4190, 3690])
