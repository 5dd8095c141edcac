"""What a FreeCAD user does with steel parts: insert one, edit one, change its length.

Each runs the system against the part's own document (see zembrati_freecad) and then shows the
result on FreeCAD objects inside one transaction, so that Ctrl+Z takes it back as one step, and
a failure leaves the FreeCAD document as it was.
"""
import json

import FreeCAD
import Part

import zembrati_freecad
import zembrati_part

from . import properties, session, texts

# The windows sessions use (see zembrati_freecad): set by a caller (the tests) to a scripted one;
# otherwise Qt windows in the GUI, the console without it.
ui_factory = None


class ConsoleUi:
    """Without FreeCAD's GUI: no dialog can be shown (it closes as if cancelled), and messages go
    to FreeCAD's console."""

    def show_dialog(self, window):
        window.close()

    def show_message(self, text, title, icon, buttons):
        printer = FreeCAD.Console.PrintError if icon == "critical" else FreeCAD.Console.PrintWarning
        printer("%s: %s\n" % (title, text.replace("\r\n", " ")))
        return "yes" if buttons == "yesno" else "ok"


def windows(where=""):
    """The windows of a session; `where` is what the dialog says of where the part will go."""
    if ui_factory is not None:
        return ui_factory()
    if FreeCAD.GuiUp:
        import FreeCADGui
        from .dialog import QtUi
        return QtUi(FreeCADGui.getMainWindow(), where)
    return ConsoleUi()


def where_it_goes(onto, selection_label=""):
    """What the dialog says of where a dropped part will go."""
    if onto is None:
        return texts.text("at_origin")
    if "part" in onto:
        return texts.text("on_face", onto["part"]["label"])
    return texts.text("at_point", selection_label)


class Outcome:
    """What an operation did: the objects it made or changed, and the system's error if any."""

    def __init__(self, objects=(), error=None):
        self.objects = list(objects)
        self.error = error

    @property
    def changed(self):
        return bool(self.objects)


def run(operation, ui, *arguments):
    result = json.loads(operation(session.setup(), ui, *arguments))
    if not result["ok"]:
        error = result["error"]
        ui.show_message("Error %d: %s" % (error["number"], error["description"]), texts.PRODUCT, "critical", "ok")
    return result


class HeldMessages:
    """A session's windows while FreeCAD recomputes: no dialog, and messages held to be shown once
    the recompute is over (a message box's event loop inside a recompute would start another)."""

    def __init__(self):
        self.messages = []

    def show_dialog(self, window):
        window.close()

    def show_message(self, text, title, icon, buttons):
        self.messages.append(text)
        return "yes" if buttons == "yesno" else "ok"


def after_recompute(action):
    """Runs `action` once FreeCAD's recompute and the event that caused it are over; at once
    without the GUI, where there is no event loop to wait for."""
    if FreeCAD.GuiUp:
        from PySide import QtCore
        QtCore.QTimer.singleShot(0, action)
    else:
        action()


def in_transaction(doc, name, change):
    """Runs `change` as one undo step; when it fails, nothing it did stays in the document."""
    doc.openTransaction(name)
    try:
        made = change()
    except Exception:
        doc.abortTransaction()
        raise
    doc.commitTransaction()
    return made


def insert(doc=None, onto=None, ui=None, where=""):
    """Drops a catalogue item: the dialog chooses the part; it lands at the origin, or on the
    face or point `onto` describes (see drop_target). Returns the Outcome."""
    doc = doc or FreeCAD.ActiveDocument or FreeCAD.newDocument()
    result = run(zembrati_freecad.insert_part, ui or windows(where or where_it_goes(onto)), onto)
    if not result["completed"]:
        return Outcome(error=result["error"])

    def add_parts():
        made = []
        try:
            for record in result["parts"]:
                obj = doc.addObject("Part::FeaturePython", "SteelPart")
                made.append(obj)
                zembrati_part.SteelPart(obj)
                if FreeCAD.GuiUp and obj.ViewObject is not None:
                    zembrati_part.SteelPartView(obj.ViewObject)
                properties.apply(obj, record)
        except Exception:
            for obj in made:
                doc.removeObject(obj.Name)
            raise
        return made

    objects = in_transaction(doc, "Insert steel section", add_parts)
    doc.recompute()
    return Outcome(objects)


def edit(obj, ui=None):
    """Opens the dialog on the part's stored choices; OK with changes rebuilds the same object in
    place (placement and the user's name suffix kept). Returns the Outcome."""
    result = run(zembrati_freecad.edit_part, ui or windows(texts.text("stays")), properties.part_of(obj))
    if not result["completed"]:
        return Outcome(error=result["error"])
    in_transaction(obj.Document, "Edit steel section", lambda: properties.apply(obj, result["parts"][0], edited=True))
    obj.Document.recompute()
    return Outcome([obj])


def follow_length(obj, ui=None):
    """The part's Length changed: the part is regenerated as the host's length change does (a
    whole-number length; name, length property and description follow). When the system cannot,
    the length goes back to the one the solid has, and the user is told why."""
    if obj.Document.Restoring or "BuiltLength" not in obj.PropertiesList:
        return
    wanted = obj.Length.Value
    if wanted == obj.BuiltLength:
        return
    held = HeldMessages()
    result = json.loads(zembrati_freecad.set_part_length(session.setup(), held, properties.part_of(obj), wanted))
    if result["completed"]:
        properties.apply(obj, result["parts"][0])
        return
    obj.Length = obj.BuiltLength
    obj.purgeTouched()
    reasons = held.messages + ([result["error"]["description"]] if not result["ok"] else [])
    if reasons:
        message = texts.text("length_refused", " ".join(reasons))
        after_recompute(lambda: (ui or windows()).show_message(message, texts.PRODUCT, "critical", "ok"))


def drop_target(selection):
    """Where a catalogue item dropped with FreeCAD's selection lands: on the selected face of a
    steel part (the point picked, or the face's point nearest its centre, with the face's outward
    normal, in the part's own coordinates), at the picked point of anything else, or at the
    origin (None). `selection` is FreeCADGui.Selection.getSelectionEx()."""
    if len(selection) != 1 or len(selection[0].SubElementNames) != 1:
        return None
    chosen = selection[0]
    obj, element = chosen.Object, chosen.SubElementNames[0]
    if not element.startswith("Face"):
        return None
    face = obj.Shape.getElement(element)
    point = chosen.PickedPoints[0] if chosen.PickedPoints else None
    if point is None or face.distToShape(Part.Vertex(point))[0] > 1e-3:
        point = face.distToShape(Part.Vertex(face.CenterOfMass))[1][0][0]  # a hole's centre is not on the face
    u, v = face.Surface.parameter(point)
    normal = face.normalAt(u, v)
    if not zembrati_part.is_steel_part(obj):
        return {"scene_point": list(point)}
    return {"part": properties.part_of(obj),
            "scene_point": list(point),
            "pick_point": list(obj.Placement.inverse().multVec(point)),
            "normal": list(obj.Placement.Rotation.inverted().multVec(normal))}


def edit_in_gui(obj):
    """A double-click on a part: the dialog opens once the click's own handling is over."""
    from PySide import QtCore
    QtCore.QTimer.singleShot(0, lambda: edit(obj))
