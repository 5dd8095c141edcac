"""The steel part as a FreeCAD object: a Part::FeaturePython whose proxy keeps it in step with
the system.

Everything a part needs lives in its properties: the hidden PartDocument (the part as a one-part
document of the system's built-in host, from which every edit and regeneration starts), the
stored choices, part variables, properties and summary the system gave it, and its exact solid.
The proxies hold nothing; a document saved without them keeps its solids, and the workbench
gives the proxies back when it opens the document again.
"""
import FreeCAD

DOCUMENT_PROPERTY = "PartDocument"


def is_steel_part(obj):
    return obj is not None and hasattr(obj, "TypeId") and obj.TypeId == "Part::FeaturePython" \
        and DOCUMENT_PROPERTY in obj.PropertiesList


class SteelPart:
    """The part's proxy: a length changed in the property editor or from Python regenerates the
    part on the next recompute, as the host's length change does; an attached part follows its
    support, and a member its edge."""

    def __init__(self, obj=None):
        if obj is not None:
            obj.Proxy = self

    def execute(self, obj):
        from zembrati_workbench import operations
        operations.regenerate(obj)

    def onChanged(self, obj, prop):
        pass

    def __getstate__(self):
        return {"kind": "steel part"}

    def __setstate__(self, state):
        return None


class SteelPartView:
    """The part's view provider proxy: a double-click opens the dialog on its stored choices."""

    def __init__(self, vobj=None):
        if vobj is not None:
            vobj.Proxy = self

    def attach(self, vobj):
        self.Object = vobj.Object

    def doubleClicked(self, vobj):
        from zembrati_workbench import operations
        operations.edit_in_gui(vobj.Object)
        return True

    def getIcon(self):
        from zembrati_workbench import session
        return session.icon_of(getattr(self, "Object", None))

    def __getstate__(self):
        return {"kind": "steel part view"}

    def __setstate__(self, state):
        return None


def attach_proxies(doc):
    """Gives every steel part of `doc` its proxies back, where a save without the workbench lost
    them."""
    for obj in doc.Objects:
        if not is_steel_part(obj):
            continue
        if obj.Proxy is None:
            SteelPart(obj)
        # A document made without the GUI opens with view providers whose proxy is no proxy of
        # ours (FreeCAD 0.20 gives them 1): they get the part's icon and double-click back.
        if FreeCAD.GuiUp and obj.ViewObject is not None and not isinstance(obj.ViewObject.Proxy, SteelPartView):
            SteelPartView(obj.ViewObject)
