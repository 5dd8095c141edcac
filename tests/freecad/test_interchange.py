"""STEP written by FreeCAD from these parts reads back as valid closed solids named after the
parts."""
import os
import subprocess
import tempfile
import unittest

import FreeCAD
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


CLI = os.environ.get("ZEMBRATI_CLI", "")
# A window of four mitred SHS members (its head and sill alike, and its jambs), and a column of
# its own: three distinct solids for five parts.
WINDOW = ("mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n"
          "A,QUADCAVO,SHS EN 10210,100,5,0,0,0,1000,0,0,0\n"
          "B,QUADCAVO,SHS EN 10210,100,5,1000,0,0,1000,0,600,0\n"
          "C,QUADCAVO,SHS EN 10210,100,5,1000,0,600,0,0,600,0\n"
          "D,QUADCAVO,SHS EN 10210,100,5,0,0,600,0,0,0,0\n"
          "K,HE,HEA,200,,3000,0,0,3000,0,2500,90\n")
WINDOW_JOINTS = "mark,end,kind,to,gap\nA,end,mitre,B,\nB,end,mitre,C,\nC,end,mitre,D,\nD,end,mitre,A,\n"


def cli(*arguments):
    subprocess.run([CLI] + list(arguments), check=True, capture_output=True)


class StepFromTheCommandLineTest(unittest.TestCase):
    """The command line's STEP file read by FreeCAD's importer (link groups off): one object per
    part at its place, with the solid of the file that writes every part in full."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="zembrati-step-cli-")
        files = {}
        for name, text in (("members.csv", WINDOW), ("joints.csv", WINDOW_JOINTS)):
            files[name] = os.path.join(self.folder, name)
            with open(files[name], "w", encoding="utf-8") as out:
                out.write(text)
        self.scene = os.path.join(self.folder, "window.json")
        prefs = ["--prefs", os.path.join(self.folder, "prefs.txt")]
        cli("frame", "--scene", self.scene, files["members.csv"], "--joints", files["joints.csv"], *prefs)
        self.assembly, self.flat = os.path.join(self.folder, "window.step"), os.path.join(self.folder, "flat.step")
        cli("export", "--scene", self.scene, "--step", self.assembly, *prefs)
        cli("export", "--scene", self.scene, "--step", self.flat, "--step-flat", *prefs)
        params = FreeCAD.ParamGet("User parameter:BaseApp/Preferences/Mod/Import")
        before = params.GetBool("UseLinkGroup", True)
        params.SetBool("UseLinkGroup", False)
        self.addCleanup(lambda: params.SetBool("UseLinkGroup", before))

    def imported(self, path):
        doc = FreeCAD.newDocument("ZembratiStep")
        self.addCleanup(lambda: FreeCAD.closeDocument(doc.Name))
        Import.insert(path, doc.Name)
        return doc

    @unittest.skipUnless(CLI, "no command line in this build")
    def test_each_part_is_an_object_at_its_place_as_the_flat_file_has_it(self):
        assembly = self.imported(self.assembly)
        features = [o for o in assembly.Objects if o.TypeId == "Part::Feature"]
        whole = [o for o in self.imported(self.flat).Objects if o.TypeId == "Part::Feature"]
        self.assertEqual(len(features), 5)
        self.assertEqual(len(whole), 5)
        roots = [o for o in assembly.Objects if o.TypeId == "App::Part"]
        self.assertEqual([root.Label for root in roots], ["window"])
        self.assertEqual(len(roots[0].Group), 5)
        for placed, part in zip(features, whole):
            self.assertAlmostEqual(placed.Shape.Volume, part.Shape.Volume, delta=part.Shape.Volume * 1e-9)
            a, b = placed.Shape.BoundBox, part.Shape.BoundBox
            for got, want in ((a.XMin, b.XMin), (a.YMin, b.YMin), (a.ZMin, b.ZMin),
                              (a.XMax, b.XMax), (a.YMax, b.YMax), (a.ZMax, b.ZMax)):
                self.assertAlmostEqual(got, want, delta=1e-6, msg=part.Label)
        # A part whose solid is its own is named after it; FreeCAD names the parts that share a
        # solid after the solid's product, their part number.
        labels = [feature.Label for feature in features]
        self.assertEqual(labels[0], "SHS 100x5 x 1000 A")
        self.assertEqual(labels[2], "SHS 100x5 x 1000 C")
        self.assertEqual(labels[4], "HEA 200 x 2500 K")
        self.assertTrue(labels[1].startswith("SHS100x"), labels)
        self.assertTrue(labels[3].startswith("SHS100x"), labels)
        self.assertLess(os.path.getsize(self.assembly), os.path.getsize(self.flat))
