"""A length changed in the property editor or from Python regenerates the part as the host's
length change does; a length the system refuses goes back."""
import unittest

import freecad_support as support
from zembrati_workbench import lengths, operations, texts


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
        self.assertEqual(self.messages.messages, ["The length was not changed: The extrusion length 0 is not a positive length"])
        self.assertFalse([obj.Name for obj in self.doc.Objects if "Touched" in obj.State])
        self.assertEqual(self.doc.recompute(), 0)
        self.assertEqual(len(self.messages.messages), 1)  # said once, not again at the next recompute


class LengthFieldTest(unittest.TestCase):
    """What the dialog's length field takes: millimetres, or lengths with FreeCAD's units, with
    the locale's decimal separator; anything else is refused saying what to type."""

    def test_lengths_with_units_and_the_locales_decimal_separator(self):
        for typed, decimal_point, mm in (("1500", ".", 1500), ("3 m", ".", 3000), ("3m", ".", 3000),
                                         ("120 in", ".", 3048), ("2.5 ft", ".", 762), ("1500,5", ",", 1500.5),
                                         ("1,5 m", ",", 1500), (" 250 mm ", ".", 250)):
            self.assertAlmostEqual(lengths.millimetres(typed, decimal_point), mm, places=6, msg=typed)

    def test_what_is_not_a_length_is_refused_saying_what_to_type(self):
        for typed, said in (("abc", "abc is not a length"), ("3 kg", "not a length but a mass"), ("", "Give the part's length"),
                            ("0", "at least 1 mm"), ("-20", "at least 1 mm"), ("0.3 mm", "at least 1 mm")):
            with self.assertRaises(lengths.NotALength, msg=typed) as refused:
                lengths.millimetres(typed)
            self.assertIn(said, str(refused.exception))
            self.assertIn("1 mm" if "1 mm" in said else "3 m", str(refused.exception))

    def test_the_note_says_when_a_fraction_is_cut_and_what_a_unit_gives(self):
        self.assertEqual(texts.length_note(1500, "1500"), "")
        self.assertEqual(texts.length_note(3000, "3 m"), "= 3000 mm")
        self.assertEqual(texts.length_note(1500.5, "1500.5"),
                         "= 1500.5 mm; the part will be 1500 mm long: lengths are whole millimetres")
