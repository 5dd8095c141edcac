"""The selection dialog drawn with FreeCAD's Qt widgets.

The widgets hold nothing of their own: after every action of the user they show the state the
system's dialog model reports (lists, selections, captions, what is enabled), and every action
goes to the model as the control event a window raises. Lists are filled, cascaded and checked
by the system, never here.
"""
import json

from PySide import QtCore, QtGui

import zembrati_freecad

from . import lengths, pictures, texts

LISTS = ("standard", "size", "thickness", "material")


class SectionView(QtGui.QWidget):
    """The section of the chosen size, as its generator draws it, filled and fitted."""

    def __init__(self, parent=None):
        super().__init__(parent)
        self.loops = []
        self.setMinimumSize(200, 180)

    def show_loops(self, loops):
        self.loops = loops
        self.update()

    def paintEvent(self, event):
        painter = QtGui.QPainter(self)
        painter.fillRect(self.rect(), QtGui.QColor("white"))
        pictures.paint_loops(painter, self.loops, self.rect().adjusted(8, 8, -8, -8))
        painter.end()


class SelectionDialog(QtGui.QDialog):
    """The dialog window over one DialogWindow of the system."""

    def __init__(self, window, parent=None, where=""):
        super().__init__(parent)
        self.window_model = window
        self.syncing = False
        self.length_error = ""
        self.setModal(True)
        layout = QtGui.QVBoxLayout(self)
        self.tabs = QtGui.QTabBar()
        self.tabs.currentChanged.connect(self.on_family)
        layout.addWidget(self.tabs)
        layout.addLayout(self.make_type_buttons())
        self.data_panel = self.make_data_panel()
        self.preview_panel = self.make_preview_panel()
        layout.addWidget(self.data_panel)
        layout.addWidget(self.preview_panel)
        self.where = QtGui.QLabel(where)
        self.where.setObjectName("where")
        self.where.setVisible(bool(where))
        layout.addWidget(self.where)
        layout.addLayout(self.make_buttons())
        self.sync()

    # Building the widgets

    def make_type_buttons(self):
        grid = QtGui.QGridLayout()
        self.type_group = QtGui.QButtonGroup(self)
        self.type_group.setExclusive(True)
        for index, name in enumerate(zembrati_freecad.type_names()):
            button = QtGui.QToolButton()
            button.setCheckable(True)
            button.setIcon(pictures.type_icon(index + 1, 40))
            button.setIconSize(QtCore.QSize(40, 40))
            button.setToolTip(name)
            button.setObjectName("type_" + name)
            self.type_group.addButton(button, index)
            grid.addWidget(button, index // 6, index % 6)
        self.type_group.buttonClicked.connect(lambda button: self.act(self.window_model.choose_type,
                                                                      self.type_group.id(button)))
        return grid

    def make_data_panel(self):
        panel = QtGui.QWidget()
        grid = QtGui.QGridLayout(panel)
        self.list_labels, self.combos = {}, {}
        for row, name in enumerate(LISTS):
            label, combo = QtGui.QLabel(), QtGui.QComboBox()
            combo.setObjectName(name)
            combo.setMinimumContentsLength(18)
            combo.activated.connect(lambda index, name=name: self.act(self.window_model.select, name, index))
            self.list_labels[name], self.combos[name] = label, combo
            grid.addWidget(label, row, 0)
            grid.addWidget(combo, row, 1)
            if name == "standard":
                self.description = QtGui.QLabel()
                self.description.setWordWrap(True)
                grid.addWidget(self.description, row, 2)
        self.length_label, self.length = QtGui.QLabel(), QtGui.QLineEdit()
        self.length.setObjectName("length")
        self.length.textEdited.connect(self.on_length)
        self.length_note = QtGui.QLabel()
        self.length_note.setObjectName("length_note")
        self.length_note.setWordWrap(True)
        grid.addWidget(self.length_label, len(LISTS), 0)
        grid.addWidget(self.length, len(LISTS), 1)
        grid.addWidget(self.length_note, len(LISTS), 2)
        return panel

    def make_preview_panel(self):
        panel = QtGui.QWidget()
        row = QtGui.QHBoxLayout(panel)
        self.section_view = SectionView()
        row.addWidget(self.section_view, 1)
        column = QtGui.QVBoxLayout()
        self.preview_title = QtGui.QLabel()
        self.preview_lines = QtGui.QLabel()
        self.section_data = QtGui.QLabel()
        for label in (self.preview_title, self.preview_lines, self.section_data):
            column.addWidget(label)
        column.addStretch(1)
        row.addLayout(column)
        return panel

    def make_buttons(self):
        row = QtGui.QHBoxLayout()
        self.buttons = {}
        for name in ("dimensions", "ok", "cancel"):
            button = QtGui.QPushButton()
            button.setObjectName(name)
            button.clicked.connect(lambda checked=False, name=name: self.on_press(name))
            self.buttons[name] = button
            if name == "dimensions":
                row.addWidget(button)
                row.addStretch(1)
            else:
                row.addWidget(button)
        self.buttons["ok"].setDefault(True)
        return row

    # The user's actions

    def on_family(self, index):
        if not self.syncing:
            self.act(self.window_model.choose_family, index)

    def on_length(self, text):
        """The field takes what FreeCAD takes ("3 m", "120 in", the locale's decimal separator);
        the system is given the length in millimetres, and the note says what it will make."""
        if self.syncing:
            return
        try:
            mm = lengths.millimetres(text, QtCore.QLocale().decimalPoint())
        except lengths.NotALength as refused:
            self.length_error = str(refused)
            self.length_note.setText(self.length_error)
            return
        self.length_error = ""
        self.length_note.setText(texts.length_note(mm, text))
        self.act(self.window_model.type_length, lengths.system_text(round(mm)))

    def on_press(self, name):
        if name == "ok" and self.length_error and self.length.isEnabled():
            QtGui.QMessageBox.warning(self, self.windowTitle(), self.length_error)
            self.length.setFocus()
            return
        self.act(self.window_model.press, name)

    def act(self, action, *arguments):
        """Runs a user's action on the model, then shows what the model has become."""
        if self.syncing:
            return
        action(*arguments)
        self.sync()

    def reject(self):
        """Esc or the window's close button: the dialog closes without confirming anything."""
        self.window_model.close()
        self.sync()

    # Showing the model

    def sync(self):
        state = json.loads(self.window_model.state_json())
        if state["closed"]:
            self.done(0)
            return
        self.syncing = True
        try:
            self.show_state(state)
        finally:
            self.syncing = False

    def show_state(self, state):
        self.setWindowTitle(texts.PRODUCT)
        while self.tabs.count() > len(state["families"]):
            self.tabs.removeTab(self.tabs.count() - 1)
        for index, family in enumerate(state["families"]):
            if index < self.tabs.count():
                self.tabs.setTabText(index, family)
            else:
                self.tabs.addTab(family)
        self.tabs.setCurrentIndex(state["family"])
        for index, button in enumerate(self.type_group.buttons()):
            button.setChecked(self.type_group.id(button) == state["type"])
        for name in LISTS:
            self.show_list(name, state["lists"][name])
        self.description.setText(state["description"])
        self.length_label.setText(state["length"]["label"])
        self.show_length(state["length"]["text"])
        self.length.setEnabled(state["length"]["enabled"])
        for name, button in self.buttons.items():
            shown = state["buttons"][name]
            button.setText(texts.text("dimensions") if name == "dimensions" else shown["caption"])
            button.setEnabled(shown["enabled"])
            button.setVisible(shown["visible"])
        resized = (self.data_panel.isVisibleTo(self), self.preview_panel.isVisibleTo(self)) != \
            (state["data_shown"], state["preview_shown"])
        self.data_panel.setVisible(state["data_shown"])
        self.preview_panel.setVisible(state["preview_shown"])
        if resized:  # the dialog grows for the dimensions and shrinks back without them
            QtCore.QTimer.singleShot(0, self.adjustSize)
        panel = state["panel"]
        self.preview_title.setText(panel["title"])
        self.preview_lines.setText("\n".join(panel["lines"]))
        self.section_data.setText("\n".join(panel["data"]))
        self.section_view.show_loops(panel["loops"])

    def show_length(self, text):
        """Leaves the user's own way of writing the length in the field while it gives the
        system's length; shows the system's length where it does not (a stored part's, say)."""
        if self.length_error:
            return
        try:
            same = lengths.system_text(round(lengths.millimetres(self.length.text(), QtCore.QLocale().decimalPoint()))) == text
        except lengths.NotALength:
            same = False
        if not same:
            self.length.setText(text)

    def show_list(self, name, shown):
        combo = self.combos[name]
        entries = [combo.itemText(i) for i in range(combo.count())]
        if entries != shown["entries"]:
            combo.clear()
            combo.addItems(shown["entries"])
        combo.setCurrentIndex(shown["selected"])
        combo.setEnabled(shown["enabled"])
        combo.setVisible(shown["visible"])
        self.list_labels[name].setText(shown["label"])
        self.list_labels[name].setVisible(shown["label_visible"] and shown["visible"])


MESSAGE_ICONS = {
    "critical": QtGui.QMessageBox.Critical,
    "exclamation": QtGui.QMessageBox.Warning,
    "question": QtGui.QMessageBox.Question,
    "information": QtGui.QMessageBox.Information,
    "none": QtGui.QMessageBox.NoIcon,
}

MESSAGE_BUTTONS = {
    "ok": [(QtGui.QMessageBox.Ok, "ok")],
    "okcancel": [(QtGui.QMessageBox.Ok, "ok"), (QtGui.QMessageBox.Cancel, "cancel")],
    "yesno": [(QtGui.QMessageBox.Yes, "yes"), (QtGui.QMessageBox.No, "no")],
}


class QtUi:
    """The windows of a session inside FreeCAD: the selection dialog and message boxes, modal over
    the window that is active (the dialog, or FreeCAD's main window)."""

    def __init__(self, parent, where=""):
        self.parent = parent
        self.where = where
        self.dialog = None

    def show_dialog(self, window):
        self.dialog = SelectionDialog(window, self.parent, self.where)
        try:
            self.dialog.exec_()
        finally:
            self.dialog = None

    def show_message(self, text, title, icon, buttons):
        box = QtGui.QMessageBox(self.dialog or self.parent)
        box.setWindowTitle(texts.PRODUCT)
        box.setText(text)
        box.setIcon(MESSAGE_ICONS.get(icon, QtGui.QMessageBox.NoIcon))
        answers = {}
        for standard, answer in MESSAGE_BUTTONS.get(buttons, MESSAGE_BUTTONS["ok"]):
            answers[box.addButton(standard)] = answer
        box.exec_()
        return answers.get(box.clickedButton(), MESSAGE_BUTTONS.get(buttons, MESSAGE_BUTTONS["ok"])[0][1])
