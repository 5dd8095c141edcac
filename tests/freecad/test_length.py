"""A length changed in the property editor or from Python regenerates the part as the host's
length change does; a length the system refuses goes back."""
import unittest

import freecad_support as support
from zembrati_workbench import operations


class LengthTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)
        self.part = support.insert_hea(self, self.doc)
        self.messages = support.ScriptedUi()
        operations.ui_factory = lambda: self.messages
        self.addCleanup(lambda: setattr(operations, "ui_factory", None))

    def test_a_new_length_regenerates_name_length_description_and_solid(self):
        self.part.Label = "HEA 200 x 1500-7"
        self.part.Length = 1250.4
        self.doc.recompute()
        self.assertEqual(self.part.Length.Value, 1250)  # a whole number of millimetres
        self.assertEqual(self.part.BuiltLength, 1250)
        self.assertEqual(self.part.Label, "HEA 200 x 1250-7")
        self.assertIn("1250", self.part.Description)
        self.assertNotIn("1500", self.part.Description)
        self.assertAlmostEqual(self.part.Shape.Volume, self.part.SectionArea.Value * 1250, delta=1)
        self.assertTrue(self.part.isValid())
        self.assertEqual(self.doc.recompute(), 0)  # nothing left to do
        self.assertEqual(self.messages.messages, [])

    def test_a_length_the_system_refuses_goes_back_and_says_why(self):
        before = (self.part.Label, self.part.PartDocument)
        self.part.Length = 0
        self.doc.recompute()
        self.assertEqual(self.part.Length.Value, 1500)
        self.assertEqual((self.part.Label, self.part.PartDocument), before)
        self.assertTrue(self.part.isValid())
        self.assertEqual(len(self.messages.messages), 1)
        self.assertTrue(self.messages.messages[0].startswith("Error"), self.messages.messages)
