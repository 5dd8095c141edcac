#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace zembrati::shop {

// A bar the pieces may be cut from: what it holds (its length less the trim, plus one kerf, as
// every piece takes its width plus a kerf) and what it costs in the objective.
struct StockBar {
  std::int64_t capacity = 0;
  double cost = 1;
};

// One way of cutting a bar: how many of each kind of piece it gives.
struct CuttingPattern {
  std::size_t stock = 0;
  std::vector<int> counts;  // per kind of piece
};

// The patterns found so far, shared by the successive programmes of one job so that what is
// left after rounding starts from what was learnt before.
class PatternPool {
 public:
  std::size_t Add(CuttingPattern pattern);
  const CuttingPattern& operator[](std::size_t index) const { return patterns_[index]; }
  std::size_t size() const { return patterns_.size(); }
  // A pattern's kinds and counts where it gives any: a bar holds a few kinds of the many a job
  // has, and pricing the pool goes through these alone.
  const std::vector<std::pair<std::size_t, int>>& Given(std::size_t index) const { return given_[index]; }
  std::size_t GivenTotal() const { return givenTotal_; }

 private:
  std::vector<CuttingPattern> patterns_;
  std::vector<std::vector<std::pair<std::size_t, int>>> given_;
  std::size_t givenTotal_ = 0;
  std::map<std::pair<std::size_t, std::vector<int>>, std::size_t> known_;
};

struct LpSolution {
  double objective = 0;
  // The patterns the solution uses, with how many bars of each (fractional).
  std::vector<std::pair<std::size_t, double>> usage;
  // A lower bound on the cost of every way of cutting the pieces: the Lagrangian bound of the
  // duals, the objective over the most any bar's fill may be worth per cost (the objective
  // itself once no pattern improves it). None where the programme never got to pricing.
  std::optional<double> bound;
};

// How much work a job may still spend on the programme, in multiply-adds of the simplex method
// and nodes of the pricing searches: the same job stops at the same point, however fast the machine.
struct WorkBudget {
  std::int64_t left = 0;
  bool Spent() const { return left <= 0; }
};

// The linear programme of the cutting-stock problem (Gilmore–Gomory): the least cost of bars,
// in fractions, that give at least `demand` pieces of each kind of `widths`, by the revised
// simplex method over the pool's patterns, new patterns priced by the best fill of each bar at
// the programme's duals; it stops once the bound shows that going on cannot lower the answer
// (with bars costing one, the ceiling of the objective), or where the budget is spent, with the
// solution it has then. Every kind with demand must fit some bar.
LpSolution SolveCuttingStockLp(const std::vector<std::int64_t>& widths, const std::vector<int>& demand,
                               const std::vector<StockBar>& stocks, PatternPool& pool, WorkBudget& budget);

}  // namespace zembrati::shop
