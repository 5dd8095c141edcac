#include "step/brep_text.h"

#include <BRepTools.hxx>
#include <Standard_Failure.hxx>

#include <sstream>

#include "scene_error.h"
#include "step/body_solid.h"

namespace zembrati::scene {

std::string SolidBrepText(const Node& body, const RigidTransform& placement) {
  SilenceModeller();
  try {
    std::ostringstream text;
    BRepTools::Write(BodySolid(body, placement), text);
    return text.str();
  } catch (const Standard_Failure& failure) {
    RaiseSceneError(scene_error::kBadLoopLayout, std::string("The modeller failed: ") + failure.GetMessageString());
  }
}

}  // namespace zembrati::scene
