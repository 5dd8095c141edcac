#include "step/step_export.h"

#include "file_output.h"
#include "runtime/file_replacement.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRep_Builder.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Reader.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <STEPControl_Writer.hxx>
#include <StepBasic_Product.hxx>
#include <StepData_StepModel.hxx>
#include <TCollection_ExtendedString.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_MaterialTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XSControl_WorkSession.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Circ.hxx>
#include <gp_Pln.hxx>
#include <gp_Quaternion.hxx>
#include <gp_Trsf.hxx>
#include <cmath>
#include <map>
#include <numbers>

#include "scene_error.h"
#include "section/section_properties.h"

namespace zembrati::scene {
namespace {

// The modeller prints banners on its messenger; this program speaks for itself.
void SilenceModeller() {
  static const bool silenced = [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    return true;
  }();
  (void)silenced;
}

gp_Pnt At(Point2 p) { return gp_Pnt(p.x, p.y, 0); }

TopoDS_Edge EdgeOf(const BoundaryElement& e) {
  if (e.kind == BoundaryElement::Kind::Line) return BRepBuilderAPI_MakeEdge(At(e.from), At(e.to));
  const gp_Ax2 axis(At(e.centre), e.sweep > 0 ? gp::DZ() : -gp::DZ());
  const gp_Circ circle(axis, e.radius);
  if (std::fabs(std::fabs(e.sweep) - 2 * std::numbers::pi) < 1e-12) return BRepBuilderAPI_MakeEdge(circle);
  const double t = std::atan2(e.from.y - e.centre.y, e.from.x - e.centre.x) + e.sweep / 2;
  const gp_Pnt middle(e.centre.x + e.radius * std::cos(t), e.centre.y + e.radius * std::sin(t), 0);
  return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(At(e.from), middle, At(e.to)).Value());
}

// The wire of a boundary, turned so that it runs counter-clockwise for the outline and
// clockwise for a hole, as a face with holes needs.
TopoDS_Wire WireOf(const Boundary& boundary, bool counterClockwise) {
  BRepBuilderAPI_MakeWire wire;
  for (const BoundaryElement& e : boundary.elements) wire.Add(EdgeOf(e));
  if (!wire.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not join a loop's edges");
  TopoDS_Wire result = wire.Wire();
  if ((MomentsOf(boundary).area > 0) != counterClockwise) result.Reverse();
  return result;
}

// The modeller works in a bounded space: a coordinate that is not finite, or one far beyond any
// building, makes it fail in ways it does not report. 1e9 mm is a thousand kilometres.
constexpr double kModellingRange = 1e9;

void CheckInModellingRange(double value, const std::string& what) {
  if (!std::isfinite(value) || std::fabs(value) > kModellingRange) {
    RaiseSceneError(scene_error::kNonFinite, what + " lies outside the range the modeller works in (" +
                                                 std::to_string(value) + " mm)");
  }
}

TopoDS_Shape SolidOf(const Node& body, const RigidTransform& placement) {
  if (!body.section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid to export");
  const std::string what = "The body \"" + body.name + "\"";
  CheckInModellingRange(body.length, what);
  for (const double v : {placement.translation.x, placement.translation.y, placement.translation.z}) {
    CheckInModellingRange(v, what);
  }
  const Box2& box = body.section->box;
  for (const double v : {box.minX, box.minY, box.maxX, box.maxY}) CheckInModellingRange(v, what);
  for (const double v : placement.rotation) CheckInModellingRange(v, what);
  BRepBuilderAPI_MakeFace face(gp_Pln(gp::XOY()), WireOf(body.section->outline, true));
  for (const Boundary& hole : body.section->holes) face.Add(WireOf(hole, false));
  if (!face.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not make the section face");
  const TopoDS_Shape prism = BRepPrimAPI_MakePrism(face.Face(), gp_Vec(0, 0, body.length)).Shape();
  if (!BRepCheck_Analyzer(prism).IsValid()) {
    RaiseSceneError(scene_error::kBadLoopLayout, "The modeller found the solid of \"" + body.name + "\" invalid");
  }
  gp_Trsf transform;
  const auto& q = placement.rotation;
  transform.SetRotation(gp_Quaternion(q[1], q[2], q[3], q[0]));
  transform.SetTranslationPart(gp_Vec(placement.translation.x, placement.translation.y, placement.translation.z));
  return BRepBuilderAPI_Transform(prism, transform, true).Shape();
}

// Steel's density in the unit the material record states it in (g/cm³).
constexpr double kSteelDensity = 7.85;

// A product's id is its part's part number where the part has one: the name says which part, the
// id what to order.
void SetProductIds(const Handle(Interface_InterfaceModel) & model, const std::map<std::string, std::string>& partNumbers) {
  if (partNumbers.empty()) return;
  for (Standard_Integer i = 1; i <= model->NbEntities(); ++i) {
    const Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(model->Value(i));
    if (product.IsNull() || product->Name().IsNull()) continue;
    const auto found = partNumbers.find(product->Name()->ToCString());
    if (found != partNumbers.end()) product->SetId(new TCollection_HAsciiString(found->second.c_str()));
  }
}

// The writer writes to the replacement's temporary file, which then takes the target's place.
void WriteThroughReplacement(STEPControl_Writer& writer, const std::string& path) {
  try {
    runtime::FileReplacement replacement(path);
    if (writer.Write(replacement.temporary().c_str()) != IFSelect_RetDone) {
      RaiseSceneError(scene_error::kBadDocument, "Cannot write the STEP file " + path + "; the file was left as it was");
    }
    replacement.Commit();
  } catch (const automation::HostError&) {
    throw;
  } catch (const runtime::RuntimeError& error) {
    RaiseCannotWrite(path, error, "STEP file");
  }
}

}  // namespace

void WriteStep(const std::vector<PlacedBody>& bodies, const std::string& path) {
  SilenceModeller();
  try {
    // A document of named shapes, so that a reading CAD program shows each solid by its part.
    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
    const Handle(XCAFDoc_MaterialTool) materials = XCAFDoc_DocumentTool::MaterialTool(document->Main());
    std::map<std::string, std::string> partNumbers;
    for (const PlacedBody& placed : bodies) {
      const TDF_Label label = shapes->AddShape(SolidOf(*placed.body, placed.placement), false);
      const std::string name = placed.name.empty() ? placed.body->name : placed.name;
      TDataStd_Name::Set(label, TCollection_ExtendedString(name.c_str(), true));
      if (!placed.partNumber.empty()) partNumbers[name] = placed.partNumber;
      if (!placed.material.empty()) {
        materials->SetMaterial(label, new TCollection_HAsciiString(placed.material.c_str()),
                               new TCollection_HAsciiString("steel"), kSteelDensity,
                               new TCollection_HAsciiString("density"),
                               new TCollection_HAsciiString("POSITIVE_RATIO_MEASURE"));
      }
    }
    STEPCAFControl_Writer writer;
    writer.SetNameMode(true);
    writer.SetMaterialMode(true);
    Interface_Static::SetCVal("write.step.unit", "MM");
    if (!writer.Transfer(document, STEPControl_AsIs)) {
      RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not translate the solids to STEP");
    }
    SetProductIds(writer.ChangeWriter().Model(), partNumbers);
    WriteThroughReplacement(writer.ChangeWriter(), path);
    document->Close();
  } catch (const Standard_Failure& failure) {
    RaiseSceneError(scene_error::kBadLoopLayout,
                    std::string("The modeller failed: ") + failure.GetMessageString());
  }
}

StepContents ReadStepContents(const std::string& path) {
  SilenceModeller();
  STEPControl_Reader reader;
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
    RaiseSceneError(scene_error::kBadDocument, "Cannot read the STEP file " + path);
  }
  reader.TransferRoots();
  StepContents contents;
  const Handle(Interface_InterfaceModel) model = reader.WS()->Model();
  for (Standard_Integer i = 1; i <= model->NbEntities(); ++i) {
    const Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(model->Value(i));
    if (product.IsNull()) continue;
    contents.names.push_back(product->Name().IsNull() ? "" : product->Name()->ToCString());
    contents.ids.push_back(product->Id().IsNull() ? "" : product->Id()->ToCString());
  }
  for (TopExp_Explorer solid(reader.OneShape(), TopAbs_SOLID); solid.More(); solid.Next()) {
    GProp_GProps properties;
    BRepGProp::VolumeProperties(solid.Current(), properties);
    contents.volume += properties.Mass();
    ++contents.solids;
  }
  return contents;
}

}  // namespace zembrati::scene
