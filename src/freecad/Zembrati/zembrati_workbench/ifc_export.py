"""The document's steel parts as one IFC4 file, through the system's own writer (FreeCAD's own
IFC export needs a library Debian 12 does not ship): beams, columns and members with their
parametric profiles, materials, solids cut as their joints cut them, axes and quantities."""
import json

import zembrati_freecad
import zembrati_part

from . import joints, properties


class Outcome:
    """What an export did: `ok`, and the messages the user should see (the error, or what the
    file says of parts written otherwise than asked, and joints that could not be made)."""

    def __init__(self, ok, messages):
        self.ok = ok
        self.messages = messages


def time_stamp(doc):
    """The file's time: the document's last change as FreeCAD keeps it (so that exporting a
    document again gives the same file), to the second."""
    stamp = (getattr(doc, "LastModifiedDate", "") or getattr(doc, "CreationDate", "") or "1970-01-01T00:00:00")
    return stamp.rstrip("Z")[:19]


def export(doc, path):
    parts = [obj for obj in doc.Objects if zembrati_part.is_steel_part(obj)]
    if not parts:
        return Outcome(False, ["The document holds no steel parts to export."])
    records = []
    for obj in parts:
        record = properties.part_of(obj)
        record["key"] = obj.Name  # FreeCAD keeps an object's name for its life: its GlobalId's source
        records.append(record)
    joined = [j for j in joints.joints_of(doc) if j.Member in parts and j.Other in parts]
    result = json.loads(zembrati_freecad.export_ifc(records, joints.wanted(joined, parts), path, doc.Label, time_stamp(doc)))
    if not result["ok"]:
        error = result["error"]
        return Outcome(False, ["%s (nothing was written)" % error["description"]])
    messages = list(result["notes"])
    messages += ["Joint %s: %s" % (joined[p["joint"]].Label, p["reason"]) for p in result["problems"]]
    return Outcome(True, messages)
