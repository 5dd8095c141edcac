#include "order_json.h"

#include <map>

#include "runtime/number_text.h"

namespace zembrati::shop {
namespace {

using Json = nlohmann::ordered_json;

Json PieceJson(const NestingPiece& piece) { return {{"mark", piece.mark}, {"length_mm", Millimetres(piece.length)}}; }

Json BarsJson(const Nesting& nesting) {
  Json bars = Json::array();
  for (const NestedBar& bar : nesting.bars) {
    Json pieces = Json::array();
    for (const NestingPiece& piece : bar.pieces) pieces.push_back(PieceJson(piece));
    bars.push_back({{"stock_mm", Millimetres(bar.stock)}, {"pieces", pieces}, {"offcut_mm", Millimetres(bar.offcut)}});
  }
  return bars;
}

Json StockCountsJson(const Nesting& nesting) {
  std::map<Tenths, int, std::greater<>> counts;
  for (const NestedBar& bar : nesting.bars) ++counts[bar.stock];
  Json list = Json::array();
  for (const auto& [stock, count] : counts) list.push_back({{"stock_mm", Millimetres(stock)}, {"bars", count}});
  return list;
}

double Rounded(double value, double scale) { return std::round(value * scale) / scale + 0.0; }

}  // namespace

Json NestingJson(const std::vector<OrderGroup>& order) {
  Json list = Json::array();
  for (const OrderGroup& group : order) {
    const Nesting& n = group.nesting;
    Json unplaced = Json::array();
    for (const NestingPiece& piece : n.unplaced) unplaced.push_back(PieceJson(piece));
    list.push_back({{"standard", group.standard},
                    {"designation", group.designation},
                    {"material", group.material},
                    {"bars", BarsJson(n)},
                    {"bars_ordered", n.bars.size()},
                    {"stock", StockCountsJson(n)},
                    {"metres_ordered", group.OrderedMetres()},
                    {"kg_ordered", Rounded(group.OrderedKg(), 100)},
                    {"waste_percent", Rounded(n.WastePercent(), 100)},
                    {"lower_bound_bars", n.LowerBoundBars()},
                    {"continuous_bound_bars", n.continuousBoundBars},
                    {"lp_bound_bars", n.lpBoundBars ? Json(*n.lpBoundBars) : Json(nullptr)},
                    {"lp_bound_length_mm", n.lpBoundLength ? Json(Millimetres(*n.lpBoundLength)) : Json(nullptr)},
                    {"lower_bound_length_mm", Millimetres(n.LowerBoundLength())},
                    {"method", MethodName(n.method)},
                    {"unplaced", unplaced}});
  }
  return list;
}

Json OrderSummaryJson(const std::vector<OrderGroup>& order, const StockOptions& options) {
  std::size_t bars = 0, unplaced = 0;
  double metres = 0, kg = 0;
  for (const OrderGroup& group : order) {
    bars += group.nesting.bars.size();
    unplaced += group.nesting.unplaced.size();
    metres += group.OrderedMetres();
    kg += group.OrderedKg();
  }
  return {{"stock_mm", options.stockMm}, {"kerf_mm", options.kerfMm}, {"trim_mm", options.trimMm},
          {"bars_ordered", bars},        {"metres_ordered", Rounded(metres, 1000)}, {"kg_ordered", Rounded(kg, 100)},
          {"unplaced_pieces", unplaced}};
}

std::string UnplacedPieces(const std::vector<OrderGroup>& order) {
  std::string text;
  for (const OrderGroup& group : order) {
    if (group.nesting.unplaced.empty()) continue;
    text += (text.empty() ? "" : "; ") + group.designation + ":";
    for (std::size_t i = 0; i < group.nesting.unplaced.size(); ++i) {
      const NestingPiece& piece = group.nesting.unplaced[i];
      text += (i ? ", " : " ") + piece.mark + " (" + runtime::GeneralForm(Millimetres(piece.length)) + " mm)";
    }
  }
  return text;
}

}  // namespace zembrati::shop
