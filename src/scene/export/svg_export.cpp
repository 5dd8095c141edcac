#include "export/svg_export.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "file_output.h"
#include "runtime/number_text.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

using runtime::GeneralForm;

// Coordinates rounded to a thousandth of a millimetre, y pointing down as SVG wants it.
std::string X(double x) { return GeneralForm(std::round(x * 1000) / 1000); }
std::string Y(double y) { return GeneralForm(std::round(-y * 1000) / 1000 + 0.0); }

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// One arc command; with y flipped, a counter-clockwise arc is drawn with the sweep flag 0.
std::string ArcTo(const BoundaryElement& e, Point2 to, double sweep) {
  return " A " + X(e.radius) + " " + X(e.radius) + " 0 " + (std::fabs(sweep) > std::numbers::pi ? "1" : "0") +
         " " + (sweep > 0 ? "0" : "1") + " " + X(to.x) + " " + Y(to.y);
}

std::string PathOf(const Boundary& boundary) {
  std::string d = "M " + X(boundary.elements.front().from.x) + " " + Y(boundary.elements.front().from.y);
  for (const BoundaryElement& e : boundary.elements) {
    if (e.kind == BoundaryElement::Kind::Line) {
      d += " L " + X(e.to.x) + " " + Y(e.to.y);
    } else if (std::fabs(std::fabs(e.sweep) - 2 * std::numbers::pi) < 1e-12) {
      // A full circle is two half arcs: one arc command cannot end where it starts.
      const Point2 opposite{2 * e.centre.x - e.from.x, 2 * e.centre.y - e.from.y};
      d += ArcTo(e, opposite, e.sweep / 2) + ArcTo(e, e.to, e.sweep / 2);
    } else {
      d += ArcTo(e, e.to, e.sweep);
    }
  }
  return d + " Z";
}

std::string DimensionLine(Point2 a, Point2 b, const std::string& label, bool vertical, double text) {
  std::ostringstream s;
  s << "  <line x1=\"" << X(a.x) << "\" y1=\"" << Y(a.y) << "\" x2=\"" << X(b.x) << "\" y2=\"" << Y(b.y)
    << "\" class=\"dim\" marker-start=\"url(#arrow)\" marker-end=\"url(#arrow)\"/>\n";
  const Point2 middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
  if (vertical) {
    s << "  <text x=\"" << X(middle.x - text * 0.4) << "\" y=\"" << Y(middle.y) << "\" transform=\"rotate(-90 "
      << X(middle.x - text * 0.4) << " " << Y(middle.y) << ")\" class=\"label\">" << label << "</text>\n";
  } else {
    s << "  <text x=\"" << X(middle.x) << "\" y=\"" << Y(middle.y - text * 1.2) << "\" class=\"label\">" << label
      << "</text>\n";
  }
  return s.str();
}

}  // namespace

std::string SectionSvg(const Section& section, const std::string& caption) {
  const Box2& box = section.box;
  const double size = std::max(box.Width(), box.Height());
  const double gap = size * 0.12, text = std::max(size * 0.05, 1.0);
  const double left = box.minX - 2.5 * gap, right = box.maxX + gap;
  const double bottom = box.minY - 2 * gap - 2 * text, top = box.maxY + gap;
  std::string path;
  for (const Boundary* loop : section.Loops()) path += (path.empty() ? "" : " ") + PathOf(*loop);

  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << X(left) << " " << Y(top) << " "
      << X(right - left) << " " << X(top - bottom) << "\" width=\"" << X((right - left) * 2) << "mm\" height=\""
      << X((top - bottom) * 2) << "mm\">\n"
      << "  <title>" << Escaped(caption) << "</title>\n"
      << "  <defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"5\" refY=\"5\" markerWidth=\"6\" "
         "markerHeight=\"6\" orient=\"auto-start-reverse\"><path d=\"M 0 0 L 10 5 L 0 10 z\"/></marker></defs>\n"
      << "  <style>.section{fill:#b8c4d0;stroke:#1f2d3d;stroke-width:" << X(size * 0.006)
      << "}.dim{stroke:#444;stroke-width:" << X(size * 0.003) << "}.label{font:" << X(text)
      << "px sans-serif;text-anchor:middle;fill:#222}</style>\n"
      << "  <path class=\"section\" fill-rule=\"evenodd\" d=\"" << path << "\"/>\n"
      << DimensionLine({box.minX, box.minY - gap}, {box.maxX, box.minY - gap}, GeneralForm(box.Width()), false, text)
      << DimensionLine({box.minX - gap, box.minY}, {box.minX - gap, box.maxY}, GeneralForm(box.Height()), true, text)
      << "  <text x=\"" << X((box.minX + box.maxX) / 2) << "\" y=\"" << Y(bottom + text * 0.6)
      << "\" class=\"label\">" << Escaped(caption) << "</text>\n"
      << "</svg>\n";
  return svg.str();
}

void WriteSectionSvg(const Section& section, const std::string& caption, const std::string& path) {
  WriteWholeFile(path, SectionSvg(section, caption), "SVG file");
}

namespace {

// A view's lines as one path, moved down by `dy`.
std::string ViewPath(const std::vector<std::vector<Point2>>& lines, double dy) {
  std::string d;
  for (const std::vector<Point2>& line : lines) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      d += (d.empty() ? "" : " ") + std::string(i == 0 ? "M " : "L ") + X(line[i].x) + " " + Y(line[i].y + dy);
    }
  }
  return d;
}

std::string AnglesText(const char* end, const EndAngles& angles) {
  const auto degrees = [](double a) { return GeneralForm(std::round(a * 10) / 10 + 0.0) + "°"; };
  return std::string(end) + " " + degrees(angles.web) + " / " + degrees(angles.flange);
}

std::string Text(double x, double y, const std::string& text, const char* anchor = "middle") {
  return "  <text x=\"" + X(x) + "\" y=\"" + Y(y) + "\" class=\"label\" style=\"text-anchor:" + anchor + "\">" +
         Escaped(text) + "</text>\n";
}

}  // namespace

std::string MemberSvg(const MemberDrawing& drawing) {
  const Box2& box = drawing.section->box;
  const double length = drawing.zMax - drawing.zMin, depth = std::max(box.Width(), box.Height());
  const double gap = std::max(depth * 0.6, length * 0.03), text = std::max(depth * 0.12, length * 0.012);
  // The elevation at the section's own y; the plan beneath it, the section's x up; the section
  // itself at the elevation's left.
  const double planShift = box.minY - gap - box.maxX, planBottom = box.minX + planShift;
  const double sectionShift = drawing.zMin - gap - box.maxX;
  const double left = sectionShift + box.minX - gap * 0.5, right = drawing.zMax + gap * 0.5;
  const double top = box.maxY + 2.5 * text, bottom = planBottom - gap - 3 * text;
  const double scale = 400 / std::max(right - left, top - bottom);
  std::string section;
  for (const Boundary* loop : drawing.section->Loops()) {
    Boundary moved = *loop;
    for (BoundaryElement& e : moved.elements) {
      for (Point2* p : {&e.from, &e.to, &e.centre}) p->x += sectionShift;
    }
    section += (section.empty() ? "" : " ") + PathOf(moved);
  }
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << X(left) << " " << Y(top) << " " << X(right - left)
      << " " << X(top - bottom) << "\" width=\"" << X((right - left) * scale) << "mm\" height=\""
      << X((top - bottom) * scale) << "mm\">\n"
      << "  <title>" << Escaped(drawing.caption) << "</title>\n"
      << "  <defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"5\" refY=\"5\" markerWidth=\"6\" "
         "markerHeight=\"6\" orient=\"auto-start-reverse\"><path d=\"M 0 0 L 10 5 L 0 10 z\"/></marker></defs>\n"
      << "  <style>.section{fill:#b8c4d0;stroke:#1f2d3d;stroke-width:1px;vector-effect:non-scaling-stroke}"
         ".edge{fill:none;stroke:#1f2d3d;stroke-width:1.2px;vector-effect:non-scaling-stroke}"
         ".hidden{fill:none;stroke:#8a96a3;stroke-width:0.8px;stroke-dasharray:4 3;vector-effect:non-scaling-stroke}"
         ".dim{stroke:#444;stroke-width:0.8px;vector-effect:non-scaling-stroke}.label{font:"
      << X(text) << "px sans-serif;text-anchor:middle;fill:#222}</style>\n"
      << "  <path class=\"section\" fill-rule=\"evenodd\" d=\"" << section << "\"/>\n";
  for (const auto& [view, shift] : {std::pair{&drawing.elevation, 0.0}, std::pair{&drawing.plan, planShift}}) {
    if (!view->hidden.empty()) svg << "  <path class=\"hidden\" d=\"" << ViewPath(view->hidden, shift) << "\"/>\n";
    svg << "  <path class=\"edge\" d=\"" << ViewPath(view->visible, shift) << "\"/>\n";
  }
  svg << Text(drawing.zMin, box.maxY + text, AnglesText("start", drawing.start), "start")
      << Text(drawing.zMax, box.maxY + text, AnglesText("end", drawing.end), "end")
      << DimensionLine({drawing.zMin, planBottom - gap * 0.5}, {drawing.zMax, planBottom - gap * 0.5},
                       "cut length " + GeneralForm(std::round(length * 10) / 10), false, text)
      << Text((left + right) / 2, bottom + text, drawing.caption) << "</svg>\n";
  return svg.str();
}

void WriteMemberSvg(const MemberDrawing& drawing, const std::string& path) {
  WriteWholeFile(path, MemberSvg(drawing), "SVG file");
}

}  // namespace zembrati::scene
