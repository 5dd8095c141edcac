"""Bad catalogues and failures inside FreeCAD: the system's message is shown and the dialog
stays usable, and a part that cannot be made adds nothing to the document."""
import os
import shutil
import tempfile
import unittest

import freecad_support as support
from zembrati_workbench import operations, session


class FaultsTest(unittest.TestCase):
    def setUp(self):
        support.use_fresh_preferences(self)
        self.doc = support.new_document(self)
        shipped = os.path.join(session.WORKBENCH_DIR, "data", "catalogue", "en")
        self.folder = tempfile.mkdtemp(prefix="zembrati-catalogue-")
        self.catalogue = os.path.join(self.folder, "en")
        shutil.copytree(shipped, self.catalogue)
        settings = os.path.join(self.folder, "zembrati.ini")
        with open(settings, "w") as out:
            out.write("[SOFTWARE\\Morvantec\\Vantrex]\nApplDir=\nLanguage=English\n"
                      "[SOFTWARE\\Morvantec\\Vantrex\\Profil]\nNorme#0=EN\nNorme Dir#0=%s/\n"
                      "Data#0=tables/\nFile INI#0=standards.ini\nFile Prefs=%s\n" % (self.catalogue, session.prefs_file))
        previous = session.settings_file
        session.settings_file = settings
        self.addCleanup(lambda: setattr(session, "settings_file", previous))

    def rewrite(self, name, change):
        path = os.path.join(self.catalogue, name)
        with open(path, encoding="cp1252") as text:
            lines = text.read().split("\n")
        with open(path, "w", encoding="cp1252", newline="") as text:
            text.write("\n".join(change(lines)))

    def test_a_type_missing_from_the_index_shows_the_message_and_the_dialog_goes_on(self):
        self.rewrite("standards.ini", lambda lines: [line for line in lines if not line.startswith("[4]")])
        ui = support.choose(("type", "L"), ("state", None), ("type", "HE"), ("standard", "HEA"), ("size", "200"),
                            ("press", "ok"))
        outcome = operations.insert(self.doc, ui=ui)
        self.assertEqual(len(ui.messages), 1)
        self.assertIn("QNorma", ui.messages[0])
        self.assertFalse(ui.states[0]["buttons"]["ok"]["enabled"])
        self.assertEqual([obj.Label for obj in outcome.objects], ["HEA 200 x 1500"])

    def test_a_size_that_makes_no_section_adds_nothing(self):
        # A root radius wider than the flange: the generator refuses it when OK builds the part.
        self.rewrite("tables/hea.tab", lambda lines: lines + ["999|190|0|200|6.5|10|150|BAD|"])
        ui = support.choose(("type", "HE"), ("standard", "HEA"), ("size", "999"), ("press", "ok"))
        outcome = operations.insert(self.doc, ui=ui)
        self.assertFalse(outcome.changed)
        self.assertEqual(self.doc.Objects, [])
        self.assertEqual(self.doc.UndoNames, [])
        self.assertTrue(ui.messages, "the user is told why")

    def test_a_part_document_that_is_not_one_of_the_systems_is_refused_with_its_reason(self):
        part = support.insert_hea(self, self.doc)
        part.PartDocument = '{"not": "a document"}'
        outcome = operations.edit(part, ui=support.choose(("press", "ok")))
        self.assertFalse(outcome.changed)
        self.assertEqual(part.Label, "HEA 200 x 1500")
