"""The workbench's commands: insert a steel section (on the selected face, if any), edit the
selected one, and join two selected ones."""
import FreeCADGui

import zembrati_part

from . import joints, operations, session

INSERT, EDIT = "Zembrati_Insert", "Zembrati_Edit"
JOIN = {"mitre": "Zembrati_Mitre", "butt": "Zembrati_Butt", "cope": "Zembrati_Cope"}
NAMES = [INSERT, EDIT] + list(JOIN.values())


def selected_part():
    selection = FreeCADGui.Selection.getSelection()
    return selection[0] if len(selection) == 1 and zembrati_part.is_steel_part(selection[0]) else None


class InsertCommand:
    def GetResources(self):
        return {"Pixmap": session.icon_path("HE"),
                "MenuText": "Insert steel section",
                "ToolTip": "Choose a standard section, size, material and length; with a face of a "
                           "steel part selected, the new part stands on that face"}

    def Activated(self):
        onto = operations.drop_target(FreeCADGui.Selection.getSelectionEx())
        outcome = operations.insert(onto=onto)
        if outcome.changed:
            FreeCADGui.Selection.clearSelection()
            for obj in outcome.objects:
                FreeCADGui.Selection.addSelection(obj)

    def IsActive(self):
        return True


class EditCommand:
    def GetResources(self):
        return {"Pixmap": session.icon_path("IPN"),
                "MenuText": "Edit steel section",
                "ToolTip": "Open the dialog on the selected steel part's choices (or double-click the part)"}

    def Activated(self):
        part = selected_part()
        if part is not None:
            operations.edit(part)

    def IsActive(self):
        return selected_part() is not None


def selected_pair():
    selection = FreeCADGui.Selection.getSelection()
    if len(selection) == 2 and all(zembrati_part.is_steel_part(obj) for obj in selection):
        return selection
    return None


class JoinCommand:
    """Joins the first selected steel part's nearer end to the second: the joint's gap, end,
    extension and face cut are its properties afterwards."""

    TEXTS = {"mitre": ("Mitre members", "Cut both selected parts on the plane that bisects their axes "
                                        "where their ends meet"),
             "butt": ("Butt member", "Cut the first selected part where its axis meets the second"),
             "cope": ("Cope member", "Shape the first selected part around the second")}
    PIXMAPS = {"mitre": "QUADCAVO", "butt": "UPN", "cope": "TUBO"}

    def __init__(self, kind):
        self.kind = kind

    def GetResources(self):
        text, tip = self.TEXTS[self.kind]
        return {"Pixmap": session.icon_path(self.PIXMAPS[self.kind]), "MenuText": text, "ToolTip": tip}

    def Activated(self):
        pair = selected_pair()
        if pair is None:
            return
        try:
            joint = joints.make(pair[0], pair[1], self.kind)
        except ValueError as refused:
            operations.windows().show_message(str(refused), "Zembrati", "critical", "ok")
            return
        FreeCADGui.Selection.clearSelection()
        FreeCADGui.Selection.addSelection(joint)

    def IsActive(self):
        return selected_pair() is not None


def register():
    FreeCADGui.addCommand(INSERT, InsertCommand())
    FreeCADGui.addCommand(EDIT, EditCommand())
    for kind, name in JOIN.items():
        FreeCADGui.addCommand(name, JoinCommand(kind))
