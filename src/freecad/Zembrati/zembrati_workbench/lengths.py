"""Lengths as FreeCAD users type them: a number of millimetres, or a quantity with its unit
("3 m", "120 in", "2 ft + 3 in"), with the decimal separator of the user's locale."""
import FreeCAD


class NotALength(ValueError):
    """What the user typed is no length; the message says what to type instead."""


def millimetres(text, decimal_point="."):
    """The length `text` gives, in mm. A bare number is millimetres, as the system's own length
    field takes it. Raises NotALength for anything else than a length above zero."""
    typed = text.strip()
    if not typed:
        raise NotALength("Give the part's length: millimetres, or a length with its unit, as 1500, 3 m or 120 in.")
    if decimal_point != ".":
        typed = typed.replace(decimal_point, ".")
    try:
        quantity = FreeCAD.Units.Quantity(typed)
    except Exception:
        raise NotALength("%s is not a length: give millimetres, or a length with its unit, as 1500, 3 m or 120 in."
                         % text.strip())
    if quantity.Unit not in (FreeCAD.Units.Unit(), FreeCAD.Units.Unit(FreeCAD.Units.Length)):
        raise NotALength("%s is not a length but a %s: give millimetres, or a length with its unit, as 1500, 3 m or 120 in."
                         % (text.strip(), quantity.Unit.Type.lower() or "quantity of another kind"))
    value = quantity.Value
    if not value >= 0.5:  # parts are whole millimetres long, and at least one
        raise NotALength("%s: a part must be at least 1 mm long." % text.strip())
    return value


def system_text(mm):
    """A length in mm as the system's length field takes it: a plain number with a full stop."""
    return ("%.6f" % mm).rstrip("0").rstrip(".")


def shown(mm):
    return "%s mm" % system_text(mm)
