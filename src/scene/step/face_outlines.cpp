#include "step/face_outlines.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Section.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <IntCurvesFace_ShapeIntersector.hxx>
#include <ShapeAnalysis_FreeBounds.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_HSequenceOfShape.hxx>
#include <TopoDS.hxx>
#include <gp_Lin.hxx>
#include <gp_Pln.hxx>

#include <algorithm>
#include <cmath>
#include <limits>

#include "step/body_solid.h"

namespace zembrati::scene {
namespace {

constexpr double kChordDeviationMm = 0.05;

// The points of an edge in the direction the wire runs, its last point left for the next edge.
void AppendEdge(const TopoDS_Edge& edge, bool normalAlongY, std::vector<Point2>& points) {
  const BRepAdaptor_Curve curve(edge);
  std::vector<gp_Pnt> along;
  if (curve.GetType() == GeomAbs_Line) {
    along = {curve.Value(curve.FirstParameter()), curve.Value(curve.LastParameter())};
  } else {
    GCPnts_QuasiUniformDeflection division(curve, kChordDeviationMm);
    for (int i = 1; division.IsDone() && i <= division.NbPoints(); ++i) along.push_back(division.Value(i));
  }
  if (edge.Orientation() == TopAbs_REVERSED) std::reverse(along.begin(), along.end());
  for (std::size_t i = 0; i + 1 < along.size(); ++i) {
    const Point2 p{along[i].Z(), normalAlongY ? along[i].X() : along[i].Y()};
    if (points.empty() || std::hypot(points.back().x - p.x, points.back().y - p.y) > 1e-6) points.push_back(p);
  }
}

// Where one plane cuts the solid.
std::vector<std::vector<Point2>> SectionLoops(const TopoDS_Shape& solid, const AxialPlane& axial) {
  const bool normalAlongY = axial.normalAlongY;
  const gp_Pln plane = normalAlongY ? gp_Pln(gp_Pnt(0, axial.offset, 0), gp_Dir(0, 1, 0))
                                    : gp_Pln(gp_Pnt(axial.offset, 0, 0), gp_Dir(1, 0, 0));
  BRepAlgoAPI_Section section(solid, plane, false);
  section.Approximation(false);
  section.Build();
  std::vector<std::vector<Point2>> loops;
  if (!section.IsDone()) return loops;

  Handle(TopTools_HSequenceOfShape) edges = new TopTools_HSequenceOfShape;
  for (TopExp_Explorer e(section.Shape(), TopAbs_EDGE); e.More(); e.Next()) edges->Append(e.Current());
  Handle(TopTools_HSequenceOfShape) wires;
  ShapeAnalysis_FreeBounds::ConnectEdgesToWires(edges, 1e-5, false, wires);
  for (int w = 1; !wires.IsNull() && w <= wires->Length(); ++w) {
    std::vector<Point2> points;
    for (BRepTools_WireExplorer e(TopoDS::Wire(wires->Value(w))); e.More(); e.Next()) AppendEdge(e.Current(), normalAlongY, points);
    if (points.size() < 3) continue;
    points.push_back(points.front());
    loops.push_back(std::move(points));
  }
  return loops;
}

}  // namespace

std::vector<std::vector<std::vector<Point2>>> PlaneSectionLoops(const Node& body, const std::vector<AxialPlane>& planes) {
  const TopoDS_Shape solid = BodySolid(body, RigidTransform{});
  std::vector<std::vector<std::vector<Point2>>> cuts;
  for (const AxialPlane& plane : planes) cuts.push_back(SectionLoops(solid, plane));
  return cuts;
}

std::vector<std::optional<std::pair<double, double>>> ExtentsAlongAxis(const Node& body, const std::vector<Point2>& points) {
  const TopoDS_Shape solid = BodySolid(body, RigidTransform{});
  IntCurvesFace_ShapeIntersector intersector;
  intersector.Load(solid, 1e-7);
  std::vector<std::optional<std::pair<double, double>>> extents;
  for (const Point2& p : points) {
    intersector.Perform(gp_Lin(gp_Pnt(p.x, p.y, 0), gp_Dir(0, 0, 1)), -std::numeric_limits<double>::max() / 4,
                        std::numeric_limits<double>::max() / 4);
    if (!intersector.IsDone() || intersector.NbPnt() == 0) {
      extents.emplace_back();
      continue;
    }
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (int i = 1; i <= intersector.NbPnt(); ++i) {
      low = std::min(low, intersector.Pnt(i).Z());
      high = std::max(high, intersector.Pnt(i).Z());
    }
    extents.emplace_back(std::make_pair(low, high));
  }
  return extents;
}

}  // namespace zembrati::scene
