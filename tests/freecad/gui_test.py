# The workbench in FreeCAD's window (run by `freecad` under Xvfb): the toolbar, the real dialog
# driven by clicks, a part dropped on a face, the dialog opened by a double-click in the tree and
# in the 3D view, Ctrl+Z, and a screenshot of FreeCAD with the dialog over the parts. The GUI
# does not end by itself: the result is the exit code of os._exit.
import json
import os
import subprocess
import tempfile
import traceback

import FreeCAD
import FreeCADGui
from PySide import QtCore, QtGui

checks = []



def document_tree_items(main_window, label):
    """The document tree and its items labelled so. FreeCAD 1.0 has other, hidden tree widgets
    (its notification list), so the tree is the visible one that lists the label."""
    for tree in main_window.findChildren(QtGui.QTreeWidget):
        items = tree.findItems(label, QtCore.Qt.MatchExactly | QtCore.Qt.MatchRecursive, 0)
        if tree.isVisible() and items:
            return tree, items
    raise AssertionError("no visible tree lists %s" % label)


def say(text):
    """Writes to the test's own output: FreeCAD 1.0's window takes print() into its report view."""
    os.write(1, (text + "\n").encode("utf-8"))


def check(condition, what):
    checks.append(bool(condition))
    say(("ok    " if condition else "FAILED ") + what)


def pump(times=5):
    for _ in range(times):
        QtGui.QApplication.processEvents()
        FreeCADGui.updateGui()


def mouse(widget, kind, position):
    pressed = kind in (QtCore.QEvent.MouseButtonPress, QtCore.QEvent.MouseButtonDblClick)
    event = QtGui.QMouseEvent(kind, QtCore.QPointF(position), QtCore.QPointF(widget.mapToGlobal(position)),
                              QtCore.Qt.LeftButton, QtCore.Qt.LeftButton if pressed else QtCore.Qt.NoButton,
                              QtCore.Qt.NoModifier)
    QtGui.QApplication.sendEvent(widget, event)


def double_click(widget, position):
    for kind in (QtCore.QEvent.MouseButtonPress, QtCore.QEvent.MouseButtonRelease,
                 QtCore.QEvent.MouseButtonDblClick, QtCore.QEvent.MouseButtonRelease):
        mouse(widget, kind, position)
    pump()


class ModalDriver:
    """Waits for the next modal window of the kind `wanted` and answers it with `answer`, which
    says whether more such windows are to come."""

    wanted = QtGui.QDialog

    def __init__(self):
        self.done = False
        QtCore.QTimer.singleShot(0, self.drive)

    def drive(self):
        dialog = QtGui.QApplication.activeModalWidget()
        if not isinstance(dialog, self.wanted):
            QtCore.QTimer.singleShot(50, self.drive)
            return
        if self.answer(dialog):
            QtCore.QTimer.singleShot(50, self.drive)
        else:
            self.done = True


class FileDialogDriver(ModalDriver):
    """Answers the next file dialog with `path`, as a user types a name and presses Save."""

    wanted = QtGui.QFileDialog

    def __init__(self, path):
        self.path = path
        super().__init__()

    def answer(self, dialog):
        dialog.selectFile(self.path)
        pump(2)
        dialog.accept()
        return False


class InputDialogDriver(ModalDriver):
    """Answers the next input dialogs in turn, as a user types each answer and presses OK."""

    wanted = QtGui.QInputDialog

    def __init__(self, answers):
        self.answers = list(answers)
        super().__init__()

    def answer(self, dialog):
        typed = self.answers.pop(0)
        if dialog.inputMode() == QtGui.QInputDialog.DoubleInput:
            dialog.setDoubleValue(typed)
        else:
            dialog.setTextValue(typed)
        pump(2)
        dialog.accept()
        return bool(self.answers)


class MessageDriver(ModalDriver):
    """Reads and closes the next message box, as a user presses OK."""

    wanted = QtGui.QMessageBox

    def __init__(self):
        self.texts = []
        super().__init__()

    def answer(self, box):
        self.texts.append(box.text())
        box.accept()
        return False


class DialogDriver:
    """Works the next selection dialog that opens the way a user does: clicks on the type
    buttons, picks from the drop-down lists, types the length, presses a button."""

    def __init__(self, steps):
        self.steps = steps
        self.seen = None
        self.done = False
        QtCore.QTimer.singleShot(0, self.drive)

    def drive(self):
        dialog = QtGui.QApplication.activeModalWidget()
        if dialog is None or not dialog.isVisible() or type(dialog).__name__ != "SelectionDialog":
            QtCore.QTimer.singleShot(50, self.drive)
            return
        try:
            for kind, value in self.steps:
                pump(2)
                if kind == "type":
                    dialog.findChild(QtGui.QToolButton, "type_" + value).click()
                elif kind in ("standard", "size", "material", "thickness"):
                    combo = dialog.findChild(QtGui.QComboBox, kind)
                    index = combo.findText(value)
                    combo.setCurrentIndex(index)
                    combo.activated[int].emit(index)
                elif kind == "length":
                    box = dialog.findChild(QtGui.QLineEdit, "length")
                    box.setText(value)
                    box.textEdited.emit(value)
                elif kind == "look":
                    value(dialog)
                elif kind == "press":
                    dialog.findChild(QtGui.QPushButton, value).click()
        except Exception:
            say(traceback.format_exc())
            dialog.reject()
        self.done = True


def wait_for(driver, seconds=20):
    timer = QtCore.QElapsedTimer()
    timer.start()
    while not driver.done and timer.elapsed() < seconds * 1000:
        pump(1)
    pump()


def screenshot(name):
    """The whole screen, FreeCAD with the dialog over it, into the folder the test is given."""
    folder = os.environ.get("ZEMBRATI_SCREENSHOTS")
    if folder:
        pump()
        QtGui.QGuiApplication.primaryScreen().grabWindow(0).save(os.path.join(folder, name))


def combo_text(dialog, name):
    return dialog.findChild(QtGui.QComboBox, name).currentText()


def main():
    main_window = FreeCADGui.getMainWindow()
    main_window.resize(1280, 900)
    FreeCADGui.activateWorkbench("ZembratiWorkbench")
    pump()
    toolbar = main_window.findChild(QtGui.QToolBar, "Zembrati")
    actions = [action.objectName() for action in toolbar.actions()] if toolbar else []
    check(actions == ["Zembrati_Insert", "Zembrati_Edit", "Zembrati_Frame", "Zembrati_Mitre", "Zembrati_Butt",
                      "Zembrati_Cope", "Zembrati_ExportIfc", "Zembrati_CuttingList"],
          "the Zembrati toolbar holds Insert, Edit, Frame, the joints, the IFC export and the cutting list: %s" % actions)
    check(toolbar and not toolbar.actions()[0].icon().isNull(), "the Insert command has its section icon")

    doc = FreeCAD.newDocument("Frame")
    doc.UndoMode = 1
    said = {}
    driver = DialogDriver([("type", "HE"), ("standard", "HEA"), ("size", "200"), ("length", "1.5 m"),
                           ("look", lambda d: said.update(where=d.findChild(QtGui.QLabel, "where").text(),
                                                          note=d.findChild(QtGui.QLabel, "length_note").text(),
                                                          title=d.windowTitle())),
                           ("press", "ok")])
    FreeCADGui.runCommand("Zembrati_Insert")
    wait_for(driver)
    check(said == {"where": "The part will stand at the origin.", "note": "= 1500 mm", "title": "Zembrati"},
          "the dialog, titled with the product's one name, says where the part goes and what 1.5 m gives: %s" % said)
    parts = [obj for obj in doc.Objects if "PartDocument" in obj.PropertiesList]
    check([part.Label for part in parts] == ["HEA 200 x 1500"], "OK adds the part: %s" % [o.Label for o in doc.Objects])
    column = parts[0]
    check(column.Shape.isValid() and abs(column.Shape.Volume - 5383.124 * 1500) < 1, "its solid is the exact section")

    view = FreeCADGui.ActiveDocument.ActiveView
    view.viewIsometric()
    view.fitAll()
    pump()

    # A beam dropped on the column's end face, the dialog photographed on the way.
    end = [i for i, face in enumerate(column.Shape.Faces, 1) if abs(face.CenterOfMass.z - 1500) < 1e-6][0]
    point = column.Shape.Faces[end - 1].CenterOfMass
    FreeCADGui.Selection.clearSelection()
    FreeCADGui.Selection.addSelection(doc.Name, column.Name, "Face%d" % end, point.x, point.y, point.z)
    heights = []

    def measure(dialog):
        pump()
        heights.append(dialog.height())
        said["where"] = dialog.findChild(QtGui.QLabel, "where").text()

    driver = DialogDriver([("type", "HE"), ("standard", "IPE"), ("size", "200"), ("length", "1000"),
                           ("look", lambda d: screenshot("workbench.png")), ("look", measure), ("press", "dimensions"),
                           ("look", lambda d: screenshot("workbench-dimensions.png")), ("look", measure),
                           ("press", "dimensions"), ("look", measure), ("press", "ok")])
    FreeCADGui.runCommand("Zembrati_Insert")
    wait_for(driver)
    check(said["where"] == "The part will stand on the selected face of HEA 200 x 1500.", "it says so: %s" % said["where"])
    check(len(heights) == 3 and heights[2] == heights[0], "the dialog shrinks back when Dimensions closes: %s" % heights)
    beam = doc.Objects[-1]
    check(beam.Label == "IPE 200 x 1000", "the second part is made: %s" % beam.Label)
    check(abs(beam.Shape.BoundBox.ZMin - 1500) < 1e-6, "it stands on the end face it was dropped on")
    view.fitAll()
    pump()

    # A double-click in the tree opens the dialog on the part's stored choices.
    tree, items = document_tree_items(main_window, column.Label)
    shown = {}
    driver = DialogDriver([("look", lambda d: shown.update(standard=combo_text(d, "standard"), size=combo_text(d, "size"))),
                           ("press", "cancel")])
    double_click(tree.viewport(), tree.visualItemRect(items[0]).center())
    wait_for(driver)
    check(shown == {"standard": "HEA", "size": "200"}, "a double-click in the tree opens the dialog on its choices: %s" % shown)
    check(column.Label == "HEA 200 x 1500", "Cancel changes nothing")

    # A double-click on the column in the 3D view, then a bigger size: the same object rebuilt.
    viewport = view.graphicsView().viewport()
    on_screen = view.getPointOnScreen(FreeCAD.Vector(0, 95, 750))  # the outer face of a flange
    ratio = viewport.devicePixelRatioF()
    position = QtCore.QPoint(round(on_screen[0] / ratio), round((view.getSize()[1] - on_screen[1]) / ratio))
    driver = DialogDriver([("size", "300"), ("press", "ok")])
    double_click(viewport, position)
    wait_for(driver)
    check(driver.done and column.Label == "HEA 300 x 1500", "a double-click in the 3D view edits the part: %s" % column.Label)

    FreeCADGui.runCommand("Std_Undo")
    pump()
    check(column.Label == "HEA 200 x 1500", "Ctrl+Z takes the edit back: %s" % column.Label)

    column.Length = 1250
    doc.recompute()
    check(column.Label == "HEA 200 x 1250", "a new length regenerates the part: %s" % column.Label)
    check(abs(beam.Shape.BoundBox.ZMin - 1250) < 1e-6, "the beam attached to its end face follows it down: %s"
          % beam.Shape.BoundBox)

    # A length the system refuses: one message, once the recompute is over.
    boxes = MessageDriver()
    column.Length = 0
    doc.recompute()
    shown_during_recompute = list(boxes.texts)
    wait_for(boxes)
    check(shown_during_recompute == [] and boxes.texts == ["The length was not changed: The extrusion length 0 is not a positive length"]
          and column.Length.Value == 1250, "a refused length is said once, after the recompute: %s" % boxes.texts)

    # The beam, detached and lifted back to 1500, butted down onto the shorter column: it reaches it again.
    beam.MapMode = "Deactivated"
    beam.Placement = FreeCAD.Placement(FreeCAD.Vector(0, 0, 1500), beam.Placement.Rotation)
    doc.recompute()
    FreeCADGui.Selection.clearSelection()
    FreeCADGui.Selection.addSelection(beam)
    FreeCADGui.Selection.addSelection(column)
    FreeCADGui.runCommand("Zembrati_Butt")
    pump()
    joint = doc.Objects[-1]
    check(getattr(joint, "JointKind", "") == "butt" and joint.Member == beam, "Butt joins the selected parts: %s" % joint.Label)
    check(abs(beam.CutLength.Value - 1250) < 0.05 and abs(beam.Shape.BoundBox.ZMin - 1250) < 1e-6,
          "the beam is cut where its axis meets the column: %s" % beam.Shape.BoundBox)

    # Deleted in the tree, the joint takes its cut with it.
    FreeCADGui.Selection.clearSelection()
    FreeCADGui.Selection.addSelection(joint)
    FreeCADGui.runCommand("Std_Delete")
    pump()
    check("CutLength" not in beam.PropertiesList and abs(beam.Shape.BoundBox.ZMin - 1500) < 1e-6,
          "deleting the joint gives the beam its uncut solid back: %s" % beam.Shape.BoundBox)

    # Export steel to IFC: the file dialog answered as a user does, the file read back by IFC++.
    target = os.path.join(tempfile.mkdtemp(prefix="zembrati_gui_ifc_"), "frame.ifc")
    saver = FileDialogDriver(target)
    FreeCADGui.runCommand("Zembrati_ExportIfc")
    wait_for(saver)
    check(os.path.isfile(target), "Export steel to IFC writes the file named in its dialog")
    reader = os.environ.get("ZEMBRATI_IFC_READER")
    if reader and os.path.isfile(target):
        read = json.loads(subprocess.run([reader, target], capture_output=True, text=True).stdout or "{}")
        names = sorted(p["name"] for p in read.get("products", []))
        check(names == sorted([beam.Label, column.Label]), "IFC++ reads the document's two parts back: %s" % names)

    # Cutting list: stock lengths, kerf and trim answered as a user types them; the sheet lists both parts.
    answers = InputDialogDriver(["6000, 12000", 3.0, 10.0])
    FreeCADGui.runCommand("Zembrati_CuttingList")
    wait_for(answers)
    sheet = doc.getObject("CuttingList")
    listed = sorted(sheet.get("A%d" % row) for row in (2, 3)) if sheet else []
    check(listed == sorted([beam.Label, column.Label]), "Cutting list makes a sheet of the document's parts: %s" % listed)
    check(sheet is not None and sheet.get("A6").startswith("Bars to order (stock 6000, 12000 mm, kerf 3 mm, trim 10 mm)"),
          "the sheet gives the bars to order for the stock lengths typed")
    check_step_from_the_command_line()
    check_a_document_made_without_the_window(main_window)
    check_a_frame_from_a_sketch(main_window)


def check_a_frame_from_a_sketch(main_window):
    """A portal sketched in the XZ plane, made a frame of HEA 200 mitred at its corners, its
    cutting list, and the sketch made taller: the members follow and are cut again."""
    from test_placement import portal_sketch
    doc = FreeCAD.newDocument("Portal")
    doc.UndoMode = 1
    sketch = portal_sketch(doc)
    FreeCADGui.Selection.clearSelection()
    FreeCADGui.Selection.addSelection(sketch)
    kinds = InputDialogDriver(["Mitre"])
    driver = DialogDriver([("type", "HE"), ("standard", "HEA"), ("size", "200"), ("press", "ok")])
    FreeCADGui.runCommand("Zembrati_Frame")
    wait_for(kinds)
    wait_for(driver)
    members = [obj for obj in doc.Objects if "PathEdge" in obj.PropertiesList]
    made = [obj for obj in doc.Objects if "JointKind" in obj.PropertiesList]
    check([m.Label for m in members] == ["HEA 200 x 4000 Sketch-1", "HEA 200 x 3000 Sketch-2", "HEA 200 x 4000 Sketch-3", "HEA 200 x 3000 Sketch-4"]
          and len(made) == 4 and all(not j.Problem for j in made),
          "Frame from sketch runs a member along each line, mitred at the corners: %s" % [m.Label for m in members])
    sketch.ViewObject.Visibility = False
    view = FreeCADGui.ActiveDocument.ActiveView
    view.viewIsometric()
    view.fitAll()
    screenshot("freecad-frame.png")
    answers = InputDialogDriver([""])
    FreeCADGui.runCommand("Zembrati_CuttingList")
    wait_for(answers)
    sheet = doc.getObject("CuttingList")
    cut = sorted(round(sheet.get("F%d" % row)) for row in range(2, 6)) if sheet else []
    check(cut == [3190, 3190, 4190, 4190], "its cutting list gives the lengths tip to tip: %s" % cut)
    if sheet is not None:
        sheet.ViewObject.doubleClicked()
        pump(10)
        area = main_window.findChild(QtGui.QMdiArea)
        for window in area.subWindowList() if area else []:
            if window.windowTitle().startswith("Cutting list"):
                area.setActiveSubWindow(window)
                window.showMaximized()
        pump(10)
        screenshot("freecad-cutting-list.png")
    height = [i for i, c in enumerate(sketch.Constraints) if c.Type == "DistanceY"][0]
    sketch.setDatum(height, FreeCAD.Units.Quantity("3500 mm"))
    doc.recompute()
    pump()
    check(abs(members[3].CutLength.Value - 3690) < 1e-3 and abs(members[2].Shape.BoundBox.ZMax - 3595) < 1e-3,
          "the sketch made taller moves and re-cuts the members: %.1f" % members[3].CutLength.Value)


def check_a_document_made_without_the_window(main_window):
    """A document made through the Python API in freecadcmd opens with the parts' icons, and a
    double-click in the tree opens the dialog on the part's choices."""
    from freecad_support import run_freecad
    path = os.path.join(tempfile.mkdtemp(prefix="zembrati-gui-headless-"), "made-headless.FCStd")
    run_freecad("import FreeCAD\n"
                "sys.path.insert(0, os.environ['ZEMBRATI_FREECAD_TESTS'])\n"
                "import freecad_support as support\n"
                "from zembrati_workbench import operations\n"
                "doc = FreeCAD.newDocument('MadeHeadless')\n"
                "operations.insert(doc, ui=support.hea(size='240'))\n"
                "doc.saveAs(%r)\n"
                "print(json.dumps({'saved': True}))" % path)
    doc = FreeCAD.openDocument(path)
    pump()
    part = [obj for obj in doc.Objects if "PartDocument" in obj.PropertiesList][0]
    proxy = type(part.ViewObject.Proxy).__name__
    tree, items = document_tree_items(main_window, part.Label)
    check(proxy == "SteelPartView" and not items[0].icon(0).isNull(),
          "a document made in freecadcmd opens with the part's view proxy and icon: %s" % proxy)
    shown = {}
    driver = DialogDriver([("look", lambda d: shown.update(size=combo_text(d, "size"))), ("press", "cancel")])
    double_click(tree.viewport(), tree.visualItemRect(items[0]).center())
    wait_for(driver)
    check(shown == {"size": "240"}, "and a double-click in the tree opens the dialog on its choices: %s" % shown)
    FreeCAD.closeDocument(doc.Name)


def check_step_from_the_command_line():
    """The command line's STEP assembly opened in the window as a user opens it, with STEP's
    compound merge off so that the parts stay apart: every part placed, shared solids as links."""
    cli = os.environ.get("ZEMBRATI_CLI", "")
    if not cli:
        return
    import ImportGui
    from test_interchange import WINDOW, WINDOW_JOINTS
    folder = tempfile.mkdtemp(prefix="zembrati-gui-step-")
    lists = []
    for name, text in (("members.csv", WINDOW), ("joints.csv", WINDOW_JOINTS)):
        lists.append(os.path.join(folder, name))
        with open(lists[-1], "w", encoding="utf-8") as out:
            out.write(text)
    scene, step = os.path.join(folder, "window.json"), os.path.join(folder, "window.step")
    prefs = ["--prefs", os.path.join(folder, "prefs.txt")]
    subprocess.run([cli, "frame", "--scene", scene, lists[0], "--joints", lists[1]] + prefs, check=True)
    subprocess.run([cli, "export", "--scene", scene, "--step", step] + prefs, check=True)
    step_params = FreeCAD.ParamGet("User parameter:BaseApp/Preferences/Mod/Import/hSTEP")
    merge = step_params.GetBool("ReadShapeCompoundMode", True)
    step_params.SetBool("ReadShapeCompoundMode", False)
    try:
        doc = FreeCAD.newDocument("StepFromTheCommandLine")
        ImportGui.insert(step, doc.Name)
    finally:
        step_params.SetBool("ReadShapeCompoundMode", merge)
    pump()
    groups = [obj for obj in doc.Objects if obj.TypeId in ("App::LinkGroup", "App::Part")]
    # FreeCAD 0.20 makes the group a link group of links; 1.0 a part holding them.
    members = []
    if groups:
        members = groups[0].ElementList if hasattr(groups[0], "ElementList") else groups[0].Group
    elements = sum(max(getattr(obj, "ElementCount", 0), 1) for obj in members)
    check([group.Label for group in groups] == ["window"], "the STEP assembly opens as one group named after the scene: %s"
          % [group.Label for group in groups])
    check(elements == 5, "the group places all five parts (shared solids as link arrays): %d in %s" %
          (elements, sorted(obj.TypeId for obj in members)))
    volume = groups[0].Shape.Volume if groups else 0
    check(abs(volume - 2 * 1873174.77 - 2 * 1123904.86 - 5383.124 * 2500) < 10,
          "the parts' solids have the volumes the system gives them: %.1f mm³" % volume)
    FreeCAD.closeDocument(doc.Name)


code = 1
try:
    main()
    code = 0 if checks and all(checks) else 1
except Exception:
    say(traceback.format_exc())
say("\n%d passed, %d failed" % (sum(checks), len(checks) - sum(checks)))
os._exit(code)
