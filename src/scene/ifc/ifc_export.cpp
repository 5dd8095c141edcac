#include "ifc/ifc_export.h"

#include <cmath>
#include <deque>
#include <map>
#include <numbers>

#include "file_output.h"
#include "ifc/global_id.h"
#include "ifc/ifc_geometry.h"
#include "ifc/ifc_profile.h"
#include "ifc/spf_writer.h"
#include "report/part_report.h"
#include "report/section_report.h"
#include "runtime/number_text.h"
#include "scene_error.h"
#include "step/cut_solids.h"

namespace zembrati::ifc {
namespace {

using scene::Node;
using scene::NodePtr;

// A member's class by the lie of its axis: within 5° of vertical a column, within 5° of
// horizontal a beam, otherwise a member (a brace, a rafter of a steep roof).
struct ElementClass {
  const char* entity;      // IFCBEAM
  const char* typeEntity;  // IFCBEAMTYPE
  const char* predefined;  // BEAM
  const char* name;        // Beam: Pset_BeamCommon, Qto_BeamBaseQuantities
};
constexpr ElementClass kBeam{"IFCBEAM", "IFCBEAMTYPE", "BEAM", "Beam"};
constexpr ElementClass kColumn{"IFCCOLUMN", "IFCCOLUMNTYPE", "COLUMN", "Column"};
constexpr ElementClass kMember{"IFCMEMBER", "IFCMEMBERTYPE", "MEMBER", "Member"};

const ElementClass& ClassOf(const scene::RigidTransform& placement) {
  const double rise = std::fabs(scene::Normalized(placement.Rotate({0, 0, 1})).z);
  const double fiveDegrees = 5 * std::numbers::pi / 180;
  if (rise >= std::cos(fiveDegrees)) return kColumn;
  if (rise <= std::sin(fiveDegrees)) return kBeam;
  return kMember;
}

// The cardinal point (1 to 9 across the profile's box from bottom left, 10 its centroid) at the
// member's axis, the section's origin; 0 for none of them.
int CardinalPointOf(const scene::Section& section) {
  const auto near = [](double a, double b) { return std::fabs(a - b) < 1e-6; };
  const scene::Box2& box = section.box;
  int column = -1, row = -1;
  for (int i = 0; i < 3; ++i) {
    if (near(0, box.minX + i * box.Width() / 2)) column = i;
    if (near(0, box.minY + i * box.Height() / 2)) row = i;
  }
  if (column >= 0 && row >= 0) return 1 + column + 3 * row;
  if (near(section.centroid.x, 0) && near(section.centroid.y, 0)) return 10;
  return 0;
}

std::string Label(const std::string& text) { return Typed("IFCLABEL", String(text)); }

// A property set or element quantity shared by every object whose values are the same: written
// once at the end, with one relation to all of them.
struct SharedDefinition {
  std::string entity;      // IFCPROPERTYSET or IFCELEMENTQUANTITY
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;  // (entity, attributes) of each
  std::vector<EntityId> objects;
};

struct TypeRecord {
  EntityId type = 0;
  EntityId usage = 0;
  std::vector<EntityId> occurrences;
};

struct ProfileRecord {
  std::shared_ptr<const std::vector<scene::LoopSketch>> loops;
  EntityId profile = 0;
  std::optional<ProfileDefinition> definition;
  EntityId filled = 0;  // the profile with its holes filled, once a cope has needed it

  PlacedProfile Placed(EntityId entity) const {
    return definition ? PlacedProfile{entity, definition->centre, definition->halfTurn} : PlacedProfile{entity, {0, 0}, false};
  }
};

class IfcFile {
 public:
  explicit IfcFile(const IfcModel& model, std::vector<std::string>& notes) : model_(model), notes_(notes), geometry_(w_) {}

  std::string Text() {
    WriteProject();
    for (std::size_t i = 0; i < model_.parts.size(); ++i) WritePart(model_.parts[i]);
    if (elements_.empty()) scene::RaiseSceneError(scene::scene_error::kNoSuchObject, "No part has a solid to export");
    WriteRelations();
    return w_.Text("ViewDefinition [DesignTransferView]", model_.name + ".ifc", model_.timeStamp, "IFC4");
  }

 private:
  std::string Id(const std::string& key) const { return String(GlobalIdOf(model_.name + "\n" + key)); }

  void WriteProject() {
    const EntityId length = w_.Add("IFCSIUNIT", "*,.LENGTHUNIT.,.MILLI.,.METRE.");
    const EntityId area = w_.Add("IFCSIUNIT", "*,.AREAUNIT.,$,.SQUARE_METRE.");
    const EntityId volume = w_.Add("IFCSIUNIT", "*,.VOLUMEUNIT.,$,.CUBIC_METRE.");
    const EntityId mass = w_.Add("IFCSIUNIT", "*,.MASSUNIT.,.KILO.,.GRAM.");
    const EntityId radian = w_.Add("IFCSIUNIT", "*,.PLANEANGLEUNIT.,$,.RADIAN.");
    const EntityId dimensions = w_.Add("IFCDIMENSIONALEXPONENTS", "0,0,0,0,0,0,0");
    const EntityId factor = w_.Add("IFCMEASUREWITHUNIT", "IFCPLANEANGLEMEASURE(" + Real(std::numbers::pi / 180) + ")," + Ref(radian));
    const EntityId degree = w_.Add("IFCCONVERSIONBASEDUNIT", Ref(dimensions) + ",.PLANEANGLEUNIT.,'degree'," + Ref(factor));
    const EntityId units = w_.Add("IFCUNITASSIGNMENT", Refs({length, area, volume, mass, degree}));
    const EntityId origin = geometry_.Placement(scene::Vector3{0, 0, 0});
    const EntityId context = w_.Add("IFCGEOMETRICREPRESENTATIONCONTEXT", "$,'Model',3,1.E-05," + Ref(origin) + ",$");
    bodyContext_ = w_.Add("IFCGEOMETRICREPRESENTATIONSUBCONTEXT", "'Body','Model',*,*,*,*," + Ref(context) + ",$,.MODEL_VIEW.,$");
    axisContext_ = w_.Add("IFCGEOMETRICREPRESENTATIONSUBCONTEXT", "'Axis','Model',*,*,*,*," + Ref(context) + ",$,.GRAPH_VIEW.,$");
    const std::string name = String(model_.name);
    const EntityId project = w_.Add("IFCPROJECT", Id("project") + ",$," + name + ",$,$,$,$,(" + Ref(context) + ")," + Ref(units));
    const EntityId sitePlacement = w_.Add("IFCLOCALPLACEMENT", "$," + Ref(origin));
    const EntityId site = w_.Add("IFCSITE", Id("site") + ",$," + name + ",$,$," + Ref(sitePlacement) + ",$,$,.ELEMENT.,$,$,$,$,$");
    const EntityId buildingPlacement = w_.Add("IFCLOCALPLACEMENT", Ref(sitePlacement) + "," + Ref(origin));
    const EntityId building = w_.Add("IFCBUILDING", Id("building") + ",$," + name + ",$,$," + Ref(buildingPlacement) + ",$,$,.ELEMENT.,$,$,$");
    storeyPlacement_ = w_.Add("IFCLOCALPLACEMENT", Ref(buildingPlacement) + "," + Ref(origin));
    storey_ = w_.Add("IFCBUILDINGSTOREY", Id("storey") + ",$," + name + ",$,$," + Ref(storeyPlacement_) + ",$,$,.ELEMENT.,0.");
    w_.Add("IFCRELAGGREGATES", Id("project-site") + ",$,$,$," + Ref(project) + ",(" + Ref(site) + ")");
    w_.Add("IFCRELAGGREGATES", Id("site-building") + ",$,$,$," + Ref(site) + ",(" + Ref(building) + ")");
    w_.Add("IFCRELAGGREGATES", Id("building-storey") + ",$,$,$," + Ref(building) + ",(" + Ref(storey_) + ")");
  }

  // The profile of a body: shared by every body of the designation drawn with the same loops.
  ProfileRecord& ProfileOf(const Node& part, const Node& body) {
    const std::string designation = report::PartDesignation(part);
    std::deque<ProfileRecord>& drawn = profiles_[designation];
    for (ProfileRecord& record : drawn) {
      if (record.loops == body.builtFrom || (record.loops && body.builtFrom && *record.loops == *body.builtFrom)) return record;
    }
    ProfileRecord record{body.builtFrom, 0, std::nullopt};
    const std::int16_t typeCode = report::StoredTypeCode(part);
    if (body.builtFrom) record.definition = ParametricProfile(typeCode, *body.builtFrom);
    if (record.definition) {
      record.profile = geometry_.Parametric(*record.definition, designation);
    } else {
      record.profile = geometry_.Outline(body.section->Loops(), designation);
      // A rounded tee is drawn exactly this way; anything else should have had a profile.
      if (typeCode != 6) {
        notes_.push_back("\"" + part.name + "\": its stored data names no catalogue profile of its type (type code " +
                         std::to_string(typeCode) + "); written with its exact outline");
      }
    }
    drawn.push_back(record);
    return drawn.back();
  }

  TypeRecord& TypeOf(const ElementClass& kind, const std::string& designation, const std::string& material,
                     EntityId profile, int cardinalPoint) {
    const std::string key = std::string(kind.name) + "\n" + designation + "\n" + material + "\n" + std::to_string(profile);
    auto found = types_.find(key);
    if (found != types_.end()) return found->second;
    TypeRecord& record = types_[key];
    typeOrder_.push_back(key);
    record.type = w_.Add(kind.typeEntity, Id("type\n" + key) + ",$," + String(designation) + ",$,$,$,$,$,$," + Enum(kind.predefined));
    const EntityId materialProfile = w_.Add("IFCMATERIALPROFILE", String(designation) + ",$," + Ref(MaterialOf(material)) + "," + Ref(profile) + ",$,$");
    const EntityId set = w_.Add("IFCMATERIALPROFILESET", String(designation) + ",$,(" + Ref(materialProfile) + "),$");
    setOf_[key] = set;
    record.usage = w_.Add("IFCMATERIALPROFILESETUSAGE", Ref(set) + "," + (cardinalPoint ? std::to_string(cardinalPoint) : "$") + ",$");
    return record;
  }

  EntityId MaterialOf(const std::string& grade) {
    if (const auto found = materials_.find(grade); found != materials_.end()) return found->second;
    return materials_[grade] = w_.Add("IFCMATERIAL", String(grade.empty() ? "Steel" : grade) + ",$,'Steel'");
  }

  // What a coped end is shaped around, where the file has a profile for it: the other member's
  // own, its holes filled. A cope grown by a gap is the grown outline instead.
  std::optional<PlacedProfile> CopeProfile(const scene::EndCut& end) {
    if (!end.cope || end.cope->gap > 0 || !end.joint) return std::nullopt;
    const auto other = end.joint->other.lock();
    const NodePtr otherBody = other ? scene::FirstBody(*other) : nullptr;
    if (!otherBody || !otherBody->section) return std::nullopt;
    ProfileRecord& record = ProfileOf(*other, *otherBody);
    if (!record.definition) return std::nullopt;
    if (!record.filled) {
      const ProfileDefinition filled = Filled(*record.definition);
      record.filled = filled.entity == record.definition->entity ? record.profile : geometry_.Parametric(filled, report::PartDesignation(*other));
    }
    return record.Placed(record.filled);
  }

  // The body's shape, shared by every part whose body is the same solid: the same profile, length
  // and end cuts.
  EntityId ShapeOf(const Node& body, const ProfileRecord& profile) {
    std::string key;
    if (!body.cuts) key = std::to_string(profile.profile) + "\n" + Real(body.length);
    if (!key.empty()) {
      if (const auto found = shapes_.find(key); found != shapes_.end()) return found->second;
    }
    const IfcGeometry::Solid solid =
        geometry_.BodySolid(body, profile.Placed(profile.profile), [this](const scene::EndCut& end) { return CopeProfile(end); });
    if (!solid.note.empty()) notes_.push_back(solid.note);
    const EntityId bodyRepresentation = w_.Add("IFCSHAPEREPRESENTATION", Ref(bodyContext_) + ",'Body'," + String(solid.representationType) + ",(" + Ref(solid.item) + ")");
    const EntityId axisRepresentation = w_.Add("IFCSHAPEREPRESENTATION", Ref(axisContext_) + ",'Axis','Curve3D',(" + Ref(geometry_.Axis(body.length)) + ")");
    const EntityId shape = w_.Add("IFCPRODUCTDEFINITIONSHAPE", "$,$," + Refs({bodyRepresentation, axisRepresentation}));
    if (!key.empty()) shapes_[key] = shape;
    return shape;
  }

  void Share(const std::string& entity, const std::string& name, std::vector<std::pair<std::string, std::string>> values, EntityId object) {
    std::string key = entity + "\n" + name;
    for (const auto& [valueEntity, attributes] : values) key += "\n" + valueEntity + attributes;
    SharedDefinition& shared = shared_[key];
    if (shared.objects.empty()) {
      shared.entity = entity;
      shared.name = name;
      shared.values = std::move(values);
      sharedOrder_.push_back(key);
    }
    shared.objects.push_back(object);
  }

  static std::pair<std::string, std::string> Property(const std::string& name, const std::string& value) {
    return {"IFCPROPERTYSINGLEVALUE", String(name) + ",$," + value + ",$"};
  }
  static std::pair<std::string, std::string> Quantity(const char* entity, const std::string& name, double value) {
    return {entity, String(name) + ",$,$," + Real(value) + ",$"};
  }

  void WritePart(const IfcPart& given) {
    const NodePtr& part = given.part;
    const NodePtr body = scene::FirstBody(*part);
    if (!body || !body->section) {
      notes_.push_back("\"" + part->name + "\" has no solid: left out");
      return;
    }
    const scene::RigidTransform placement = part->placement.After(body->placement);
    const std::string designation = report::PartDesignation(*part);
    const std::string material = report::StoredText(*part, 16);
    const ElementClass& kind = ClassOf(placement);
    const ProfileRecord profile = ProfileOf(*part, *body);
    TypeRecord& type = TypeOf(kind, designation, material, profile.profile, CardinalPointOf(*body->section));
    const EntityId localPlacement = w_.Add("IFCLOCALPLACEMENT", Ref(storeyPlacement_) + "," + Ref(geometry_.Placement(placement)));
    const std::string mark = report::PartMark(*part);
    const EntityId element = w_.Add(kind.entity, Id("part\n" + given.key) + ",$," + String(part->name) + ",$,$," + Ref(localPlacement) +
                                                     "," + Ref(ShapeOf(*body, profile)) + "," + OptionalString(mark) + "," + Enum(kind.predefined));
    elements_.push_back(element);
    type.occurrences.push_back(element);
    WritePartData(part, *body, kind, profile, element);
  }

  void WritePartData(const NodePtr& part, const Node& body, const ElementClass& kind, const ProfileRecord& profile, EntityId element) {
    Share("IFCPROPERTYSET", std::string("Pset_") + kind.name + "Common",
          {Property("Reference", Typed("IFCIDENTIFIER", String(report::PartNumberOf(*part)))), Property("LoadBearing", "IFCBOOLEAN(.T.)")},
          element);
    try {
      const scene::CutExtent extent = scene::ExtentOf(body);
      Share("IFCELEMENTQUANTITY", std::string("Qto_") + kind.name + "BaseQuantities",
            {Quantity("IFCQUANTITYLENGTH", "Length", std::round((extent.zMax - extent.zMin) * 10) / 10),
             Quantity("IFCQUANTITYAREA", "CrossSectionArea", body.section->area * 1e-6),
             Quantity("IFCQUANTITYVOLUME", "NetVolume", extent.volume * 1e-9),
             Quantity("IFCQUANTITYWEIGHT", "NetWeight", report::SteelMassKg(extent.volume))},
            element);
    } catch (const runtime::RuntimeError& error) {
      notes_.push_back("\"" + part->name + "\": no quantities (" + error.description() + ")");
    }
    std::vector<std::pair<std::string, std::string>> choices{
        Property("Class", Label(report::StoredText(*part, 1))),
        Property("TypeCode", Typed("IFCINTEGER", std::to_string(report::StoredTypeCode(*part)))),
    };
    if (const auto family = report::StoredFamily(*part)) choices.push_back(Property("Family", Typed("IFCINTEGER", std::to_string(*family))));
    choices.push_back(Property("Standard", Label(report::StoredText(*part, 13))));
    choices.push_back(Property("Size", Label(report::StoredText(*part, 14))));
    if (profile.definition && profile.definition->thickness > 0) {
      choices.push_back(Property("Thickness", Typed("IFCPOSITIVELENGTHMEASURE", Length(profile.definition->thickness))));
    }
    choices.push_back(Property("Material", Label(report::StoredText(*part, 16))));
    choices.push_back(Property("Length", Typed("IFCPOSITIVELENGTHMEASURE", Length(body.length))));
    Share("IFCPROPERTYSET", "Zembrati_Part", std::move(choices), element);
  }

  void WriteRelations() {
    w_.Add("IFCRELCONTAINEDINSPATIALSTRUCTURE", Id("storey-contents") + ",$,$,$," + Refs(elements_) + "," + Ref(storey_));
    for (const std::string& key : typeOrder_) {
      const TypeRecord& type = types_[key];
      w_.Add("IFCRELDEFINESBYTYPE", Id("typed\n" + key) + ",$,$,$," + Refs(type.occurrences) + "," + Ref(type.type));
      w_.Add("IFCRELASSOCIATESMATERIAL", Id("type-material\n" + key) + ",$,$,$,(" + Ref(type.type) + ")," + Ref(setOf_[key]));
      w_.Add("IFCRELASSOCIATESMATERIAL", Id("usage\n" + key) + ",$,$,$," + Refs(type.occurrences) + "," + Ref(type.usage));
    }
    for (const std::string& key : sharedOrder_) {
      const SharedDefinition& shared = shared_[key];
      std::vector<EntityId> values;
      for (const auto& [entity, attributes] : shared.values) values.push_back(w_.Add(entity, attributes));
      const std::string id = Id("definition\n" + key);
      const EntityId definition = shared.entity == "IFCELEMENTQUANTITY"
                                      ? w_.Add(shared.entity, id + ",$," + String(shared.name) + ",$,$," + Refs(values))
                                      : w_.Add(shared.entity, id + ",$," + String(shared.name) + ",$," + Refs(values));
      w_.Add("IFCRELDEFINESBYPROPERTIES", Id("defines\n" + key) + ",$,$,$," + Refs(shared.objects) + "," + Ref(definition));
    }
  }

  const IfcModel& model_;
  std::vector<std::string>& notes_;
  SpfWriter w_;
  IfcGeometry geometry_;
  EntityId bodyContext_ = 0, axisContext_ = 0, storeyPlacement_ = 0, storey_ = 0;
  std::vector<EntityId> elements_;
  std::map<std::string, std::deque<ProfileRecord>> profiles_;  // a deque: records are held by reference
  std::map<std::string, TypeRecord> types_;
  std::vector<std::string> typeOrder_;
  std::map<std::string, EntityId> setOf_, materials_, shapes_;
  std::map<std::string, SharedDefinition> shared_;
  std::vector<std::string> sharedOrder_;
};

}  // namespace

std::string IfcText(const IfcModel& model, std::vector<std::string>& notes) { return IfcFile(model, notes).Text(); }

std::vector<std::string> WriteIfc(const IfcModel& model, const std::string& path) {
  scene::CheckCanReplace(path, "IFC file");
  std::vector<std::string> notes;
  const std::string text = IfcText(model, notes);
  scene::WriteWholeFile(path, text, "IFC file");
  return notes;
}

}  // namespace zembrati::ifc
