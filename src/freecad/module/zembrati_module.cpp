// The Python module the FreeCAD workbench imports: the system's operations on parts, the dialog
// as its Qt widgets see it, and the pictures of the section types.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "automation/host_error.h"
#include "dialog_window.h"
#include "dimension_panel.h"
#include "geometry/section_types.h"
#include "member_axes.h"
#include "part_operations.h"
#include "runtime/runtime_error.h"

namespace py = pybind11;
using zembrati::freecad::DialogWindow;
using zembrati::freecad::DropTarget;
using zembrati::freecad::FreecadPart;
using zembrati::freecad::SessionSetup;

namespace {

FreecadPart PartFrom(const py::dict& part) {
  FreecadPart result;
  result.document = part["document"].cast<std::string>();
  result.label = part["label"].cast<std::string>();
  result.placement = part["placement"].cast<std::array<double, 7>>();
  if (part.contains("key")) result.key = part["key"].cast<std::string>();
  return result;
}

std::vector<FreecadPart> PartsFrom(const py::list& parts) {
  std::vector<FreecadPart> given;
  for (const py::handle& part : parts) given.push_back(PartFrom(part.cast<py::dict>()));
  return given;
}

std::vector<zembrati::freecad::FreecadJoint> JointsFrom(const py::list& joints) {
  std::vector<zembrati::freecad::FreecadJoint> wanted;
  for (const py::handle& item : joints) {
    const py::dict joint = item.cast<py::dict>();
    wanted.push_back({joint["member"].cast<std::size_t>(), joint["other"].cast<std::size_t>(), joint["end"].cast<std::string>(),
                      joint["kind"].cast<std::string>(), joint["gap"].cast<double>(), joint["extend"].cast<double>(),
                      joint["plane"].cast<bool>()});
  }
  return wanted;
}

zembrati::scene::Vector3 VectorFrom(const py::handle& value) {
  const auto v = value.cast<std::array<double, 3>>();
  return {v[0], v[1], v[2]};
}

// The outline loops of a type's typical size, in mm: what its icon shows.
std::vector<std::vector<std::array<double, 2>>> TypePicture(std::int16_t typeCode) {
  if (zembrati::geometry::FindSectionType(typeCode) == nullptr) throw py::value_error("no section type " + std::to_string(typeCode));
  std::vector<std::vector<std::array<double, 2>>> loops;
  for (const auto& loop : zembrati::panel::PictureLoops(typeCode, zembrati::geometry::SampleDims(typeCode))) {
    auto& points = loops.emplace_back();
    for (const auto& p : loop) points.push_back({p.x, p.y});
  }
  return loops;
}

}  // namespace

PYBIND11_MODULE(zembrati_freecad, m) {
  m.doc() = "Standard steel sections for FreeCAD: the system's parts, its dialog and its pictures";

  // A runtime or host error that escapes an operation (a part document that cannot be read)
  // reaches Python as ZembratiError, with the system's number and description.
  // The exception type lives as long as the interpreter, so the translator holds it without a
  // reference count of its own.
  static py::exception<std::runtime_error> error(m, "ZembratiError");
  py::register_exception_translator([](std::exception_ptr raised) {
    try {
      if (raised) std::rethrow_exception(raised);
    } catch (const zembrati::runtime::RuntimeError& e) {
      const std::string message = "Error " + std::to_string(e.number()) + ": " + e.description();
      PyErr_SetString(error.ptr(), message.c_str());
    }
  });

  py::class_<SessionSetup>(m, "SessionSetup")
      .def(py::init([](std::string settingsFile, std::string language, std::string prefsFile) {
             return SessionSetup{std::move(settingsFile), std::move(language), std::move(prefsFile)};
           }),
           py::arg("settings_file"), py::arg("language") = "", py::arg("prefs_file") = "")
      .def_readonly("settings_file", &SessionSetup::settingsFile)
      .def_readonly("language", &SessionSetup::language)
      .def_readonly("prefs_file", &SessionSetup::prefsFile);

  py::class_<DialogWindow, std::shared_ptr<DialogWindow>>(m, "DialogWindow",
                                                           "The selection dialog as the widgets see it")
      .def("state_json", &DialogWindow::StateJson)
      .def("choose_family", &DialogWindow::ChooseFamily, py::arg("index"))
      .def("choose_type", &DialogWindow::ChooseType, py::arg("index"))
      .def("select", &DialogWindow::Select, py::arg("list"), py::arg("index"))
      .def("type_length", &DialogWindow::TypeLength, py::arg("text"))
      .def("press", &DialogWindow::Press, py::arg("button"))
      .def("close", &DialogWindow::Close)
      .def_property_readonly("closed", &DialogWindow::Closed);

  m.def(
      "insert_part",
      [](const SessionSetup& setup, py::object ui, const py::object& onto) {
        std::optional<DropTarget> target;
        if (!onto.is_none()) {
          const py::dict where = onto.cast<py::dict>();
          target = DropTarget{};
          target->scenePoint = VectorFrom(where["scene_point"]);
          if (where.contains("part") && !where["part"].is_none()) {
            target->part = PartFrom(where["part"].cast<py::dict>());
            target->pickPoint = VectorFrom(where["pick_point"]);
            target->normal = VectorFrom(where["normal"]);
          }
        }
        return zembrati::freecad::InsertPart(setup, std::move(ui), target);
      },
      py::arg("setup"), py::arg("ui"), py::arg("onto") = py::none(),
      "Drops a catalogue item: at the origin, at a point ({scene_point}), or onto a face of a part "
      "({part, scene_point, pick_point, normal}). "
      "Returns the result as JSON.");
  m.def(
      "edit_part",
      [](const SessionSetup& setup, py::object ui, const py::dict& part) {
        return zembrati::freecad::EditPart(setup, std::move(ui), PartFrom(part));
      },
      py::arg("setup"), py::arg("ui"), py::arg("part"),
      "Opens the dialog on a part's stored choices ({document, label, placement}). Returns the result as JSON.");
  m.def(
      "set_part_length",
      [](const SessionSetup& setup, py::object ui, const py::dict& part, double length) {
        return zembrati::freecad::SetPartLength(setup, std::move(ui), PartFrom(part), length);
      },
      py::arg("setup"), py::arg("ui"), py::arg("part"), py::arg("length"),
      "Regenerates a part whose length the host changed. Returns the result as JSON.");
  m.def(
      "solve_joints",
      [](const py::list& parts, const py::list& joints) { return zembrati::freecad::SolveJoints(PartsFrom(parts), JointsFrom(joints)); },
      py::arg("parts"), py::arg("joints"),
      "Solves joints between parts ([{document, label, placement}]) as the system does: joints "
      "[{member, other (places in parts), end ('start', 'end' or ''), kind ('mitre', 'butt', 'cope'), "
      "gap, extend, plane}]. Returns every part's report and cut solid, and the joints that could not "
      "be made, as JSON.");
  m.def(
      "export_ifc",
      [](const py::list& parts, const py::list& joints, const std::string& path, const std::string& name,
         const std::string& timeStamp) {
        return zembrati::freecad::ExportIfc(PartsFrom(parts), JointsFrom(joints), {path, name, timeStamp});
      },
      py::arg("parts"), py::arg("joints"), py::arg("path"), py::arg("name"), py::arg("time_stamp"),
      "Writes the parts ([{document, label, placement, key}], key: what the part's GlobalId is made "
      "from) with their joints (as solve_joints takes them) as one IFC4 file, the project named "
      "`name`. Returns {ok, error, notes, problems} as JSON.");
  m.def(
      "cutting_list",
      [](const py::list& parts, const py::list& joints, const std::vector<double>& stock, double kerf, double trim) {
        return zembrati::freecad::CuttingList(PartsFrom(parts), JointsFrom(joints), {stock, kerf, trim});
      },
      py::arg("parts"), py::arg("joints"), py::arg("stock") = std::vector<double>{}, py::arg("kerf") = 0.0, py::arg("trim") = 0.0,
      "The parts ([{document, label, placement}]) with their joints (as solve_joints takes them) as the "
      "shop cuts them: every piece, the cutting list, and with stock lengths in mm the bars to order "
      "nested with the kerf and trim. Returns {ok, error, pieces, lines, order, nesting, problems} as JSON.");
  m.def(
      "member_placement",
      [](const py::handle& start, const py::handle& end, double rollDegrees) -> py::object {
        const auto placement = zembrati::scene::MemberPlacement(VectorFrom(start), VectorFrom(end), rollDegrees);
        if (!placement) return py::none();
        return py::cast(placement->ToPlacement());
      },
      py::arg("start"), py::arg("end"), py::arg("roll") = 0.0,
      "How a member from `start` to `end` (mm) stands, turned `roll` degrees about its axis, as the "
      "command line's member lists place it: [x, y, z, w, qx, qy, qz], or None for no length.");
  m.def("type_picture", &TypePicture, py::arg("type_code"),
        "The outline loops of the type's typical section, in mm (outline first)");
  m.def(
      "type_names",
      [] {
        std::vector<std::string> names;
        for (const auto& type : zembrati::geometry::SectionTypes()) names.emplace_back(type.shortName);
        return names;
      },
      "The short names of the twelve section types, by type code from 1");
}
