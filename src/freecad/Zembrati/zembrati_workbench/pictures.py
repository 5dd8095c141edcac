"""Pictures of sections drawn from the outlines the system's generators make."""
from PySide import QtCore, QtGui

import zembrati_freecad

FILL = "#b8c4d0"
LINE = "#1f2d3d"


def bounds(loops):
    xs = [x for loop in loops for x, _ in loop]
    ys = [y for loop in loops for _, y in loop]
    return min(xs), min(ys), max(xs), max(ys)


def paint_loops(painter, loops, rect):
    """Fills the loops (holes left open) fitted into rect, y upwards."""
    if not loops:
        return
    min_x, min_y, max_x, max_y = bounds(loops)
    scale = min(rect.width() / max(max_x - min_x, 1e-9), rect.height() / max(max_y - min_y, 1e-9))
    left = rect.left() + (rect.width() - (max_x - min_x) * scale) / 2
    top = rect.top() + (rect.height() - (max_y - min_y) * scale) / 2
    path = QtGui.QPainterPath()
    path.setFillRule(QtCore.Qt.OddEvenFill)
    for loop in loops:
        points = [QtCore.QPointF(left + (x - min_x) * scale, top + (max_y - y) * scale) for x, y in loop]
        path.addPolygon(QtGui.QPolygonF(points))
        path.closeSubpath()
    painter.setRenderHint(QtGui.QPainter.Antialiasing)
    painter.setPen(QtGui.QPen(QtGui.QColor(LINE), 1))
    painter.setBrush(QtGui.QColor(FILL))
    painter.drawPath(path)


def type_icon(type_code, size):
    """The type's typical section as an icon."""
    pixmap = QtGui.QPixmap(size, size)
    pixmap.fill(QtCore.Qt.transparent)
    painter = QtGui.QPainter(pixmap)
    paint_loops(painter, zembrati_freecad.type_picture(type_code), QtCore.QRectF(2, 2, size - 4, size - 4))
    painter.end()
    return QtGui.QIcon(pixmap)
