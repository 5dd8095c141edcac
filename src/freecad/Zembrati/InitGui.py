# The Zembrati workbench in FreeCAD's GUI: its commands, and a double-click on a steel part (in
# the tree or the 3D view) that opens the dialog on the part's choices, whichever workbench is
# active.
import FreeCADGui

from zembrati_workbench import session as _zembrati_session


class ZembratiWorkbench(FreeCADGui.Workbench):
    MenuText = "Zembrati"
    ToolTip = "Standard steel sections: HE and I beams, channels, angles, tees, tubes, hollow sections, bars"

    def Initialize(self):
        from zembrati_workbench import commands
        commands.register()
        self.appendToolbar("Zembrati", commands.NAMES)
        self.appendMenu("Zembrati", commands.NAMES)

    def GetClassName(self):
        return "Gui::PythonWorkbench"


ZembratiWorkbench.Icon = _zembrati_session.icon_path("HE")
FreeCADGui.addWorkbench(ZembratiWorkbench())

from zembrati_workbench import double_click as _zembrati_double_click  # noqa: E402
_zembrati_double_click.install()
