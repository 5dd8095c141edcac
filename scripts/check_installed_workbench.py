# Run by freecadcmd in a fresh Debian tree where the Debian package is installed beside FreeCAD
# alone (scripts/check-installed-package.sh): FreeCAD finds the workbench in the package's Mod
# folder, and its insert command makes an HEA 200 x 1500 of the exact section. Prints "PASSED: ..."
# or the failure; freecadcmd ends with 0 after an uncaught error, so the result is the exit code.
import os
import sys
import traceback

INSTALLED = "/usr/share/freecad/Mod/Zembrati"
HEA200_AREA = 5383.124  # mm², the drawn section with its root radii (tables: 53.8 cm²)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))  # the dialog's scripted user
try:
    import freecad_support as support  # it brings the installed workbench in
except BaseException:
    traceback.print_exc()
    os._exit(1)


def check():
    import FreeCAD
    from zembrati_workbench import operations, session

    if session.WORKBENCH_DIR != INSTALLED:
        raise AssertionError("the workbench was found in %s, not %s" % (session.WORKBENCH_DIR, INSTALLED))
    doc = FreeCAD.newDocument("Installed")
    outcome = operations.insert(doc, ui=support.hea())
    part = doc.Objects[-1] if doc.Objects else None
    if part is None or part.Label != "HEA 200 x 1500":
        raise AssertionError("no HEA 200 x 1500 was inserted: %s" % (outcome,))
    if abs(part.Shape.Volume - HEA200_AREA * 1500) > 1:
        raise AssertionError("its volume is %.1f mm³" % part.Shape.Volume)
    passed = "PASSED: FreeCAD %s inserts %s (%.0f cm³) through the workbench in %s\n" % (
        ".".join(FreeCAD.Version()[:3]), part.Label, part.Shape.Volume / 1000, INSTALLED)
    os.write(1, passed.encode("utf-8"))  # whatever the locale, or its absence, says of the output
    return 0


support.exit_with_outcome(check)
