#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "order_list.h"

namespace zembrati::shop {

// The bars to order as the command line's JSON and the FreeCAD module give them, one entry per
// standard, designation and material: the bars ({"stock_mm", "pieces": [{"mark", "length_mm"}],
// "offcut_mm"}), how many of each stock length, the bars, metres and kg ordered, the waste, the
// bounds, the pieces placed on nothing, and which method gave the bars.
nlohmann::ordered_json NestingJson(const std::vector<OrderGroup>& order);
// The totals of the whole order with the options it was nested with.
nlohmann::ordered_json OrderSummaryJson(const std::vector<OrderGroup>& order, const StockOptions& options);

// The pieces longer than every stock bar, as "IPE 300: R1 (13000 mm), R2 (13000 mm)", one
// group after another; empty when every piece has a bar.
std::string UnplacedPieces(const std::vector<OrderGroup>& order);

}  // namespace zembrati::shop
