"""A double-click on a steel part in a 3D view opens the dialog on its choices.

FreeCAD calls a view provider's doubleClicked for a double-click in the tree, but not for one in
the 3D view; there, a filter on each view's viewport catches the double-click and asks the view
which object lies under the cursor.
"""
import FreeCAD
import FreeCADGui
from PySide import QtCore, QtGui

import zembrati_part

from . import operations


class DoubleClickFilter(QtCore.QObject):
    def __init__(self, view, parent):
        super().__init__(parent)
        self.view = view

    def eventFilter(self, watched, event):
        if event.type() != QtCore.QEvent.MouseButtonDblClick or event.button() != QtCore.Qt.LeftButton:
            return False
        part = self.part_at(watched, event.pos())
        if part is None:
            return False
        operations.edit_in_gui(part)
        return True

    def part_at(self, viewport, position):
        """The steel part under a point of the viewport (view pixels run from the bottom left)."""
        try:
            ratio = viewport.devicePixelRatioF()
            height = self.view.getSize()[1]
            info = self.view.getObjectInfo((int(position.x() * ratio), int(height - position.y() * ratio)))
            if not info:
                return None
            doc = FreeCAD.getDocument(info["Document"]) if "Document" in info else FreeCAD.ActiveDocument
            obj = doc.getObject(info["Object"]) if doc else None
        except Exception:  # a view that is closing, a document that is gone: no part there
            return None
        return obj if zembrati_part.is_steel_part(obj) else None


def watch_active_view(*_):
    """Puts the filter on the active 3D view's viewport, once per view."""
    gui_doc = FreeCADGui.ActiveDocument
    view = gui_doc.ActiveView if gui_doc else None
    if view is None or not hasattr(view, "graphicsView"):
        return
    viewport = view.graphicsView().viewport()
    if viewport.property("zembrati_double_click"):
        return
    viewport.setProperty("zembrati_double_click", True)
    viewport.installEventFilter(DoubleClickFilter(view, viewport))


def install():
    """Watches every 3D view that becomes active from now on."""
    main = FreeCADGui.getMainWindow()
    area = main.findChild(QtGui.QMdiArea) if main else None
    if area is not None:
        area.subWindowActivated.connect(watch_active_view)
