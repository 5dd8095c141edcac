"""Where the workbench finds the system's settings and catalogue, and in which language it speaks."""
import os

import FreeCAD

import zembrati_freecad

WORKBENCH_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICON_DIR = os.path.join(WORKBENCH_DIR, "Resources", "icons")

# FreeCAD's names of the languages the system speaks, as its settings name them.
LANGUAGES = {"English": "English", "German": "German", "Italian": "Italian"}

# Set by a caller (the tests) to use other settings or another preferences file.
settings_file = os.environ.get("ZEMBRATI_SETTINGS", os.path.join(WORKBENCH_DIR, "data", "settings", "zembrati.ini"))
prefs_file = os.environ.get("ZEMBRATI_PREFS", "")


def language():
    """The user's FreeCAD language when the system speaks it; else the settings' own."""
    chosen = FreeCAD.ParamGet("User parameter:BaseApp/Preferences/General").GetString("Language")
    return LANGUAGES.get(chosen, "")


def setup():
    return zembrati_freecad.SessionSetup(settings_file, language(), prefs_file)


def icon_path(name):
    return os.path.join(ICON_DIR, "Zembrati_%s.svg" % name)


def icon_of(obj):
    """The icon of a part's section type, or the workbench's."""
    names = zembrati_freecad.type_names()
    code = getattr(obj, "TypeCode", 0) if obj is not None else 0
    if 1 <= code <= len(names):
        return icon_path(names[code - 1])
    return os.path.join(ICON_DIR, "Zembrati.svg")
