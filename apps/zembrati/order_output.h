#pragma once

#include <string>
#include <vector>

#include "shop/order_json.h"

namespace zembrati::cli {

// The bars to order as `bom --stock` prints them: per standard, designation and material, the
// bars of each stock length with the pieces cut from each (mark and cut length, in cutting
// order) and the offcut, the bars, metres and kg ordered, the waste and the bound; then the totals.
void PrintOrder(const std::vector<shop::OrderGroup>& order, const shop::StockOptions& options);

// The same as CSV, one row per bar (and one per piece placed on none, with no bar).
std::string OrderCsv(const std::vector<shop::OrderGroup>& order);

}  // namespace zembrati::cli
