#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

// What IFC++ (Debian's IFC reader, which this project did not write) makes of an IFC file: its
// entities by class, and for every beam, column and member what a BIM tool would show of it.
namespace zembrati::testing {

struct IfcProductRead {
  std::string entity;  // IfcBeam, IfcColumn, IfcMember
  std::string globalId, name, tag;
  std::string typeEntity, typeName;  // the type object it is typed by
  std::string material;              // the material of its profile set usage's profile
  std::string profileEntity, profileName;
  int cardinalPoint = 0;
  // The profile's attributes as IFC++ parsed them (FlangeSlope in the file's angle unit,
  // FlangeThickness, FilletRadius, FlangeEdgeRadius or EdgeRadius), and for an outline given as
  // indexed poly curves (which IFC++ does not draw), the area they enclose, worked out here from
  // the parsed points, lines and three-point arcs.
  std::map<std::string, double> profileAttributes;
  double outlineAreaMm2 = 0;
  std::string containedIn;  // the spatial element that contains it
  std::map<std::string, double> quantities;        // "Qto_BeamBaseQuantities.Length"
  std::map<std::string, std::string> properties;   // "Pset_BeamCommon.Reference"
  double volumeMm3 = 0;                             // of IFC++'s own meshes of the Body
  std::array<double, 6> box{};                      // their box in the model, mm
  bool hasAxis = false;                             // an Axis representation beside the Body
};

struct IfcFileRead {
  int entities = 0;
  std::map<std::string, int> counts;  // by class name, IfcBeam: 3
  std::vector<IfcProductRead> products;
  std::string schema;
};

// Reads a file with IFC++ and builds its geometry. The reader needs the en_US.UTF-8 locale (it
// reads nothing without it): LOCPATH is pointed at the one made in the build tree.
IfcFileRead ReadIfcWithIfcpp(const std::string& path);

}  // namespace zembrati::testing
