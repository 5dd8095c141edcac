#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

namespace zembrati::win32 {

// Draws a section of the type, as its generator outlines it from `dims`, filled and fitted into
// `box`; falls back to the type's typical size when `dims` make no sound section.
void DrawSection(HDC dc, const RECT& box, std::int16_t typeCode, const std::array<double, 21>& dims);

// A small picture of the type for its button (the caller deletes it).
HBITMAP TypeIcon(std::int16_t typeCode, int size);

}  // namespace zembrati::win32
