#include "order_list.h"

#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace zembrati::shop {

Tenths TenthsOf(double mm) {
  if (!std::isfinite(mm) || std::fabs(mm) > 1e12) throw std::invalid_argument("a length must be a number of millimetres");
  return static_cast<Tenths>(std::llround(mm * 10));
}

std::vector<OrderGroup> OrderListOf(const std::vector<CuttingLine>& list, const StockOptions& options) {
  NestingJob blank{{}, {}, TenthsOf(options.kerfMm), TenthsOf(options.trimMm)};
  for (const double stock : options.stockMm) blank.stock.push_back(TenthsOf(stock));

  std::vector<OrderGroup> groups;
  std::vector<NestingJob> jobs;
  std::map<std::tuple<std::string, std::string, std::string>, std::size_t> index;
  for (const CuttingLine& line : list) {
    const auto key = std::make_tuple(line.standard, line.designation, line.material);
    auto [found, added] = index.emplace(key, groups.size());
    if (added) {
      groups.push_back({line.standard, line.designation, line.material, line.massPerMetreKg, {}});
      jobs.push_back(blank);
    }
    for (const std::string& piece : line.pieces) jobs[found->second].pieces.push_back({piece, TenthsOf(line.lengthMm)});
  }
  for (std::size_t g = 0; g < groups.size(); ++g) groups[g].nesting = Nest(jobs[g]);
  if (groups.empty()) Nest(blank);  // the options are checked even where there is nothing to cut
  return groups;
}

}  // namespace zembrati::shop
