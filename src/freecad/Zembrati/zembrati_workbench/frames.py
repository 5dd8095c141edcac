"""A frame from a sketch or a wire: one member of the section chosen once along every straight
edge, joined (mitre or butt, by the joint library) wherever two edges meet end to end, and butted
where an edge ends on the middle of another.

Each member follows its edge (see placement) and each joint its two members, so that editing the
sketch moves, lengthens and re-cuts the frame at the next recompute.
"""
import re

import Part

import zembrati_freecad

from . import joints, operations, placement, properties, texts

KINDS = ["mitre", "butt"]
# How near two edge ends must be to meet (mm).
MEETING = 1e-3


class Outcome(operations.Outcome):
    """The members and joints made, and what the user should know (edges left out, joints that
    could not be made)."""

    def __init__(self, objects=(), error=None, messages=()):
        super().__init__(objects, error)
        self.messages = list(messages)


def is_straight(edge):
    return isinstance(edge.Curve, (Part.Line, Part.LineSegment))


def edges_of(owner):
    """The straight edges of `owner` by name ("Edge1", ...), and the names of the others."""
    straight, others = [], []
    for index, edge in enumerate(owner.Shape.Edges, 1):
        (straight if is_straight(edge) else others).append(("Edge%d" % index, edge))
    return straight, [name for name, _ in others]


def end_points(edge):
    return edge.Vertexes[0].Point, edge.Vertexes[-1].Point


def meetings(edges):
    """The pairs of edges (by place in `edges`) that meet end to end. Where more than two edges
    meet at a point, the first two are joined, and the others are told as (point, edge)."""
    ends = [(index, point) for index, (_, edge) in enumerate(edges) for point in end_points(edge)]
    pairs, crowded = [], []
    for index, point in ends:
        group = sorted({other for other, there in ends if (there - point).Length < MEETING} | {index})
        if len(group) < 2:
            continue
        if (group[0], group[1]) not in pairs:
            pairs.append((group[0], group[1]))
        for extra in group[2:]:
            if not any(e == extra and (p - point).Length < MEETING for p, e in crowded):
                crowded.append((point, extra))
    return pairs, crowded


def tees(edges, pairs):
    """The edges (by place) that end on the middle of another: (ending, through) pairs, each
    butted onto the one it ends on whatever the corners' joint."""
    found = []
    for index, (_, edge) in enumerate(edges):
        for point in end_points(edge):
            for other, (_, through) in enumerate(edges):
                if other == index or (min(index, other), max(index, other)) in pairs:
                    continue
                on_middle = all((e - point).Length >= MEETING for e in end_points(through))
                if on_middle and through.distToShape(Part.Vertex(point))[0] < MEETING:
                    found.append((index, other))
    return found


def mark_of(owner, edge_name):
    return "%s-%s" % (re.sub(r"\s+", "", owner.Label) or "Frame", edge_name[len("Edge"):])


def record_of_length(record, length):
    """The part `record` describes, made again `length` long (a whole number of millimetres)."""
    if record["report"]["length_mm"] == length:
        return record
    part = {"document": record["document"], "label": record["report"]["name"], "placement": record["report"]["placement"]}
    result, _ = operations.with_length(part, length)
    if not result["completed"]:
        raise ValueError(result["error"]["description"] if result["error"] else "the system did not make a part %g mm long" % length)
    return result["parts"][0]


def make(owner, kind="mitre", doc=None, ui=None):
    """The frame along the straight edges of `owner` (a sketch, a wire, any object with edges):
    the dialog chooses the section once, opening on the first edge's length. Returns the Outcome;
    raises ValueError when `owner` has no straight edge or `kind` is no joint kind."""
    if kind not in KINDS:
        raise ValueError("no frame joint %r: give mitre or butt" % kind)
    doc = doc or owner.Document
    edges, curved = edges_of(owner)
    if not edges:
        raise ValueError("%s has no straight edge to run a member along" % owner.Label)
    ui = operations.PresetLength(ui or operations.windows(texts.text("frame_members", len(edges), owner.Label)),
                                 edges[0][1].Length)
    result = operations.run(zembrati_freecad.insert_part, ui, None)
    if not result["completed"]:
        return Outcome(error=result["error"])
    first = result["parts"][0]
    records = [record_of_length(first, round(edge.Length)) for _, edge in edges]
    pairs, crowded = meetings(edges)
    ending = tees(edges, pairs)

    def add_frame():
        members, made = [], []
        try:
            for (name, _), record in zip(edges, records):
                member = operations.new_part(doc, record)
                made.append(member)
                members.append(member)
                # Each member is marked after its line ("Sketch-1"), a suffix of the user's own
                # as far as edits and length changes are concerned.
                member.Label = properties.unique_label(member, "%s %s" % (member.Label, mark_of(owner, name)))
                placement.place_along(member, owner, name, orientation="in plane")
            for i, j in pairs:
                made.append(joints.add(members[i], members[j], "mitre") if kind == "mitre"
                            else joints.add(members[j], members[i], "butt"))
            for i, j in ending:
                made.append(joints.add(members[i], members[j], "butt"))
            joints.solve(doc)
        except Exception:
            for obj in reversed(made):
                doc.removeObject(obj.Name)
            raise
        return made

    made = operations.in_transaction(doc, "Frame from sketch", add_frame)
    doc.recompute()
    messages = ["%s is not straight: no member runs along it" % name for name in curved]
    messages += ["%s meets two others at (%.1f, %.1f, %.1f): it is not joined there" % (edges[extra][0], p.x, p.y, p.z)
                 for p, extra in crowded]
    messages += ["%s: %s" % (obj.Label, obj.Problem) for obj in made if joints.is_joint(obj) and obj.Problem]
    return Outcome(made, messages=messages)
