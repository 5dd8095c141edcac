#include "step/step_export.h"

#include <IFSelect_ReturnStatus.hxx>
#include <Interface_InterfaceModel.hxx>
#include <StepData_StepModel.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <STEPControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <StepBasic_Product.hxx>
#include <TCollection_ExtendedString.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopLoc_Location.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_MaterialTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <map>

#include "file_output.h"
#include "runtime/file_replacement.h"
#include "scene_error.h"
#include "solid_key.h"
#include "step/body_solid.h"

namespace zembrati::scene {
namespace {

// Steel's density in the unit the material record states it in (g/cm³).
constexpr double kSteelDensity = 7.85;

// A product of the file: the bodies that are one solid (the first gives it its shape), their
// part number and material.
struct Product {
  std::vector<const PlacedBody*> instances;
  std::string name;
};

// Bodies alike in shape, part number and material, in the order their first body comes; and
// for each body, the product it is an instance of.
std::vector<Product> ProductsOf(const std::vector<PlacedBody>& bodies, std::vector<std::size_t>& productOfBody) {
  SolidNumbers solids;
  std::vector<Product> products;
  for (const PlacedBody& placed : bodies) {
    if (!placed.body->section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid to export");
    CheckPlacementInRange(*placed.body, placed.placement);
    const SolidNumbers::Number solid = solids.Of(*placed.body, placed.partNumber + '\0' + placed.material);
    if (solid.first) products.emplace_back();
    products[solid.number].instances.push_back(&placed);
    productOfBody.push_back(solid.number);
  }
  return products;
}

std::string InstanceName(const PlacedBody& placed) { return placed.name.empty() ? placed.body->name : placed.name; }

// A product is named as its instances are when they share one name (a part repeated unmarked),
// else by their part number: "HEA200" for columns C1 to C100.
std::string ProductName(const Product& product) {
  const PlacedBody& first = *product.instances.front();
  const std::string name = InstanceName(first);
  for (const PlacedBody* placed : product.instances) {
    if (InstanceName(*placed) != name) return first.partNumber.empty() ? name : first.partNumber;
  }
  return name;
}

void SetName(const TDF_Label& label, const std::string& name) {
  TDataStd_Name::Set(label, TCollection_ExtendedString(name.c_str(), true));
}

// The modeller's document of named shapes, which its STEP writer turns into products.
class NamedShapes {
 public:
  NamedShapes() {
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document_);
    shapes_ = XCAFDoc_DocumentTool::ShapeTool(document_->Main());
    materials_ = XCAFDoc_DocumentTool::MaterialTool(document_->Main());
  }
  ~NamedShapes() { document_->Close(); }
  NamedShapes(const NamedShapes&) = delete;
  NamedShapes& operator=(const NamedShapes&) = delete;

  // A product with its solid, its name, and the id its part number gives it.
  TDF_Label AddSolid(const TopoDS_Shape& solid, const std::string& name, const PlacedBody& placed) {
    const TDF_Label label = shapes_->AddShape(solid, false, false);
    SetName(label, name);
    if (!placed.partNumber.empty()) productIds_[name] = placed.partNumber;
    if (!placed.material.empty()) {
      materials_->SetMaterial(label, new TCollection_HAsciiString(placed.material.c_str()),
                              new TCollection_HAsciiString("steel"), kSteelDensity,
                              new TCollection_HAsciiString("density"),
                              new TCollection_HAsciiString("POSITIVE_RATIO_MEASURE"));
    }
    return label;
  }
  TDF_Label AddAssembly(const std::string& name) {
    const TDF_Label label = shapes_->NewShape();
    SetName(label, name);
    return label;
  }
  void Place(const TDF_Label& assembly, const TDF_Label& product, const PlacedBody& placed) {
    SetName(shapes_->AddComponent(assembly, product, TopLoc_Location(TransformOf(placed.placement))), InstanceName(placed));
  }
  void Write(const std::string& path);

 private:
  void SetProductIds(const Handle(Interface_InterfaceModel) & model) const;

  Handle(TDocStd_Document) document_;
  Handle(XCAFDoc_ShapeTool) shapes_;
  Handle(XCAFDoc_MaterialTool) materials_;
  // The writer names a product's id after its name; a part number replaces it. Two products of
  // one name with two part numbers (never made by the system) would keep the name.
  std::map<std::string, std::string> productIds_;
};

void NamedShapes::SetProductIds(const Handle(Interface_InterfaceModel) & model) const {
  if (productIds_.empty()) return;
  for (Standard_Integer i = 1; i <= model->NbEntities(); ++i) {
    const Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(model->Value(i));
    if (product.IsNull() || product->Name().IsNull()) continue;
    const auto found = productIds_.find(product->Name()->ToCString());
    if (found != productIds_.end()) product->SetId(new TCollection_HAsciiString(found->second.c_str()));
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

void NamedShapes::Write(const std::string& path) {
  shapes_->UpdateAssemblies();
  STEPCAFControl_Writer writer;
  writer.SetNameMode(true);
  writer.SetMaterialMode(true);
  writer.SetColorMode(false);
  writer.SetLayerMode(false);
  Interface_Static::SetCVal("write.step.unit", "MM");
  // Edges as 3D curves only, without their 2D images on every face: a reader makes those
  // itself, and they were half of every solid's entities.
  Interface_Static::SetIVal("write.surfacecurve.mode", 0);
  if (!writer.Transfer(document_, STEPControl_AsIs)) {
    RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not translate the solids to STEP");
  }
  SetProductIds(writer.ChangeWriter().Model());
  WriteThroughReplacement(writer.ChangeWriter(), path);
}

// The modeller's own failures become the host error the exporter raises for a solid it cannot
// make.
template <typename Work>
void AsHostErrors(Work&& work) {
  SilenceModeller();
  try {
    work();
  } catch (const Standard_Failure& failure) {
    RaiseSceneError(scene_error::kBadLoopLayout, std::string("The modeller failed: ") + failure.GetMessageString());
  }
}

}  // namespace

void WriteStep(const std::vector<PlacedBody>& bodies, const std::string& path, const std::string& sceneName) {
  AsHostErrors([&] {
    std::vector<std::size_t> productOfBody;
    const std::vector<Product> products = ProductsOf(bodies, productOfBody);
    NamedShapes shapes;
    const TDF_Label root = shapes.AddAssembly(sceneName);
    std::vector<TDF_Label> solids;
    for (const Product& product : products) {
      const PlacedBody& first = *product.instances.front();
      solids.push_back(shapes.AddSolid(LocalBodySolid(*first.body), ProductName(product), first));
    }
    // The instances in the scene's order, as the parts are listed.
    for (std::size_t i = 0; i < bodies.size(); ++i) shapes.Place(root, solids[productOfBody[i]], bodies[i]);
    shapes.Write(path);
  });
}

void WriteStepSolidPerPart(const std::vector<PlacedBody>& bodies, const std::string& path) {
  AsHostErrors([&] {
    NamedShapes shapes;
    for (const PlacedBody& placed : bodies) shapes.AddSolid(BodySolid(*placed.body, placed.placement), InstanceName(placed), placed);
    shapes.Write(path);
  });
}

}  // namespace zembrati::scene
