#include "nesting.h"

#include <cmath>
#include <numeric>
#include <stdexcept>

#include "bar_knapsack.h"
#include "cutting_stock_lp.h"

namespace zembrati::shop {

Tenths Nesting::OrderedLength() const {
  Tenths total = 0;
  for (const NestedBar& bar : bars) total += bar.stock;
  return total;
}

Tenths Nesting::PlacedLength() const {
  Tenths total = 0;
  for (const NestedBar& bar : bars) {
    for (const NestingPiece& piece : bar.pieces) total += piece.length;
  }
  return total;
}

double Nesting::WastePercent() const {
  const Tenths ordered = OrderedLength();
  return ordered == 0 ? 0.0 : 100.0 * static_cast<double>(ordered - PlacedLength()) / static_cast<double>(ordered);
}

namespace {

// The job as the packing sees it: bars that hold their length less the trim plus one kerf, and
// pieces of each length that take it plus a kerf, so that the last piece's kerf is free.
struct Packing {
  std::vector<Tenths> stock;  // the lengths sold, shortest first
  std::vector<std::int64_t> capacities;
  std::vector<Tenths> lengths;  // the kinds of piece, longest first
  std::vector<std::int64_t> widths;
  std::vector<int> demand;
  std::vector<std::vector<std::size_t>> piecesOfKind;  // indices into the job's pieces, in order
  std::vector<std::size_t> unplaced;
};

// Per bar, the stock it is cut from and how many of each kind of piece it gives.
struct PlannedBar {
  std::size_t stock = 0;
  std::vector<int> counts;
};
using Plan = std::vector<PlannedBar>;

void Check(const NestingJob& job) {
  if (job.kerf < 0) throw std::invalid_argument("the kerf must not be negative");
  if (job.trim < 0) throw std::invalid_argument("the trim must not be negative");
  if (job.stock.empty()) throw std::invalid_argument("there must be at least one stock length");
  for (const Tenths length : job.stock) {
    if (length <= 0) throw std::invalid_argument("every stock length must be above 0");
  }
  for (const NestingPiece& piece : job.pieces) {
    if (piece.length <= 0) throw std::invalid_argument("every piece must be longer than 0");
  }
}

Packing PackingOf(const NestingJob& job) {
  Packing packing;
  packing.stock = job.stock;
  std::sort(packing.stock.begin(), packing.stock.end());
  packing.stock.erase(std::unique(packing.stock.begin(), packing.stock.end()), packing.stock.end());
  // A bar no longer than its trim holds nothing.
  std::erase_if(packing.stock, [&](Tenths length) { return length <= job.trim; });
  for (const Tenths length : packing.stock) packing.capacities.push_back(length - job.trim + job.kerf);
  const std::int64_t room = packing.capacities.empty() ? 0 : packing.capacities.back();

  std::vector<std::size_t> order(job.pieces.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return job.pieces[a].length > job.pieces[b].length; });
  for (const std::size_t index : order) {
    const Tenths length = job.pieces[index].length;
    if (length + job.kerf > room) {
      packing.unplaced.push_back(index);
      continue;
    }
    if (packing.lengths.empty() || packing.lengths.back() != length) {
      packing.lengths.push_back(length);
      packing.widths.push_back(length + job.kerf);
      packing.demand.push_back(0);
      packing.piecesOfKind.emplace_back();
    }
    ++packing.demand.back();
    packing.piecesOfKind.back().push_back(index);
  }
  std::sort(packing.unplaced.begin(), packing.unplaced.end());
  return packing;
}

// All the pieces' widths (their lengths and a kerf each) ...
std::int64_t NeededWidth(const Packing& packing) {
  return std::inner_product(packing.widths.begin(), packing.widths.end(), packing.demand.begin(), std::int64_t{0},
                            std::plus<>(), [](std::int64_t w, int d) { return w * d; });
}

// ... over what the longest bar holds, rounded up: no nesting takes fewer bars.
std::size_t ContinuousBoundBars(const Packing& packing) {
  const std::int64_t room = packing.capacities.back();
  return static_cast<std::size_t>((NeededWidth(packing) + room - 1) / room);
}

std::int64_t Filled(const Packing& packing, const PlannedBar& bar) {
  std::int64_t filled = 0;
  for (std::size_t kind = 0; kind < bar.counts.size(); ++kind) filled += bar.counts[kind] * packing.widths[kind];
  return filled;
}

// Each bar from the shortest stock that holds its pieces.
void Shorten(const Packing& packing, Plan& plan) {
  for (PlannedBar& bar : plan) {
    const std::int64_t filled = Filled(packing, bar);
    for (std::size_t s = 0; s < packing.capacities.size(); ++s) {
      if (packing.capacities[s] >= filled) {
        bar.stock = s;
        break;
      }
    }
  }
}

Tenths OrderedLength(const Packing& packing, const Plan& plan) {
  Tenths total = 0;
  for (const PlannedBar& bar : plan) total += packing.stock[bar.stock];
  return total;
}

// First-fit decreasing of `demand` into the longest bars.
Plan FirstFitDecreasing(const Packing& packing, const std::vector<int>& demand) {
  Plan plan;
  std::vector<std::int64_t> room;
  const std::size_t longest = packing.capacities.size() - 1;
  for (std::size_t kind = 0; kind < demand.size(); ++kind) {
    for (int n = 0; n < demand[kind]; ++n) {
      std::size_t bar = 0;
      while (bar < plan.size() && room[bar] < packing.widths[kind]) ++bar;
      if (bar == plan.size()) {
        plan.push_back({longest, std::vector<int>(demand.size(), 0)});
        room.push_back(packing.capacities[longest]);
      }
      ++plan[bar].counts[kind];
      room[bar] -= packing.widths[kind];
    }
  }
  Shorten(packing, plan);
  return plan;
}

// What pattern generation may spend on one job (about half a second here): past it, the
// pieces still to place go by first-fit decreasing.
constexpr std::int64_t kWorkBudget = 500'000'000;

struct PatternPlan {
  Plan plan;
  std::optional<double> lpBound;  // of the whole job, where proven
};

// Pattern generation: solve the programme, cut the bars its optimum uses whole, and solve again
// for what is left; when no pattern is used a whole bar's worth, cut the most used one once.
// What the programme cannot place any more is left to first-fit decreasing.
PatternPlan ByPatterns(const Packing& packing) {
  std::vector<StockBar> stocks;
  for (std::size_t s = 0; s < packing.stock.size(); ++s) {
    stocks.push_back({packing.capacities[s], static_cast<double>(packing.stock[s]) / static_cast<double>(packing.stock.back())});
  }
  PatternPool pool;
  WorkBudget budget{kWorkBudget};
  PatternPlan result;
  std::vector<int> residual = packing.demand;
  const auto wanted = [&] { return std::any_of(residual.begin(), residual.end(), [](int n) { return n > 0; }); };
  const auto fits = [&](const CuttingPattern& pattern) {
    for (std::size_t kind = 0; kind < residual.size(); ++kind) {
      if (pattern.counts[kind] > residual[kind]) return false;
    }
    return true;
  };
  const auto cut = [&](const CuttingPattern& pattern) {
    PlannedBar bar{pattern.stock, std::vector<int>(residual.size(), 0)};
    bool any = false;
    for (std::size_t kind = 0; kind < residual.size(); ++kind) {
      bar.counts[kind] = std::min(pattern.counts[kind], residual[kind]);
      residual[kind] -= bar.counts[kind];
      any = any || bar.counts[kind] > 0;
    }
    if (any) result.plan.push_back(std::move(bar));
    return any;
  };
  for (std::size_t round = 0; wanted() && !budget.Spent() && round < 4 * residual.size() + 64; ++round) {
    LpSolution lp = SolveCuttingStockLp(packing.widths, residual, stocks, pool, budget);
    if (round == 0) result.lpBound = lp.bound;
    if (lp.usage.empty()) break;
    std::stable_sort(lp.usage.begin(), lp.usage.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    bool tookWhole = false;
    for (const auto& [pattern, bars] : lp.usage) {
      for (int n = 0; n < static_cast<int>(std::floor(bars + 1e-9)); ++n) tookWhole = cut(pool[pattern]) || tookWhole;
    }
    if (tookWhole) continue;
    // No bar is used whole: round up the patterns used more than half (as long as they give only
    // pieces still wanted), or else the one used most, and solve again for what is left.
    bool tookAny = false;
    for (const auto& [pattern, bars] : lp.usage) {
      if (bars > 0.5 && fits(pool[pattern])) tookAny = cut(pool[pattern]) || tookAny;
    }
    if (!tookAny) cut(pool[lp.usage.front().first]);
  }
  if (wanted()) {
    for (PlannedBar& bar : FirstFitDecreasing(packing, residual)) result.plan.push_back(std::move(bar));
  }
  Shorten(packing, result.plan);
  return result;
}

// Minimum bin slack: bar after bar, the longest piece left and with it the pieces left that fill
// the rest of the bar best (a search that stops at an exact fill, within a budget per bar).
Plan MinimumSlack(const Packing& packing) {
  Plan plan;
  std::vector<int> residual = packing.demand;
  const std::size_t longest = packing.capacities.size() - 1;
  for (std::size_t first = 0; first < residual.size();) {
    if (residual[first] == 0) {
      ++first;
      continue;
    }
    --residual[first];
    std::vector<KnapsackItem> items(residual.size());
    for (std::size_t kind = 0; kind < residual.size(); ++kind) {
      items[kind] = {static_cast<double>(packing.widths[kind]), packing.widths[kind], residual[kind]};
    }
    const KnapsackFill fill = BestFill(items, packing.capacities[longest] - packing.widths[first], 200000);
    PlannedBar bar{longest, fill.counts};
    ++bar.counts[first];
    for (std::size_t kind = 0; kind < residual.size(); ++kind) residual[kind] -= fill.counts[kind];
    plan.push_back(std::move(bar));
  }
  Shorten(packing, plan);
  return plan;
}

// The least number of bars: the programme with the longest bar alone, each bar costing one.
std::optional<int> BarBound(const Packing& packing, const std::optional<double>& lengthBound) {
  if (packing.stock.size() == 1) {
    if (!lengthBound) return std::nullopt;
    return static_cast<int>(std::ceil(*lengthBound - 1e-6));
  }
  PatternPool pool;
  WorkBudget budget{kWorkBudget / 4};
  const LpSolution lp = SolveCuttingStockLp(packing.widths, packing.demand, {{packing.capacities.back(), 1.0}}, pool, budget);
  if (!lp.bound) return std::nullopt;
  return static_cast<int>(std::ceil(*lp.bound - 1e-6));
}

// The bars with their pieces: longest stock first and, within one, the fuller bars first; each
// kind's pieces go to the bars in the order the job lists them, longest first on every bar.
Nesting Assemble(const NestingJob& job, const Packing& packing, Plan plan) {
  std::stable_sort(plan.begin(), plan.end(), [](const PlannedBar& a, const PlannedBar& b) {
    return a.stock != b.stock ? a.stock > b.stock : a.counts > b.counts;
  });
  Nesting nesting;
  std::vector<std::size_t> next(packing.lengths.size(), 0);
  for (const PlannedBar& planned : plan) {
    NestedBar bar{packing.stock[planned.stock], {}, 0};
    Tenths used = job.trim;
    for (std::size_t kind = 0; kind < planned.counts.size(); ++kind) {
      for (int n = 0; n < planned.counts[kind]; ++n) {
        bar.pieces.push_back(job.pieces[packing.piecesOfKind[kind][next[kind]++]]);
        used += packing.lengths[kind] + (bar.pieces.size() > 1 ? job.kerf : 0);
      }
    }
    bar.offcut = bar.stock - used;
    nesting.bars.push_back(std::move(bar));
  }
  for (const std::size_t index : packing.unplaced) nesting.unplaced.push_back(job.pieces[index]);
  if (!packing.capacities.empty()) {
    nesting.continuousBoundBars = static_cast<int>(ContinuousBoundBars(packing));
    // No bar holds more of the pieces' widths per length than the one that wastes least on its trim.
    double bestShare = 0;
    for (std::size_t s = 0; s < packing.stock.size(); ++s) {
      bestShare = std::max(bestShare, static_cast<double>(packing.capacities[s]) / static_cast<double>(packing.stock[s]));
    }
    nesting.continuousBoundLength = static_cast<Tenths>(std::ceil(static_cast<double>(NeededWidth(packing)) / bestShare - 1e-6));
  }
  return nesting;
}

}  // namespace

const char* MethodName(Nesting::Method method) {
  switch (method) {
    case Nesting::Method::PatternGeneration: return "pattern generation";
    case Nesting::Method::MinimumSlack: return "minimum bin slack";
    case Nesting::Method::FirstFitDecreasing: break;
  }
  return "first-fit decreasing";
}

Nesting NestFirstFitDecreasing(const NestingJob& job) {
  Check(job);
  const Packing packing = PackingOf(job);
  if (packing.lengths.empty()) return Assemble(job, packing, {});
  return Assemble(job, packing, FirstFitDecreasing(packing, packing.demand));
}

Nesting Nest(const NestingJob& job) {
  Check(job);
  const Packing packing = PackingOf(job);
  if (packing.lengths.empty()) return Assemble(job, packing, {});
  std::vector<std::pair<Nesting::Method, Plan>> candidates;
  candidates.emplace_back(Nesting::Method::MinimumSlack, MinimumSlack(packing));
  candidates.emplace_back(Nesting::Method::FirstFitDecreasing, FirstFitDecreasing(packing, packing.demand));
  // With one stock length, bars as few as the continuous bound are the optimum: nothing to solve.
  const bool optimal = packing.stock.size() == 1 && candidates.front().second.size() == ContinuousBoundBars(packing);
  std::optional<double> lpBound;
  if (!optimal) {
    PatternPlan patterns = ByPatterns(packing);
    lpBound = patterns.lpBound;
    candidates.emplace(candidates.begin(), Nesting::Method::PatternGeneration, std::move(patterns.plan));
  }
  // The least ordered length, then the fewest bars; on a tie, the earlier method.
  const auto best = std::min_element(candidates.begin(), candidates.end(), [&](const auto& a, const auto& b) {
    const Tenths la = OrderedLength(packing, a.second), lb = OrderedLength(packing, b.second);
    return la != lb ? la < lb : a.second.size() < b.second.size();
  });
  Nesting nesting = Assemble(job, packing, std::move(best->second));
  nesting.method = best->first;
  if (!optimal) nesting.lpBoundBars = BarBound(packing, lpBound);
  if (lpBound) nesting.lpBoundLength = static_cast<Tenths>(std::ceil(*lpBound * static_cast<double>(packing.stock.back()) - 1e-3));
  return nesting;
}

}  // namespace zembrati::shop
