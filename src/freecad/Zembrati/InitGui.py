# The Zembrati workbench in FreeCAD's GUI: its commands, and a double-click on a steel part (in
# the tree or the 3D view) that opens the dialog on the part's choices, whichever workbench is
# active. Its menu and tooltips follow the user's FreeCAD language.
import FreeCADGui

from zembrati_workbench import session as _zembrati_session
from zembrati_workbench import texts as _zembrati_texts


class ZembratiWorkbench(FreeCADGui.Workbench):
    # FreeCAD runs this file with names of its own apart from the module's: the class body sees
    # none of the imports above, so what it needs of them is set after it.

    def Initialize(self):
        from zembrati_workbench import commands, texts
        commands.register()
        self.appendToolbar(texts.PRODUCT, commands.NAMES)
        self.appendMenu(texts.text("menu"), commands.NAMES)

    def GetClassName(self):
        return "Gui::PythonWorkbench"


ZembratiWorkbench.MenuText = _zembrati_texts.PRODUCT
ZembratiWorkbench.Icon = _zembrati_session.icon_path("HE")
ZembratiWorkbench.ToolTip = _zembrati_texts.text("workbench_tip")
FreeCADGui.addWorkbench(ZembratiWorkbench())

from zembrati_workbench import double_click as _zembrati_double_click  # noqa: E402
_zembrati_double_click.install()
