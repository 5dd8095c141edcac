# Runs the workbench's headless tests inside FreeCAD (freecadcmd), where FreeCAD, Part and the
# workbench (found in the Mod folder of $HOME) are what a user's FreeCAD has. freecadcmd ends
# with 0 after an uncaught error, so the result is given as the exit code here.
import os
import sys
import traceback
import unittest

here = os.environ["ZEMBRATI_FREECAD_TESTS"]
sys.path.insert(0, here)
try:
    import freecad_support  # found in the folder just added; it brings the workbench in
except BaseException:
    traceback.print_exc()
    os._exit(1)


def run_tests():
    suite = unittest.defaultTestLoader.discover(here, pattern="test_*.py")
    result = unittest.TextTestRunner(stream=sys.stdout, verbosity=2).run(suite)
    failed = len(result.failures) + len(result.errors)
    # FreeCAD's progress output ends without a line break.
    print("\n%d passed, %d failed" % (result.testsRun - failed - len(result.skipped), failed))
    return 0 if result.wasSuccessful() and result.testsRun else 1


freecad_support.exit_with_outcome(run_tests)
