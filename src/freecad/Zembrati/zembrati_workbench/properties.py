"""A part of the system as the properties of its FreeCAD object.

The part's stored choices, its part variables with their types, its properties and summary are
shown read-only in the property editor, each in a group of its own; the length is the one a user
changes there. The object's Label is the part's name, its Shape the exact solid, its Placement
where the part stands.
"""
import re

import FreeCAD
import Part

import zembrati_part

CHOICES = "Zembrati"
VARIABLES = "Zembrati part data"
PROPERTIES = "Zembrati properties"
SUMMARY = "Zembrati summary"
SECTION = "Zembrati section"
OWN_GROUPS = (CHOICES, VARIABLES, PROPERTIES, SUMMARY, SECTION)

# How the host's value types show in FreeCAD.
VALUE_TYPES = {
    "Integer": "App::PropertyInteger",
    "Long": "App::PropertyInteger",
    "Double": "App::PropertyFloat",
    "Boolean": "App::PropertyBool",
    "Text": "App::PropertyString",
}

READ_ONLY, HIDDEN = 1, 2


def placement_of(values):
    """P1..P3 the position, P4..P7 the rotation w, x, y, z."""
    x, y, z, w, qx, qy, qz = values
    return FreeCAD.Placement(FreeCAD.Vector(x, y, z), FreeCAD.Rotation(qx, qy, qz, w))


def placement_values(placement):
    qx, qy, qz, w = placement.Rotation.Q
    return [placement.Base.x, placement.Base.y, placement.Base.z, w, qx, qy, qz]


def part_of(obj):
    """The part as the system's operations take it: its document, name and placement now."""
    return {"document": obj.PartDocument, "label": obj.Label, "placement": placement_values(obj.Placement)}


def ensure(obj, type_id, name, group, tip, mode=READ_ONLY):
    """Adds the property when the object lacks it. A property keeps the type it was made with for
    the life of the object: FreeCAD's undo restores a property into the one of that name, and
    one removed and made again with another type cannot take the old value back."""
    if name not in obj.PropertiesList:
        obj.addProperty(type_id, name, group, tip)
    if obj.getEditorMode(name) != editor_mode(mode):
        obj.setEditorMode(name, mode)


def editor_mode(mode):
    return [flag for bit, flag in ((READ_ONLY, "ReadOnly"), (HIDDEN, "Hidden")) if mode & bit]


def as_type(type_id, value):
    """`value` as a property of `type_id` holds it: host values change type (a length the host
    stored as a number comes back as text after a length change), FreeCAD's properties do not."""
    if type_id == "App::PropertyString":
        return "" if value is None else str(value)
    if isinstance(value, str):
        try:
            value = float(value.strip() or 0)
        except ValueError:
            return None
    if value is None:
        value = 0
    if type_id == "App::PropertyInteger":
        return int(round(value))
    if type_id == "App::PropertyBool":
        return bool(value)
    return float(value)


def typed(obj, name, group, tip, value, mode=READ_ONLY):
    """A host value in a property of its first value's type; empty and object values show as
    empty text. A later value of another type is shown in the type the property has; only text
    that is no number at all, given to a number, makes the property anew as text."""
    type_id = VALUE_TYPES.get(value["type"], "App::PropertyString")
    if name in obj.PropertiesList:
        kept = obj.getTypeIdOfProperty(name)
        if as_type(kept, value["value"]) is not None:
            type_id = kept
        else:
            obj.removeProperty(name)
    ensure(obj, type_id, name, group, tip + ", " + value["type"], mode)
    shown = as_type(type_id, value["value"])
    if getattr(obj, name) != shown:
        setattr(obj, name, shown)
    return name


def property_name(text, taken):
    """A property name made of the item's name: letters, digits and underscores."""
    name = "P_" + (re.sub(r"\W", "_", text, flags=re.ASCII) or "item")
    unique, count = name, 2
    while unique in taken:
        unique, count = "%s_%d" % (name, count), count + 1
    return unique


def drop_stale(obj, kept):
    """Takes out properties of the workbench's groups that the part no longer has."""
    for name in list(obj.PropertiesList):
        if name not in kept and obj.getGroupOfProperty(name) in (VARIABLES, PROPERTIES):
            obj.removeProperty(name)


def keep_section_points(obj, solid):
    """The corners of the section's box and its centroid, in the part's own coordinates, from its
    uncut solid: where a member's anchor may lie (joints cut the solid later, not the section)."""
    box = solid.BoundBox
    volume = sum(s.Volume for s in solid.Solids)
    centroid = FreeCAD.Vector()
    for s in solid.Solids:
        centroid += s.CenterOfMass * (s.Volume / volume)
    points = [FreeCAD.Vector(box.XMin, box.YMin, 0), FreeCAD.Vector(box.XMax, box.YMax, 0),
              FreeCAD.Vector(centroid.x, centroid.y, 0)]
    ensure(obj, "App::PropertyVectorList", "SectionPoints", SECTION,
           "The section's box corners and centroid, in the part's own coordinates", READ_ONLY | HIDDEN)
    if list(obj.SectionPoints) != points:
        obj.SectionPoints = points


def set_mass(obj, kg):
    """The part's mass, as a FreeCAD mass shown in the user's units where FreeCAD has such a
    property (1.0); FreeCAD 0.20 has none a script can add, and there, as in documents made there,
    it is a number of kilograms, "MassKg"."""
    if "Mass" not in obj.PropertiesList and "MassKg" not in obj.PropertiesList:
        tip = "The part's mass at 7850 kg/m³, as it is cut"
        try:
            obj.addProperty("App::PropertyMass", "Mass", SECTION, tip)
        except Exception:
            obj.addProperty("App::PropertyFloat", "MassKg", SECTION, tip + ", in kg")
    name = "Mass" if "Mass" in obj.PropertiesList else "MassKg"
    obj.setEditorMode(name, READ_ONLY)
    value = FreeCAD.Units.Quantity(kg, FreeCAD.Units.Mass) if name == "Mass" else kg
    if getattr(obj, name) != value:
        setattr(obj, name, value)


def mass_kg(obj):
    if "Mass" in obj.PropertiesList:
        return obj.Mass.getValueAs("kg").Value
    return obj.MassKg


def unique_label(obj, name):
    """FreeCAD renames a label another object has by counting its last digits up, which would turn
    "HEA 200 x 1500" into "HEA 200 x 1501": a name that is taken gets " (2)", " (3)" instead, a
    suffix the system keeps through edits and length changes like any other."""
    if FreeCAD.ParamGet("User parameter:BaseApp/Preferences/Document").GetBool("DuplicateLabels", False):
        return name
    others = [o for o in obj.Document.getObjectsByLabel(name) if o.Name != obj.Name]
    candidate, count = name, 2
    while others:
        candidate, count = "%s (%d)" % (name, count), count + 1
        others = [o for o in obj.Document.getObjectsByLabel(candidate) if o.Name != obj.Name]
    return candidate


def apply(obj, record, edited=False):
    """Makes the object show the part the system made: solid, name, placement and data."""
    report = record["report"]
    ensure(obj, "App::PropertyString", zembrati_part.DOCUMENT_PROPERTY, CHOICES,
           "The part as the system keeps it: every edit and regeneration starts from it", HIDDEN)
    obj.PartDocument = record["document"]
    for name, tip in (("Class", "The part's class"), ("Standard", "Standard chosen"),
                      ("Size", "Size chosen"), ("Material", "Material chosen")):
        ensure(obj, "App::PropertyString", name, CHOICES, tip)
        setattr(obj, name, report[name.lower()])
    ensure(obj, "App::PropertyInteger", "TypeCode", CHOICES, "Section type, 1 (HE) to 12 (square bar)")
    obj.TypeCode = report["type_code"] or 0
    ensure(obj, "App::PropertyLength", "Length", CHOICES,
           "The part's length: a change regenerates the part (whole millimetres)", 0)
    ensure(obj, "App::PropertyFloat", "BuiltLength", CHOICES, "The length the solid was built with", HIDDEN)
    obj.BuiltLength = report["length_mm"]
    obj.Length = report["length_mm"]
    kept = set()
    # The part variables and the host's properties are what the system reads back; a user sees
    # them with the property editor's "Show all".
    for variable in report["part_variables"]:
        name = "Data%d_%d" % (variable["kind"], variable["index"])
        kept.add(typed(obj, name, VARIABLES, "Part variable %d, %d" % (variable["kind"], variable["index"]), variable,
                       READ_ONLY | HIDDEN))
    for item in report["properties"]:
        name = property_name(item["name"], kept)
        kept.add(typed(obj, name, PROPERTIES, item["name"], item, READ_ONLY | HIDDEN))
    drop_stale(obj, kept)
    summary = report.get("summary", {})
    for name, key, tip in (("Description", "description", "The part's description"),
                           ("PartNumber", "part_number", "The part number")):
        ensure(obj, "App::PropertyString", name, SUMMARY, tip)
        setattr(obj, name, summary.get(key, ""))
    if edited and obj.Description and report["name"].startswith(obj.Description):
        # The system describes an edited part by its new name before the user's suffix goes back
        # on; a length change describes it with the suffix, and so does an edit here.
        obj.Description = report["name"]
    ensure(obj, "App::PropertyArea", "SectionArea", SECTION, "Area of the section")
    obj.SectionArea = report["area_mm2"]
    set_mass(obj, report["mass_kg"])
    shape = Part.Shape()
    shape.importBrepFromString(record["brep"])
    keep_section_points(obj, shape)
    shape.Placement = placement_of(report["placement"])
    obj.Shape = shape
    obj.Label = unique_label(obj, report["name"])
