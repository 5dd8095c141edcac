#include "order_output.h"

#include <iostream>
#include <map>
#include <sstream>

#include "csv_table.h"
#include "runtime/number_text.h"

namespace zembrati::cli {
namespace {

std::string Mm(shop::Tenths length) { return runtime::GeneralForm(shop::Millimetres(length)); }
std::string Rounded(double value, double scale) { return runtime::GeneralForm(std::round(value * scale) / scale + 0.0); }

std::string StockMix(const shop::Nesting& nesting) {
  std::map<shop::Tenths, int, std::greater<>> counts;
  for (const shop::NestedBar& bar : nesting.bars) ++counts[bar.stock];
  std::string text;
  for (const auto& [stock, count] : counts) text += (text.empty() ? "" : " + ") + std::to_string(count) + " x " + Mm(stock);
  return text.empty() ? "none" : text + " mm";
}

std::string BoundText(const shop::Nesting& nesting) {
  std::string text = "at least " + std::to_string(nesting.LowerBoundBars()) + " bars (continuous bound " +
                     std::to_string(nesting.continuousBoundBars);
  if (nesting.lpBoundBars) text += ", linear programme " + std::to_string(*nesting.lpBoundBars);
  text += "; at least " + Rounded(shop::Millimetres(nesting.LowerBoundLength()) / 1000, 1000) + " m";
  return text + ")";
}

std::string PiecesText(const shop::NestedBar& bar, const char* separator) {
  std::string text;
  for (const shop::NestingPiece& piece : bar.pieces) text += (text.empty() ? "" : separator) + piece.mark + " " + Mm(piece.length);
  return text;
}

}  // namespace

void PrintOrder(const std::vector<shop::OrderGroup>& order, const shop::StockOptions& options) {
  std::string stock;
  for (const double length : options.stockMm) stock += (stock.empty() ? "" : ", ") + runtime::GeneralForm(length);
  std::cout << "\nbars to order (stock " << stock << " mm, kerf " << runtime::GeneralForm(options.kerfMm) << " mm, trim "
            << runtime::GeneralForm(options.trimMm) << " mm):\n";
  std::size_t bars = 0;
  double metres = 0, kg = 0;
  for (const shop::OrderGroup& group : order) {
    const shop::Nesting& n = group.nesting;
    std::cout << group.standard << "  " << group.designation << "  " << group.material << ": " << n.bars.size() << " bars ("
              << StockMix(n) << "), " << Rounded(group.OrderedMetres(), 1000) << " m, " << Rounded(group.OrderedKg(), 100)
              << " kg, waste " << Rounded(n.WastePercent(), 10) << " %; " << BoundText(n) << "\n";
    for (std::size_t b = 0; b < n.bars.size(); ++b) {
      std::cout << "  bar " << b + 1 << "  " << Mm(n.bars[b].stock) << ": " << PiecesText(n.bars[b], ", ") << "; offcut "
                << Mm(n.bars[b].offcut) << "\n";
    }
    for (const shop::NestingPiece& piece : n.unplaced) {
      std::cout << "  on no bar: " << piece.mark << " " << Mm(piece.length) << " (longer than every stock length less the trim)\n";
    }
    bars += n.bars.size();
    metres += group.OrderedMetres();
    kg += group.OrderedKg();
  }
  std::cout << "total ordered: " << bars << " bars, " << Rounded(metres, 1000) << " m, " << Rounded(kg, 100) << " kg\n";
}

std::string OrderCsv(const std::vector<shop::OrderGroup>& order) {
  std::ostringstream out;
  out << "standard,designation,material,bar,stock_mm,pieces,offcut_mm\n";
  for (const shop::OrderGroup& group : order) {
    const std::string prefix = CsvField(group.standard) + ',' + CsvField(group.designation) + ',' + CsvField(group.material) + ',';
    for (std::size_t b = 0; b < group.nesting.bars.size(); ++b) {
      const shop::NestedBar& bar = group.nesting.bars[b];
      out << prefix << b + 1 << ',' << Mm(bar.stock) << ',' << CsvField(PiecesText(bar, "; ")) << ',' << Mm(bar.offcut) << '\n';
    }
    for (const shop::NestingPiece& piece : group.nesting.unplaced) {
      out << prefix << ",," << CsvField(piece.mark + " " + Mm(piece.length)) << ",\n";
    }
  }
  return out.str();
}

}  // namespace zembrati::cli
