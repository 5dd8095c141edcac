#pragma once

#include <optional>
#include <vector>

namespace zembrati::scene {

struct Point2 {
  double x = 0;
  double y = 0;
  bool operator==(const Point2&) const = default;
};

struct FilletRequest {
  int index;  // as requested: corner number plus the fillets added before it
  double radius;
  bool operator==(const FilletRequest&) const = default;
};

// One loop of a body's profile exactly as the sketch calls drew it: a start point, the points of
// the lines (the last returns to the start), the rounded corners requested after drawing, or one
// circle. The exact boundary is computed from this when the body is rebuilt.
struct LoopSketch {
  std::optional<Point2> start;
  std::vector<Point2> lines;
  std::vector<FilletRequest> fillets;
  std::optional<Point2> circleCentre;
  double circleRadius = 0;
  bool operator==(const LoopSketch&) const = default;
};

}  // namespace zembrati::scene
