#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "rigid_transform.h"

// The three things a FreeCAD user does with the system's parts (insert one, edit one, change its
// length), each run as the host's call into the system against a scratch document of the
// built-in host. A FreeCAD part object keeps its part as a one-part document of that host; the
// operation loads it, with the name and placement the part has in FreeCAD now, and hands back
// what the system made of it.
namespace zembrati::freecad {

// Where the system finds its settings and keeps the dialog's preferences.
struct SessionSetup {
  std::string settingsFile;
  std::string language;   // "English", "German", "Italian", or empty for the settings' own
  std::string prefsFile;  // empty: where the settings say
};

// A part as FreeCAD holds it: its one-part document, its label and its placement
// (P1..P3 the position, P4..P7 the rotation w, x, y, z).
struct FreecadPart {
  std::string document;
  std::string label;
  std::string key;  // what exchanged files know the object by: its name in the FreeCAD document
  std::array<double, 7> placement{0, 0, 0, 1, 0, 0, 0};
};

// Where the user dropped the catalogue item: on a face of one of the system's parts (the point
// in the scene, and the point and outward normal in the part's own coordinates), or at a point
// of anything else.
struct DropTarget {
  std::optional<FreecadPart> part;
  scene::Vector3 scenePoint;
  scene::Vector3 pickPoint;
  scene::Vector3 normal{0, 0, 1};
};

// Each operation shows its windows through `ui` (see PythonUi) and answers with one JSON text:
// {"ok", "error": {"number", "description"} or null, "completed", "parts": [{"report",
// "document", "brep"}]}. "completed" is true when the system made or changed a part; "parts"
// are the parts it made (insert), the part that replaces the edited one, or the part whose
// length changed. A Python error raised by `ui` is raised again once the system has returned.
std::string InsertPart(const SessionSetup& setup, pybind11::object ui, const std::optional<DropTarget>& onto);
std::string EditPart(const SessionSetup& setup, pybind11::object ui, const FreecadPart& part);
std::string SetPartLength(const SessionSetup& setup, pybind11::object ui, const FreecadPart& part, double length);

// A joint between two of the parts given to SolveJoints, by their places in that list; `end` is
// "start", "end" or empty (the end nearer the other part).
struct FreecadJoint {
  std::size_t member = 0, other = 0;
  std::string end, kind;
  double gap = 0, extend = 0;
  bool onFacePlane = false;
};

// Solves joints between FreeCAD's parts as the system solves a scene's: the parts placed where
// FreeCAD has them, each joint checked and solved into the cuts of its members. Answers with one
// JSON text: {"ok", "error", "parts": [{"report", "brep"}] (every part given, cut or not, its
// solid in its own coordinates), "problems": [{"joint", "reason"}] (the joints that could not be
// made, whose ends are left square)}.
std::string SolveJoints(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints);

// Where an IFC export goes and what it is called: the file, the project's name (the FreeCAD
// document's) and the time the file gives (the document's last change, so that the same document
// exported twice gives the same file).
struct IfcTarget {
  std::string path, name, timeStamp;
};

// Writes the parts, their joints solved as SolveJoints solves them, as one IFC4 file; each part's
// GlobalId is made from its key. Answers {"ok", "error", "notes" (what the user should know of
// the parts written), "problems" (as SolveJoints)}; a file that cannot be written is left as it
// was.
std::string ExportIfc(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints, const IfcTarget& target);

// What the shop buys the parts' steel in, when the user gives stock lengths (none: no nesting).
struct StockRequest {
  std::vector<double> stockMm;
  double kerfMm = 0, trimMm = 0;
};

// The parts as the shop cuts them, their joints solved as SolveJoints solves them, through the
// same library as the command line's `bom`. Answers {"ok", "error", "pieces": [{"name", "mark",
// "standard", "designation", "material", "cut_length_mm", "start_angle_web_deg",
// "start_angle_flange_deg", "end_angle_web_deg", "end_angle_flange_deg", "mass_kg"}], "lines"
// (the cutting list as `bom --json` gives it), and with stock lengths "order" and "nesting" as
// `bom --stock --json` gives them, "problems" (as SolveJoints)}.
std::string CuttingList(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints, const StockRequest& stock);

}  // namespace zembrati::freecad
