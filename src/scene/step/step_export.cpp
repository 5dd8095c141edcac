#include "step/step_export.h"

#include "file_output.h"
#include "runtime/file_replacement.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <Bnd_Box.hxx>
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
#include "step/body_solid.h"

namespace zembrati::scene {
namespace {

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
      const TDF_Label label = shapes->AddShape(BodySolid(*placed.body, placed.placement), false);
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
    Bnd_Box box;
    BRepBndLib::AddOptimal(solid.Current(), box, false, false);
    double xMin = 0, yMin = 0, zMin = 0, xMax = 0, yMax = 0, zMax = 0;
    box.Get(xMin, yMin, zMin, xMax, yMax, zMax);
    contents.boxes.push_back({xMin, yMin, zMin, xMax, yMax, zMax});
  }
  return contents;
}

}  // namespace zembrati::scene
