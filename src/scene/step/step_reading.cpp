#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_InterfaceModel.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPControl_Reader.hxx>
#include <StepBasic_Product.hxx>
#include <StepRepr_NextAssemblyUsageOccurrence.hxx>
#include <StepShape_ManifoldSolidBrep.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XSControl_WorkSession.hxx>

#include "scene_error.h"
#include "step/body_solid.h"
#include "step/step_export.h"

namespace zembrati::scene {
namespace {

std::string NameOf(const TDF_Label& label) {
  Handle(TDataStd_Name) name;
  if (!label.FindAttribute(TDataStd_Name::GetID(), name)) return {};
  const TCollection_ExtendedString& text = name->Get();
  std::string utf8(static_cast<std::size_t>(text.LengthOfCString()), '\0');
  Standard_PCharacter buffer = utf8.data();
  text.ToUTF8CString(buffer);
  utf8.resize(std::char_traits<char>::length(utf8.c_str()));
  return utf8;
}

StepSolidRead Measured(const TopoDS_Shape& solid, std::string name) {
  StepSolidRead read{std::move(name)};
  GProp_GProps properties;
  BRepGProp::VolumeProperties(solid, properties);
  read.volume = properties.Mass();
  Bnd_Box box;
  BRepBndLib::AddOptimal(solid, box, false, false);
  auto& b = read.box;
  box.Get(b[0], b[1], b[2], b[3], b[4], b[5]);
  return read;
}

// The solids under a label, each placed by the locations of the instances above it and named
// after the nearest instance (or the product, outside any assembly).
void CollectSolids(const TDF_Label& label, const TopLoc_Location& location,
                   const std::string& name, StepContents& contents) {
  if (XCAFDoc_ShapeTool::IsAssembly(label)) {
    TDF_LabelSequence components;
    XCAFDoc_ShapeTool::GetComponents(label, components, false);
    for (Standard_Integer i = 1; i <= components.Length(); ++i) {
      TDF_Label product;
      if (!XCAFDoc_ShapeTool::GetReferredShape(components.Value(i), product)) continue;
      CollectSolids(product, location * XCAFDoc_ShapeTool::GetLocation(components.Value(i)), NameOf(components.Value(i)),
                    contents);
    }
    return;
  }
  const TopoDS_Shape shape = XCAFDoc_ShapeTool::GetShape(label).Moved(location);
  for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
    contents.solids.push_back(Measured(solid.Current(), name.empty() ? NameOf(label) : name));
    contents.volume += contents.solids.back().volume;
  }
}

// The products, solids and instances the file writes, counted on its entities.
void CountEntities(const Handle(Interface_InterfaceModel) & model, StepContents& contents) {
  for (Standard_Integer i = 1; i <= model->NbEntities(); ++i) {
    const Handle(Standard_Transient) entity = model->Value(i);
    if (const Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(entity); !product.IsNull()) {
      contents.names.push_back(product->Name().IsNull() ? "" : product->Name()->ToCString());
      contents.ids.push_back(product->Id().IsNull() ? "" : product->Id()->ToCString());
    }
    if (entity->IsKind(STANDARD_TYPE(StepShape_ManifoldSolidBrep))) ++contents.solidsWritten;
    if (entity->IsKind(STANDARD_TYPE(StepRepr_NextAssemblyUsageOccurrence))) ++contents.instances;
  }
}

}  // namespace

StepContents ReadStepContents(const std::string& path) {
  SilenceModeller();
  STEPCAFControl_Reader reader;
  reader.SetNameMode(true);
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
    RaiseSceneError(scene_error::kBadDocument, "Cannot read the STEP file " + path);
  }
  Handle(TDocStd_Document) document;
  XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
  if (!reader.Transfer(document)) RaiseSceneError(scene_error::kBadDocument, "Cannot read the shapes of the STEP file " + path);
  StepContents contents;
  const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
  TDF_LabelSequence roots;
  shapes->GetFreeShapes(roots);
  for (Standard_Integer i = 1; i <= roots.Length(); ++i) CollectSolids(roots.Value(i), TopLoc_Location(), "", contents);
  CountEntities(reader.ChangeReader().WS()->Model(), contents);
  document->Close();
  return contents;
}

}  // namespace zembrati::scene
