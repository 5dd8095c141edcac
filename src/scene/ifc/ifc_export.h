#pragma once

#include <string>
#include <vector>

#include "document.h"

// The scene's steel handed to BIM tools as IFC4: each part a beam, column or member with its
// profile (parametric where IFC has the shape), its material, its exact solid (end cuts as
// clippings and Boolean differences), its axis and its quantities.
namespace zembrati::ifc {

struct IfcPart {
  scene::NodePtr part;
  // What the part's GlobalId is made from: a key that stays the part's own through edits (its
  // identity in the scene, its object's name in FreeCAD).
  std::string key;
};

struct IfcModel {
  std::string name;       // the project's, building's and storey's: the scene's
  std::string timeStamp;  // the file's, ISO 8601 (the scene's own, so that an export repeats exactly)
  std::vector<IfcPart> parts;
};

// The file's text. `notes` receives what the user should know: a part written with its exact
// outline because its stored data names no profile of its type, a part without a solid left
// out, a coped member written as facets.
std::string IfcText(const IfcModel& model, std::vector<std::string>& notes);

// Writes the file whole or not at all (a failure leaves whatever was there). Raises a host error
// when it cannot be written or no part has a solid. Returns the notes.
std::vector<std::string> WriteIfc(const IfcModel& model, const std::string& path);

}  // namespace zembrati::ifc
