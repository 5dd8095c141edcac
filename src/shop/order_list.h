#pragma once

#include <string>
#include <vector>

#include "cutting_list.h"
#include "nesting.h"

namespace zembrati::shop {

// What the shop buys the steel in: the lengths the mill sells, the saw's cut width and the
// length lost at the start of each bar before its first piece (mill end and the cut that squares
// it), in millimetres.
struct StockOptions {
  std::vector<double> stockMm;
  double kerfMm = 0;
  double trimMm = 0;
};

// The bars to order of one standard, designation and material, and how to cut them.
struct OrderGroup {
  std::string standard, designation, material;
  double massPerMetreKg = 0;
  Nesting nesting;

  double OrderedMetres() const { return static_cast<double>(nesting.OrderedLength()) / 10000.0; }
  double OrderedKg() const { return OrderedMetres() * massPerMetreKg; }
};

// The cutting list's pieces nested into stock bars, one group per standard, designation and
// material (the cutting list's order), each piece named as the list names it. Throws
// std::invalid_argument for stock options no shop has.
std::vector<OrderGroup> OrderListOf(const std::vector<CuttingLine>& list, const StockOptions& options);

// A length in millimetres as the nesting counts it, in whole tenths.
Tenths TenthsOf(double mm);
inline double Millimetres(Tenths tenths) { return static_cast<double>(tenths) / 10.0; }

}  // namespace zembrati::shop
