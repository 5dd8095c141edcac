#include "geometry/section_types.h"

#include "automation/object.h"
#include "catalogue/size_lines.h"
#include "geometry/generators.h"
#include "geometry/stated_values.h"
#include "runtime/runtime_error.h"

namespace zembrati::geometry {
namespace {

using Span = std::span<const double>;

void CallHE(const ObjectRef& s, const std::string& n, Span p) {
  GenHE(s, n, p[0], p[1], p[2], p[3], p[4], p[5]);
}
void CallIPN(const ObjectRef& s, const std::string& n, Span p) {
  GenIPN(s, n, p[0], p[1], p[2], p[3], p[4], p[5], p[6], FlangeSlope(p[7], kIpnSlope));
}
void CallUPN(const ObjectRef& s, const std::string& n, Span p) {
  GenUPN(s, n, p[0], p[1], p[2], p[3], p[4], p[5], p[6], FlangeSlope(p[7], kUpnSlope));
}
void CallL(const ObjectRef& s, const std::string& n, Span p) {
  GenL(s, n, p[0], p[1], p[2], p[3], p[4], p[5]);
}
void CallT(const ObjectRef& s, const std::string& n, Span p) { GenT(s, n, p[0], p[1], p[2], p[3]); }
void CallTArr(const ObjectRef& s, const std::string& n, Span p) {
  GenTArr(s, n, p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
}
void CallTubo(const ObjectRef& s, const std::string& n, Span p) {
  GenTubo(s, n, p[0], DesignWall(p[1], p[3]), p[2]);
}
void CallCavo(const ObjectRef& s, const std::string& n, Span p) {
  const double t = DesignWall(p[2], p[4]);
  const HollowCorners corners = CornersOf(t, p[5], p[6], p[7]);
  GenCavo(s, n, p[0], p[1], t, p[3], corners.outer, corners.inner);
}
void CallPiatto(const ObjectRef& s, const std::string& n, Span p) {
  GenPiatto(s, n, p[0], p[1], p[2]);
}
void CallTondo(const ObjectRef& s, const std::string& n, Span p) { GenTondo(s, n, p[0], p[1]); }

namespace field = catalogue::named_field;
constexpr int kSlope = static_cast<int>(field::kFlangeSlope);
constexpr int kWall = static_cast<int>(field::kWallFactor);
const std::vector<int> kHollowStated{kWall, static_cast<int>(field::kCornerRule), static_cast<int>(field::kOuterRadius),
                                     static_cast<int>(field::kInnerRadius)};

std::vector<SectionType> MakeTable() {
  return {
      {1, "ProfilHE", "HE", "GenHE", {0, 2, 3, 4, 5, 1}, {"h", "b", "tw", "tf", "r", "L"}, CallHE},
      {2, "ProfilIPN", "IPN", "GenIPN", {0, 2, 3, 4, 5, 6, 1},
       {"h", "b", "tw", "tf", "r1", "r2", "L"}, CallIPN, {kSlope}},
      {3, "ProfilUPN", "UPN", "GenUPN", {0, 2, 3, 4, 5, 6, 1},
       {"h", "b", "tw", "tf", "r1", "r2", "L"}, CallUPN, {kSlope}},
      {4, "ProfilL", "L", "GenL", {0, 2, 3, 4, 5, 1}, {"a", "b", "t", "r1", "r2", "L"}, CallL, {}, true},
      {5, "ProfilT", "T", "GenT", {0, 2, 3, 1}, {"b", "h", "t", "L"}, CallT},
      {6, "ProfilTArr", "TARR", "GenTArr", {0, 2, 3, 4, 5, 6, 1},
       {"b", "h", "t", "r1", "r2", "r3", "L"}, CallTArr},
      {7, "ProfilTubo", "TUBO", "GenTubo", {0, 2, 1}, {"D", "t", "L"}, CallTubo, {kWall}},
      {8, "ProfilRettCavo", "RETTCAVO", "GenCavo", {0, 3, 2, 1}, {"A", "B", "t", "L"}, CallCavo, kHollowStated, true},
      {9, "ProfilQuadCavo", "QUADCAVO", "GenCavo", {0, 0, 2, 1}, {"A", "A", "t", "L"}, CallCavo, kHollowStated},
      {10, "ProfilPiatto", "PIATTO", "GenPiatto", {0, 2, 1}, {"A", "B", "L"}, CallPiatto},
      {11, "ProfilTondo", "TONDO", "GenTondo", {0, 1}, {"D", "L"}, CallTondo},
      {12, "ProfilQuadro", "QUADRO", "GenPiatto", {0, 0, 1}, {"A", "A", "L"}, CallPiatto},
  };
}

}  // namespace

const std::vector<SectionType>& SectionTypes() {
  static const std::vector<SectionType> table = MakeTable();
  return table;
}

const SectionType* FindSectionType(std::int16_t code) {
  for (const SectionType& type : SectionTypes()) {
    if (type.code == code) return &type;
  }
  return nullptr;
}

const SectionType* FindSectionType(std::string_view name) {
  for (const SectionType& type : SectionTypes()) {
    if (automation::NamesEqual(name, type.shortName) ||
        automation::NamesEqual(name, type.className)) {
      return &type;
    }
  }
  return nullptr;
}

std::array<double, 21> SampleDims(std::int16_t code) {
  switch (code) {
    case 1: return {190, 1500, 200, 6.5, 10, 18};
    case 2: return {200, 1500, 90, 7.5, 11.3, 7.5, 4.5};
    case 3: return {200, 1500, 75, 8.5, 11.5, 11.5, 6};
    case 4: return {80, 1500, 80, 8, 10, 5};
    case 5: return {50, 1500, 50, 6};
    case 6: return {50, 1500, 50, 6, 6, 3, 1.5};
    case 7: return {60.3, 1500, 4};
    case 8: return {100, 1500, 5, 50};
    case 9: return {60, 1500, 5};
    case 10: return {100, 1500, 20};
    default: return {40, 1500};
  }
}

void GenerateSection(const SectionType& type, const ObjectRef& shape, const std::string& name,
                     std::span<const double> dims) {
  std::vector<double> parameters;
  parameters.reserve(type.dimsElements.size() + type.statedElements.size());
  for (const std::vector<int>* elements : {&type.dimsElements, &type.statedElements}) {
    for (const int element : *elements) {
      if (element < 0 || static_cast<std::size_t>(element) >= dims.size()) {
        runtime::Raise(runtime::error::kSubscriptOutOfRange);
      }
      parameters.push_back(dims[static_cast<std::size_t>(element)]);
    }
  }
  type.generate(shape, name, parameters);
}

}  // namespace zembrati::geometry
