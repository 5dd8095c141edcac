"""The dialog inside FreeCAD: it speaks FreeCAD's language and remembers the last choices."""
import unittest

import FreeCAD

import freecad_support as support
from zembrati_workbench import operations, texts

GENERAL = "User parameter:BaseApp/Preferences/General"


class DialogTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)

    def first_state(self):
        ui = support.choose(("state", None), ("press", "cancel"))
        operations.insert(self.doc, ui=ui)
        return ui.states[0]

    def freecad_language(self):
        """FreeCAD's language parameters, set back to the user's when the test ends."""
        parameters = FreeCAD.ParamGet(GENERAL)
        before = parameters.GetString("Language")
        self.addCleanup(lambda: parameters.SetString("Language", before))
        return parameters

    def test_it_speaks_freecads_language_where_the_system_does(self):
        parameters = self.freecad_language()
        for language, caption in (("German", "Abbrechen"), ("Italian", "Annulla"), ("English", "Cancel"),
                                  ("Polish", "Cancel")):  # a language the system does not speak: its own
            parameters.SetString("Language", language)
            self.assertEqual(self.first_state()["buttons"]["cancel"]["caption"], caption, language)

    def test_commands_menu_and_the_dimensions_button_speak_it_too(self):
        parameters = self.freecad_language()
        for language, insert, dimensions, menu in (
                ("German", "Stahlprofil einfügen", "Abmessungen", "Stahlprofile"),
                ("Italian", "Inserisci profilato", "Misure", "Profilati in acciaio"),
                ("English", "Insert steel section", "Dimensions", "Steel sections"),
                ("Polish", "Insert steel section", "Dimensions", "Steel sections")):
            parameters.SetString("Language", language)
            self.assertEqual((texts.text("insert"), texts.text("dimensions"), texts.text("menu")),
                             (insert, dimensions, menu), language)
        for key, words in texts.TEXTS.items():  # every text in every language, with the same blanks to fill
            self.assertEqual(len(words), 3, key)
            self.assertEqual({w.count("%") for w in words}, {words[0].count("%")}, key)

    def test_the_dimension_panel_gives_moduli_and_root_radius(self):
        ui = support.choose(("family", "EN"), ("type", "HE"), ("standard", "HEA"), ("size", "200"),
                            ("press", "dimensions"), ("state", None), ("press", "cancel"))
        operations.insert(self.doc, ui=ui)
        data = ui.states[0]["panel"]["data"]
        self.assertEqual(data[:2], ["A 53.8 cm², 42.3 kg/m", "Iy 3692.2, Iz 1335.5 cm⁴"])  # 3692 and 1336 in the tables
        self.assertEqual(data[2:], ["Wel,y 388.6, Wel,z 133.6 cm³", "r 18 mm"])  # 389 and 134 in the tables

    def test_the_next_dialog_opens_on_the_last_choices(self):
        made = operations.insert(self.doc, ui=support.choose(("family", "US"), ("type", "UPN"), ("standard", "C"),
                                                             ("press", "ok")))
        self.assertTrue(made.changed)
        state = self.first_state()
        self.assertEqual(state["families"][state["family"]], "US")
        self.assertEqual(state["types"][state["type"]], "UPN")
        self.assertEqual(state["lists"]["standard"]["entries"][state["lists"]["standard"]["selected"]], "C")
