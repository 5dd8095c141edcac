#include "section_drawing.h"

#include <algorithm>
#include <vector>

#include "geometry/section_types.h"
#include "dimension_panel.h"

namespace zembrati::win32 {

void DrawSection(HDC dc, const RECT& box, std::int16_t typeCode, const std::array<double, 21>& dims) {
  const std::vector<std::vector<scene::Point2>> loops = panel::PictureLoops(typeCode, dims);
  if (loops.empty()) return;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (const auto& loop : loops) {
    for (const scene::Point2& p : loop) {
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
  }
  const double width = box.right - box.left, height = box.bottom - box.top;
  const double scale = 0.88 * std::min(width / std::max(maxX - minX, 1e-9), height / std::max(maxY - minY, 1e-9));
  const double offsetX = box.left + (width - (maxX - minX) * scale) / 2;
  const double offsetY = box.top + (height - (maxY - minY) * scale) / 2;
  std::vector<POINT> points;
  std::vector<INT> counts;
  for (const auto& loop : loops) {
    for (const scene::Point2& p : loop) {
      points.push_back({static_cast<LONG>(offsetX + (p.x - minX) * scale), static_cast<LONG>(offsetY + (maxY - p.y) * scale)});
    }
    counts.push_back(static_cast<INT>(loop.size()));
  }
  SetPolyFillMode(dc, ALTERNATE);  // holes stay open
  HBRUSH fill = CreateSolidBrush(RGB(184, 196, 208));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(31, 45, 61));
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size()));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(fill);
  DeleteObject(pen);
}

HBITMAP TypeIcon(std::int16_t typeCode, int size) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT box{0, 0, size, size};
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawSection(dc, box, typeCode, geometry::SampleDims(typeCode));
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace zembrati::win32
