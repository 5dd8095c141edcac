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

from . import lengths, placement, properties, session, texts

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


class PresetLength:
    """The windows of `ui`, with the dialog opening on a length given (a member's along its edge)."""

    def __init__(self, ui, length_mm):
        self.ui, self.length_mm = ui, length_mm

    def show_dialog(self, window):
        window.type_length(lengths.system_text(round(self.length_mm)))
        self.ui.show_dialog(window)

    def show_message(self, *arguments):
        return self.ui.show_message(*arguments)


def new_part(doc, record):
    """A FreeCAD object showing a part the system made, with its proxies and FreeCAD's attachment."""
    obj = doc.addObject("Part::FeaturePython", "SteelPart")
    try:
        zembrati_part.SteelPart(obj)
        if FreeCAD.GuiUp and obj.ViewObject is not None:
            zembrati_part.SteelPartView(obj.ViewObject)
        placement.add_attachment(obj)
        properties.apply(obj, record)
    except Exception:
        doc.removeObject(obj.Name)
        raise
    return obj


def insert(doc=None, onto=None, ui=None, where="", attach_to=None, along=None):
    """Drops a catalogue item: the dialog chooses the part; it lands at the origin, or on the
    face or point `onto` describes (see drop_target). With `attach_to` (support, element, map
    mode) it is attached there; with `along` (owner, edge element) it is a member along that edge, the dialog
    opening on the edge's length. Returns the Outcome."""
    doc = doc or FreeCAD.ActiveDocument or FreeCAD.newDocument()
    ui = ui or windows(where or where_it_goes(onto))
    if along is not None:
        edge = placement.edge_of((along[0], [along[1]]))
        if edge is None:
            raise ValueError("%s has no edge %s" % (along[0].Label, along[1]))
        ui = PresetLength(ui, edge.Length)
    result = run(zembrati_freecad.insert_part, ui, onto)
    if not result["completed"]:
        return Outcome(error=result["error"])

    def add_parts():
        made = []
        try:
            for record in result["parts"]:
                made.append(new_part(doc, record))
            if along is not None:
                placement.place_along(made[0], along[0], along[1])
            elif attach_to is not None:
                placement.attach(made[0], attach_to[0], attach_to[1], attach_to[2])
        except Exception:
            for obj in made:
                doc.removeObject(obj.Name)
            raise
        return made

    objects = in_transaction(doc, "Insert steel section", add_parts)
    doc.recompute()
    return Outcome(objects)


def regenerate(obj):
    """A recompute of a part: it goes where its support or edge puts it now, takes the length its
    edge gives it, and is regenerated when its length changed (see follow_length)."""
    if obj.Document.Restoring or "BuiltLength" not in obj.PropertiesList:
        return
    placement.follow_support(obj)
    edge_length = placement.follow_path(obj)
    user_changed = obj.Length.Value != obj.BuiltLength
    if edge_length is not None and not user_changed and round(edge_length) != obj.BuiltLength:
        obj.Length = round(edge_length)
    follow_length(obj)


def edit(obj, ui=None):
    """Opens the dialog on the part's stored choices; OK with changes rebuilds the same object in
    place (placement and the user's name suffix kept). Returns the Outcome."""
    result = run(zembrati_freecad.edit_part, ui or windows(texts.text("stays")), properties.part_of(obj))
    if not result["completed"]:
        return Outcome(error=result["error"])
    in_transaction(obj.Document, "Edit steel section", lambda: properties.apply(obj, result["parts"][0], edited=True))
    obj.Document.recompute()
    return Outcome([obj])


def with_length(part, length):
    """The system's length change of `part` (as properties.part_of gives it), its windows held:
    the result, and the messages it would have shown."""
    held = HeldMessages()
    return json.loads(zembrati_freecad.set_part_length(session.setup(), held, part, float(length))), held.messages


def follow_length(obj, ui=None):
    """The part's Length changed: the part is regenerated as the host's length change does (a
    whole-number length; name, length property and description follow). When the system cannot,
    the length goes back to the one the solid has, and the user is told why."""
    if obj.Document.Restoring or "BuiltLength" not in obj.PropertiesList:
        return
    wanted = obj.Length.Value
    if wanted == obj.BuiltLength:
        return
    result, held = with_length(properties.part_of(obj), wanted)
    if result["completed"]:
        properties.apply(obj, result["parts"][0])
        return
    obj.Length = obj.BuiltLength
    obj.purgeTouched()
    reasons = held + ([result["error"]["description"]] if not result["ok"] else [])
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
    if element.startswith("Vertex"):
        return {"scene_point": list(obj.Shape.getElement(element).Point)}
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


def insert_on_selection(selection, doc=None, ui=None):
    """Insert with FreeCAD's selection (FreeCADGui.Selection.getSelectionEx()): along a selected
    edge or sketch line; on a selected face or at a selected vertex, attached there; else at the
    origin. Returns the Outcome."""
    element = selection[0].SubElementNames[0] if len(selection) == 1 and len(selection[0].SubElementNames) == 1 else ""
    owner = selection[0].Object if element else None
    if element.startswith("Edge"):
        return insert(doc, ui=ui, where=texts.text("along_edge", owner.Label), along=(owner, element))
    onto = drop_target(selection)
    mode = {"Face": "FlatFace", "Vertex": "Translate"}.get(element.rstrip("0123456789"))
    attach_to = (owner, element, mode) if mode else None
    return insert(doc, onto=onto, ui=ui, where=where_it_goes(onto, owner.Label if owner else ""), attach_to=attach_to)


def edit_in_gui(obj):
    """A double-click on a part: the dialog opens once the click's own handling is over."""
    from PySide import QtCore
    QtCore.QTimer.singleShot(0, lambda: edit(obj))
