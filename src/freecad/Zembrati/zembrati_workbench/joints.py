"""Joints between steel parts in FreeCAD: a joint object names two parts, its kind and its gap;
the system solves every joint of the document into the parts' cut solids (see
zembrati_freecad.solve_joints), whenever a joint or either of its parts changes.

A joint links to its two parts, so FreeCAD recomputes it after either of them: an edit or a
length change gives the part its uncut solid back, and the joints that touch it cut it again. The
parts' solids are the only thing joints change; removing the last joint of a part gives it its
uncut solid back.
"""
import json

import FreeCAD
import Part

import zembrati_freecad
import zembrati_part

from . import properties

KINDS = ["mitre", "butt", "cope"]
ENDS = ["nearer", "start", "end"]
GROUP = "Zembrati joint"
CUT = "Zembrati cut"


def is_joint(obj):
    return obj is not None and getattr(obj, "TypeId", "") == "App::FeaturePython" and "JointKind" in obj.PropertiesList


def is_cut(obj):
    return zembrati_part.is_steel_part(obj) and "CutLength" in obj.PropertiesList


class SteelJoint:
    """The joint's proxy: recomputed after either part, it solves the document's joints."""

    def __init__(self, obj=None):
        if obj is not None:
            obj.Proxy = self

    def execute(self, obj):
        solve(obj.Document)

    def __getstate__(self):
        return {"kind": "steel joint"}

    def __setstate__(self, state):
        return None


class SteelJointView:
    """Deleting a joint in the tree gives its parts their cuts without it."""

    def __init__(self, vobj=None):
        if vobj is not None:
            vobj.Proxy = self

    def attach(self, vobj):
        self.Object = vobj.Object

    def onDelete(self, vobj, subelements):
        doc = vobj.Object.Document
        from PySide import QtCore
        QtCore.QTimer.singleShot(0, lambda: solve(doc))
        return True

    def __getstate__(self):
        return {"kind": "steel joint view"}

    def __setstate__(self, state):
        return None


def add_properties(obj, member, other, kind, end, gap, extend, plane):
    obj.addProperty("App::PropertyLink", "Member", GROUP, "The part whose end is cut")
    obj.addProperty("App::PropertyEnumeration", "End", GROUP, "Which end of it: the one nearer the other part, or start or end")
    obj.addProperty("App::PropertyEnumeration", "JointKind", GROUP,
                    "mitre: both cut on the bisecting plane; butt: cut where its axis meets the other; "
                    "cope: shaped around the other")
    obj.addProperty("App::PropertyLink", "Other", GROUP, "The part it meets")
    obj.addProperty("App::PropertyLength", "Gap", GROUP, "Gap between the two")
    obj.addProperty("App::PropertyDistance", "Extend", GROUP, "The end moved along its axis first (negative shortens)")
    obj.addProperty("App::PropertyBool", "OnFacePlane", GROUP, "Butt: cut on the plane of the face it meets, not square")
    obj.addProperty("App::PropertyString", "Problem", GROUP, "Why the joint could not be made, if it could not")
    obj.setEditorMode("Problem", 1)
    obj.End = ENDS
    obj.JointKind = KINDS
    obj.Member, obj.Other = member, other
    obj.JointKind, obj.End = kind, end or "nearer"
    obj.Gap, obj.Extend, obj.OnFacePlane = gap, extend, plane


def make(member, other, kind, end="", gap=0.0, extend=0.0, plane=False):
    """Joins `member` to `other` (two steel parts) and solves the document's joints. Returns the
    joint object, or raises ValueError saying why the joint cannot be made (nothing is added)."""
    if kind not in KINDS:
        raise ValueError("no joint kind %r: give mitre, butt or cope" % kind)
    for part in (member, other):
        if not zembrati_part.is_steel_part(part):
            raise ValueError("%s is not a steel part" % getattr(part, "Label", part))
    doc = member.Document
    doc.openTransaction("Join steel parts")
    try:
        obj = add(member, other, kind, end, gap, extend, plane)
        solve(doc)
        if obj.Problem:
            raise ValueError(obj.Problem)
    except Exception:
        doc.abortTransaction()
        solve(doc)
        raise
    doc.commitTransaction()
    doc.recompute()
    return obj


def add(member, other, kind, end="", gap=0.0, extend=0.0, plane=False):
    """The joint object alone, inside the caller's transaction; the caller solves the joints."""
    obj = member.Document.addObject("App::FeaturePython", "SteelJoint")
    SteelJoint(obj)
    if FreeCAD.GuiUp and obj.ViewObject is not None:
        SteelJointView(obj.ViewObject)
    add_properties(obj, member, other, kind, end, gap, extend, plane)
    obj.Label = "%s %s to %s" % (kind.capitalize(), member.Label, other.Label)
    return obj


def remove(joint):
    """Takes a joint away: its parts keep only the cuts of their other joints."""
    doc = joint.Document
    doc.openTransaction("Remove steel joint")
    doc.removeObject(joint.Name)
    solve(doc)
    doc.commitTransaction()


def joints_of(doc):
    """The joints of `doc` between two steel parts."""
    return [obj for obj in doc.Objects if is_joint(obj) and zembrati_part.is_steel_part(obj.Member)
            and zembrati_part.is_steel_part(obj.Other)]


def wanted(joints, parts):
    """The joints as the system's operations take them, their parts by place in `parts`."""
    return [{"member": parts.index(j.Member), "other": parts.index(j.Other), "end": "" if j.End == "nearer" else j.End,
             "kind": j.JointKind, "gap": j.Gap.Value, "extend": j.Extend.Value, "plane": j.OnFacePlane}
            for j in joints]


def solve(doc):
    """Solves every joint of `doc` into the cut solids of its parts (and gives parts that are in
    no joint any more their uncut solids back)."""
    joints = joints_of(doc)
    parts = []
    for obj in [o for j in joints for o in (j.Member, j.Other)] + [o for o in doc.Objects if is_cut(o)]:
        if obj not in parts:
            parts.append(obj)
    if not parts:
        return
    result = json.loads(zembrati_freecad.solve_joints([properties.part_of(p) for p in parts], wanted(joints, parts)))
    if not result["ok"]:
        for joint in joints:
            joint.Problem = result["error"]["description"]
        return
    problems = {problem["joint"]: problem["reason"] for problem in result["problems"]}
    for index, joint in enumerate(joints):
        if joint.Problem != problems.get(index, ""):
            joint.Problem = problems.get(index, "")
    for part, record in zip(parts, result["parts"]):
        show_cut(part, record)


def show_cut(part, record):
    """The part shows its cut solid, cut length and mass; nothing it holds is touched otherwise, so
    that it is not recomputed for it."""
    report = record["report"]
    jointed = any(end["joint"] is not None for end in report["ends"])
    if not jointed and not is_cut(part):
        return
    shape = Part.Shape()
    shape.importBrepFromString(record["brep"])
    shape.Placement = part.Placement
    part.Shape = shape
    if not jointed:
        for name in ("CutLength", "CutEnds"):
            part.removeProperty(name)
    else:
        if "CutLength" not in part.PropertiesList:
            part.addProperty("App::PropertyLength", "CutLength", CUT, "Tip to tip along the axis, as it is cut")
            part.addProperty("App::PropertyStringList", "CutEnds", CUT, "How each end is cut: joint, part, angles")
            part.setEditorMode("CutLength", 1)
            part.setEditorMode("CutEnds", 1)
        part.CutLength = report["cut_length_mm"]
        part.CutEnds = [describe(end) for end in report["ends"]]
    properties.set_mass(part, report["mass_kg"])
    part.purgeTouched()


def describe(end):
    joint = end["joint"]
    how = "square" if joint is None else "%s to %s, gap %g mm" % (joint["kind"], joint["to"], joint["gap_mm"])
    return "%s: %s, %g° / %g° from square" % (end["end"], how, end["angle_web_deg"], end["angle_flange_deg"])


def attach_proxies(doc):
    """Gives every joint of `doc` its proxies back, where a save without the workbench lost them."""
    for obj in doc.Objects:
        if not is_joint(obj):
            continue
        if obj.Proxy is None:
            SteelJoint(obj)
        if FreeCAD.GuiUp and obj.ViewObject is not None and not isinstance(obj.ViewObject.Proxy, SteelJointView):
            SteelJointView(obj.ViewObject)
