# Parts of the build that need a package a machine may lack (the solid modeller, FreeCAD, Xvfb)
# are left out with a note, so that the command line builds with little. The test command sets
# ZEMBRATI_REQUIRE_ALL so that a package missing there stops the build instead of quietly
# skipping the tests that need it.
option(ZEMBRATI_REQUIRE_ALL "Stop at configure time when a part of the build must be left out for a missing package" OFF)

# Says that `what` is left out because `reason`: a note, or the end of configuring when every part
# is required.
function(zembrati_left_out what reason)
  if(ZEMBRATI_REQUIRE_ALL)
    message(FATAL_ERROR "${reason}: cannot build ${what} (install the packages scripts/install-packages.sh lists)")
  endif()
  message(STATUS "${reason}: building without ${what}")
endfunction()
