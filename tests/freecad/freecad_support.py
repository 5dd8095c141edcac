"""What the workbench's tests share: a scripted user of the dialog, fresh documents, and runs of
another FreeCAD process."""
import json
import os
import subprocess
import sys
import tempfile
import traceback

import FreeCAD

from zembrati_workbench import operations, session

LISTS = ("standard", "size", "thickness", "material")


def exit_with_outcome(run):
    """Ends a freecadcmd script with run()'s exit code, or 1 after printing what it raised:
    freecadcmd itself ends with 0 after an uncaught error."""
    try:
        code = run()
    except BaseException:
        traceback.print_exc()
        code = 1
    sys.stdout.flush()
    sys.stderr.flush()
    os._exit(code)


class ScriptedUi:
    """Works the dialog through the same window the Qt widgets use: each step names an entry by
    its text ("type", "HE"), types a length, presses a button, or looks at the dialog's state.
    Messages are recorded and answered with their first button."""

    def __init__(self, *steps):
        self.steps = steps
        self.messages = []
        self.states = []
        self.shown = 0

    def show_dialog(self, window):
        self.shown += 1
        for kind, value in self.steps:
            state = json.loads(window.state_json())
            if state["closed"]:
                return
            if kind == "family":
                window.choose_family(state["families"].index(value))
            elif kind == "type":
                window.choose_type(state["types"].index(value))
            elif kind in LISTS:
                window.select(kind, state["lists"][kind]["entries"].index(value))
            elif kind == "length":
                window.type_length(value)
            elif kind == "press":
                window.press(value)
            elif kind == "state":
                self.states.append(state)
            else:
                raise ValueError("no step " + kind)

    def show_message(self, text, title, icon, buttons):
        self.messages.append(text)
        return "yes" if buttons == "yesno" else "ok"


def choose(*steps):
    return ScriptedUi(*steps)


def hea(size="200", length="1500", material="S355J2"):
    return ScriptedUi(("family", "EN"), ("type", "HE"), ("standard", "HEA"), ("size", size),
                      ("material", material), ("length", length), ("press", "ok"))


def new_document(test):
    doc = FreeCAD.newDocument("ZembratiTest")
    doc.UndoMode = 1
    test.addCleanup(lambda: FreeCAD.closeDocument(doc.Name))
    return doc


def scripted_session(test):
    """A fresh preferences file and document for `test`, and a scripted user who answers the
    messages of every operation until the test ends. Returns the document and that user."""
    use_fresh_preferences(test)
    doc = new_document(test)
    messages = ScriptedUi()
    operations.ui_factory = lambda: messages
    test.addCleanup(lambda: setattr(operations, "ui_factory", None))
    return doc, messages


def use_fresh_preferences(test):
    folder = tempfile.mkdtemp(prefix="zembrati-prefs-")
    session.prefs_file = os.path.join(folder, "preferences.txt")
    test.addCleanup(lambda: setattr(session, "prefs_file", ""))


def insert_hea(test, doc, **choices):
    outcome = operations.insert(doc, ui=hea(**choices))
    test.assertEqual(len(outcome.objects), 1, outcome.error)
    return outcome.objects[0]


def run_freecad(script, home=None, timeout=120):
    """Runs `script` (Python text) in a new freecadcmd process; returns the JSON it prints on its
    last line. The script prints its answer with print(json.dumps(...))."""
    with tempfile.NamedTemporaryFile("w", suffix=".py", delete=False) as source:
        source.write("import json, os, sys, traceback\ntry:\n")
        for line in script.splitlines():
            source.write("    " + line + "\n")
        source.write("except BaseException:\n    traceback.print_exc()\n    sys.stdout.flush()\n    os._exit(1)\n"
                     "sys.stdout.flush()\nos._exit(0)\n")
    env = dict(os.environ)
    if home is not None:
        env["HOME"] = home
    done = subprocess.run(["freecadcmd", source.name], env=env, capture_output=True, text=True, timeout=timeout)
    os.unlink(source.name)
    if done.returncode != 0:
        raise AssertionError("freecadcmd failed (%d):\n%s\n%s" % (done.returncode, done.stdout, done.stderr))
    lines = [line for line in done.stdout.replace("\r", "\n").splitlines() if line.startswith("{")]
    return json.loads(lines[-1])
