"""The dialog inside FreeCAD: it speaks FreeCAD's language and remembers the last choices."""
import unittest

import FreeCAD

import freecad_support as support
from zembrati_workbench import operations

GENERAL = "User parameter:BaseApp/Preferences/General"


class DialogTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)

    def first_state(self):
        ui = support.choose(("state", None), ("press", "cancel"))
        operations.insert(self.doc, ui=ui)
        return ui.states[0]

    def test_it_speaks_freecads_language_where_the_system_does(self):
        parameters = FreeCAD.ParamGet(GENERAL)
        before = parameters.GetString("Language")
        self.addCleanup(lambda: parameters.SetString("Language", before))
        for language, caption in (("German", "Abbrechen"), ("Italian", "Annulla"), ("English", "Cancel"),
                                  ("Polish", "Cancel")):  # a language the system does not speak: its own
            parameters.SetString("Language", language)
            self.assertEqual(self.first_state()["buttons"]["cancel"]["caption"], caption, language)

    def test_the_next_dialog_opens_on_the_last_choices(self):
        made = operations.insert(self.doc, ui=support.choose(("family", "US"), ("type", "UPN"), ("standard", "C"),
                                                             ("press", "ok")))
        self.assertTrue(made.changed)
        state = self.first_state()
        self.assertEqual(state["families"][state["family"]], "US")
        self.assertEqual(state["types"][state["type"]], "UPN")
        self.assertEqual(state["lists"]["standard"]["entries"][state["lists"]["standard"]["selected"]], "C")
