"""The workbench's commands: insert a steel section (on the selected face, if any) and edit the
selected one."""
import FreeCADGui

import zembrati_part

from . import operations, session

INSERT, EDIT = "Zembrati_Insert", "Zembrati_Edit"
NAMES = [INSERT, EDIT]


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


def register():
    FreeCADGui.addCommand(INSERT, InsertCommand())
    FreeCADGui.addCommand(EDIT, EditCommand())
