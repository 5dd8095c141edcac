"""The workbench's commands: insert a steel section (on the selected face or vertex, or along the
selected edge), edit the selected one, make a frame along a selected sketch or wire, join two
selected parts, export the document's steel to IFC, and list it for the shop as a spreadsheet."""
import FreeCADGui

import zembrati_part

from . import cutting_list, frames, ifc_export, joints, operations, session, texts

INSERT, EDIT, FRAME = "Zembrati_Insert", "Zembrati_Edit", "Zembrati_Frame"
JOIN = {"mitre": "Zembrati_Mitre", "butt": "Zembrati_Butt", "cope": "Zembrati_Cope"}
EXPORT_IFC = "Zembrati_ExportIfc"
CUTTING_LIST = "Zembrati_CuttingList"
NAMES = [INSERT, EDIT, FRAME] + list(JOIN.values()) + [EXPORT_IFC, CUTTING_LIST]


def resources(icon, key):
    """A command's icon, menu text and tooltip, in the user's FreeCAD language."""
    return {"Pixmap": session.icon_path(icon), "MenuText": texts.text(key), "ToolTip": texts.text(key + "_tip")}


def selected_part():
    selection = FreeCADGui.Selection.getSelection()
    return selection[0] if len(selection) == 1 and zembrati_part.is_steel_part(selection[0]) else None


class InsertCommand:
    def GetResources(self):
        return resources("HE", "insert")

    def Activated(self):
        outcome = operations.insert_on_selection(FreeCADGui.Selection.getSelectionEx())
        if outcome.changed:
            FreeCADGui.Selection.clearSelection()
            for obj in outcome.objects:
                FreeCADGui.Selection.addSelection(obj)

    def IsActive(self):
        return True


class EditCommand:
    def GetResources(self):
        return resources("IPN", "edit")


    def Activated(self):
        part = selected_part()
        if part is not None:
            operations.edit(part)

    def IsActive(self):
        return selected_part() is not None


def selected_lines():
    """The one sketch or wire selected whole (not an element of it), with edges to run along."""
    selection = FreeCADGui.Selection.getSelectionEx()
    if len(selection) != 1 or selection[0].SubElementNames or zembrati_part.is_steel_part(selection[0].Object):
        return None
    owner = selection[0].Object
    shape = getattr(owner, "Shape", None)
    return owner if shape is not None and shape.Edges and not shape.Solids else None


class FrameCommand:
    def GetResources(self):
        return resources("QUADCAVO", "frame")

    def Activated(self):
        from PySide import QtGui
        owner = selected_lines()
        if owner is None:
            return
        kinds = [texts.text("frame_mitre"), texts.text("frame_butt")]
        chosen, accepted = QtGui.QInputDialog.getItem(FreeCADGui.getMainWindow(), texts.text("frame"),
                                                      texts.text("frame_joints"), kinds, 0, False)
        if not accepted:
            return
        try:
            outcome = frames.make(owner, frames.KINDS[kinds.index(chosen)])
        except ValueError as refused:
            operations.windows().show_message(str(refused), texts.PRODUCT, "critical", "ok")
            return
        if outcome.messages:
            operations.windows().show_message("\n".join(outcome.messages), texts.PRODUCT, "exclamation", "ok")
        if outcome.changed:
            FreeCADGui.Selection.clearSelection()

    def IsActive(self):
        return selected_lines() is not None


def selected_pair():
    selection = FreeCADGui.Selection.getSelection()
    if len(selection) == 2 and all(zembrati_part.is_steel_part(obj) for obj in selection):
        return selection
    return None


class JoinCommand:
    """Joins the first selected steel part's nearer end to the second: the joint's gap, end,
    extension and face cut are its properties afterwards."""

    PIXMAPS = {"mitre": "QUADCAVO", "butt": "UPN", "cope": "TUBO"}

    def __init__(self, kind):
        self.kind = kind

    def GetResources(self):
        return resources(self.PIXMAPS[self.kind], self.kind)

    def Activated(self):
        pair = selected_pair()
        if pair is None:
            return
        try:
            joint = joints.make(pair[0], pair[1], self.kind)
        except ValueError as refused:
            operations.windows().show_message(str(refused), texts.PRODUCT, "critical", "ok")
            return
        FreeCADGui.Selection.clearSelection()
        FreeCADGui.Selection.addSelection(joint)

    def IsActive(self):
        return selected_pair() is not None


class ExportIfcCommand:
    def GetResources(self):
        return resources("RETTCAVO", "ifc")

    def Activated(self):
        import FreeCAD
        from PySide import QtGui
        doc = FreeCAD.ActiveDocument
        path, _ = QtGui.QFileDialog.getSaveFileName(None, "Export steel to IFC", doc.Label + ".ifc", "IFC files (*.ifc)")
        if not path:
            return
        outcome = ifc_export.export(doc, path)
        if not outcome.ok:
            operations.windows().show_message("\n".join(outcome.messages), texts.PRODUCT, "critical", "ok")
        elif outcome.messages:
            operations.windows().show_message("Written to %s.\n\n%s" % (path, "\n".join(outcome.messages)),
                                              texts.PRODUCT, "exclamation", "ok")

    def IsActive(self):
        import FreeCAD
        doc = FreeCAD.ActiveDocument
        return doc is not None and any(zembrati_part.is_steel_part(obj) for obj in doc.Objects)


class CuttingListCommand:
    def GetResources(self):
        return resources("PIATTO", "cutting_list")

    def Activated(self):
        import FreeCAD
        from PySide import QtGui
        text, accepted = QtGui.QInputDialog.getText(
            None, "Cutting list", "Stock lengths in mm to nest the pieces into (as 6000, 12000; empty for none):")
        if not accepted:
            return
        try:
            stock = cutting_list.stock_lengths(text)
        except ValueError as error:
            operations.windows().show_message(str(error), texts.PRODUCT, "critical", "ok")
            return
        kerf = trim = 0.0
        if stock:
            kerf, accepted = QtGui.QInputDialog.getDouble(None, "Cutting list", "The saw's cut width (kerf) in mm:", 3, 0, 1000, 1)
            if not accepted:
                return
            trim, accepted = QtGui.QInputDialog.getDouble(None, "Cutting list", "Cut off each bar before its first piece (trim) in mm:",
                                                          0, 0, 1000, 1)
            if not accepted:
                return
        outcome = cutting_list.make(FreeCAD.ActiveDocument, stock, kerf, trim)
        if not outcome.ok or outcome.messages:
            operations.windows().show_message("\n".join(outcome.messages), texts.PRODUCT,
                                              "exclamation" if outcome.ok else "critical", "ok")

    def IsActive(self):
        import FreeCAD
        doc = FreeCAD.ActiveDocument
        return doc is not None and any(zembrati_part.is_steel_part(obj) for obj in doc.Objects)


def register():
    FreeCADGui.addCommand(INSERT, InsertCommand())
    FreeCADGui.addCommand(EDIT, EditCommand())
    FreeCADGui.addCommand(FRAME, FrameCommand())
    for kind, name in JOIN.items():
        FreeCADGui.addCommand(name, JoinCommand(kind))
    FreeCADGui.addCommand(EXPORT_IFC, ExportIfcCommand())
    FreeCADGui.addCommand(CUTTING_LIST, CuttingListCommand())
