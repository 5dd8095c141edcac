"""Where a steel part stands, as FreeCAD places things.

A part dropped on a face is attached to that face with FreeCAD's attachment (the part keeps its
offset from the face's plane, and follows when its support moves or changes: a beam on a
column's flange stays on the flange when the column becomes bigger). Every part can be attached
in FreeCAD's attachment editor to a face, an edge, a vertex or a sketch line, with an offset.

A member along an edge (of a part, a wire or a sketch) runs from the edge's start to its end, as
a member list's row between two points does: its axis along the edge, turned by its roll, with
the section's anchor point (one of the nine points of its box, or its centroid) on the axis. It
follows the edge: moved, turned or lengthened with it at every recompute.
"""
import FreeCAD

import zembrati_freecad

from . import properties

GROUP = "Zembrati placement"
ANCHORS = ["centroid", "top left", "top centre", "top right", "middle left", "middle centre", "middle right",
           "bottom left", "bottom centre", "bottom right"]
ORIENTATIONS = ["upright", "in plane"]
# How near a placement must be to the one its edge gives to be left as it is (mm, and radians
# for the turn), and the shortest edge a member runs along (mm).
TOLERANCE = 1e-6


def support_property(obj):
    """FreeCAD 1.0 calls the attachment's support AttachmentSupport; 0.20 calls it Support."""
    return "AttachmentSupport" if "AttachmentSupport" in obj.PropertiesList else "Support"


def add_attachment(obj):
    """Gives a new part FreeCAD's attachment, not attached (a part made before has none)."""
    if "MapMode" not in obj.PropertiesList:
        obj.addExtension("Part::AttachExtensionPython")


def is_attached(obj):
    return "MapMode" in obj.PropertiesList and obj.MapMode != "Deactivated"


def attach(obj, support, element, mode):
    """Attaches `obj` to `element` of `support` in `mode` ("FlatFace", "Translate", ...) where it
    stands now: the offset is what keeps it there."""
    add_attachment(obj)
    wanted = obj.Placement
    setattr(obj, support_property(obj), [(support, element)])
    obj.MapMode = mode
    obj.AttachmentOffset = FreeCAD.Placement()
    obj.positionBySupport()
    obj.AttachmentOffset = obj.Placement.inverse().multiply(wanted)
    obj.positionBySupport()


def follow_support(obj):
    """At a recompute: the attached part goes where its support puts it now."""
    if is_attached(obj):
        obj.positionBySupport()


# Members along edges

def edge_of(link):
    """The edge a PathEdge link names, in the document's coordinates; None when it is gone."""
    if not link or not link[1]:
        return None
    owner, elements = link[0], link[1]
    try:
        edge = owner.Shape.getElement(elements[0])
    except Exception:  # the sketch lost that edge
        return None
    return edge if edge.ShapeType == "Edge" else None


def ends_of(edge, reversed_=False):
    start, end = edge.valueAt(edge.FirstParameter), edge.valueAt(edge.LastParameter)
    return (end, start) if reversed_ else (start, end)


def anchor_point(obj, anchor):
    """The anchor of the part's section in its own coordinates (x and y of the section)."""
    low, high, centroid = obj.SectionPoints
    if anchor == "centroid":
        return FreeCAD.Vector(centroid.x, centroid.y, 0)
    row, column = anchor.split(" ")
    y = {"top": high.y, "middle": (low.y + high.y) / 2, "bottom": low.y}[row]
    x = {"left": low.x, "centre": (low.x + high.x) / 2, "right": high.x}[column]
    return FreeCAD.Vector(x, y, 0)


def plane_normal(owner):
    """The normal of the plane `owner`'s edges lie in (a sketch's, a flat wire's); None when they
    lie in no one plane."""
    if owner.TypeId.startswith("Sketcher::"):
        return owner.getGlobalPlacement().Rotation.multVec(FreeCAD.Vector(0, 0, 1))
    try:
        plane = owner.Shape.findPlane()
    except Exception:
        return None
    return plane.Axis if plane is not None else None


def in_plane_placement(start, end, normal, roll):
    """A member from `start` to `end` whose web (its section's y) lies in the plane with
    `normal`, its x along the normal, turned by `roll` degrees about its axis."""
    z = end - start
    if z.Length < TOLERANCE or normal is None:
        return None
    z.normalize()
    x = normal - z * normal.dot(z)
    if x.Length < TOLERANCE:
        return None
    x.normalize()
    y = z.cross(x)
    matrix = FreeCAD.Matrix(x.x, y.x, z.x, start.x, x.y, y.y, z.y, start.y, x.z, y.z, z.z, start.z, 0, 0, 0, 1)
    return FreeCAD.Placement(matrix).multiply(FreeCAD.Placement(FreeCAD.Vector(), FreeCAD.Rotation(FreeCAD.Vector(0, 0, 1), roll)))


def member_placement(obj, start, end):
    """Where a member from `start` to `end` stands with its roll and its anchor on the axis:
    upright as a member list's row stands (its web as near global +Z as the axis allows), or, in
    a frame, with its web in the plane of the sketch or wire its edge belongs to."""
    if obj.Orientation == "in plane":
        stands = in_plane_placement(start, end, plane_normal(obj.PathEdge[0]), obj.Roll.Value)
    else:
        values = zembrati_freecad.member_placement(list(start), list(end), obj.Roll.Value)
        stands = properties.placement_of(values) if values is not None else None
    if stands is None:
        return None
    shift = FreeCAD.Placement(anchor_point(obj, obj.Anchor) * -1, FreeCAD.Rotation())
    return stands.multiply(shift)


def add_path_properties(obj):
    if "PathEdge" in obj.PropertiesList:
        return
    obj.addProperty("App::PropertyLinkSub", "PathEdge", GROUP, "The edge or sketch line the member runs along")
    obj.addProperty("App::PropertyAngle", "Roll", GROUP, "The member turned about its axis, counterclockwise seen from its end")
    obj.addProperty("App::PropertyEnumeration", "Anchor", GROUP, "The point of the section that lies on the edge")
    obj.addProperty("App::PropertyBool", "Reversed", GROUP, "The member runs from the edge's end to its start")
    obj.addProperty("App::PropertyEnumeration", "Orientation", GROUP,
                    "upright: the web as near vertical as the edge allows; in plane: the web in the plane of the "
                    "sketch or wire (a frame's members)")
    obj.Anchor = ANCHORS
    obj.Anchor = "centroid"
    obj.Orientation = ORIENTATIONS
    obj.Orientation = "upright"


def place_along(obj, owner, element, roll=0.0, anchor="centroid", reversed_=False, orientation="upright"):
    """Makes `obj` a member along `element` of `owner`: it stands there now and follows it."""
    add_path_properties(obj)
    obj.PathEdge = (owner, [element])
    obj.Roll, obj.Anchor, obj.Reversed, obj.Orientation = roll, anchor, reversed_, orientation
    return follow_path(obj)


def path_wanted(obj):
    """The placement and length the member's edge gives it now; None without an edge."""
    if "PathEdge" not in obj.PropertiesList:
        return None
    edge = edge_of(obj.PathEdge)
    if edge is None:
        return None
    start, end = ends_of(edge, obj.Reversed)
    placement = member_placement(obj, start, end)
    if placement is None:
        return None
    return placement, (end - start).Length


def follow_path(obj):
    """Moves the member onto its edge; returns the length the edge wants (None: no edge)."""
    wanted = path_wanted(obj)
    if wanted is None:
        return None
    placement, length = wanted
    if not same_placement(obj.Placement, placement):
        obj.Placement = placement
    return length


def same_placement(a, b):
    turned = a.Rotation.multiply(b.Rotation.inverted())
    return (a.Base - b.Base).Length < TOLERANCE and abs(turned.Angle) < TOLERANCE
