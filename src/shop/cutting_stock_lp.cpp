#include "cutting_stock_lp.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "bar_knapsack.h"

namespace zembrati::shop {

std::size_t PatternPool::Add(CuttingPattern pattern) {
  auto key = std::make_pair(pattern.stock, pattern.counts);
  if (const auto found = known_.find(key); found != known_.end()) return found->second;
  std::vector<std::pair<std::size_t, int>> given;
  for (std::size_t kind = 0; kind < pattern.counts.size(); ++kind) {
    if (pattern.counts[kind] > 0) given.emplace_back(kind, pattern.counts[kind]);
  }
  givenTotal_ += given.size();
  given_.push_back(std::move(given));
  patterns_.push_back(std::move(pattern));
  known_.emplace(std::move(key), patterns_.size() - 1);
  return patterns_.size() - 1;
}

namespace {

constexpr double kTolerance = 1e-9;

// The restricted master programme in revised form: one row per kind of piece still wanted, the
// basis inverse kept dense (a job has tens to a few hundred kinds), a basic column being a
// pattern or the surplus of a row (a piece made beyond the demand).
class Master {
 public:
  Master(const std::vector<std::int64_t>& widths, const std::vector<int>& demand, const std::vector<StockBar>& stocks,
         PatternPool& pool, WorkBudget& budget)
      : widths_(widths), stocks_(stocks), pool_(pool), budget_(budget) {
    for (std::size_t kind = 0; kind < demand.size(); ++kind) {
      if (demand[kind] > 0) {
        rows_.push_back(kind);
        rhs_.push_back(demand[kind]);
      }
    }
    m_ = rows_.size();
    rowOfKind_.assign(demand.size(), -1);
    for (std::size_t r = 0; r < m_; ++r) rowOfKind_[rows_[r]] = static_cast<long>(r);
    StartFromSingleKindPatterns();
  }

  LpSolution Solve() {
    LpSolution solution;
    const std::size_t pivotLimit = 60 * m_ + 2000;
    for (std::size_t pivots = 0; pivots < pivotLimit && !budget_.Spent(); ++pivots) {
      if (pivots % 64 == 63 && !Refactor()) break;
      budget_.left -= static_cast<std::int64_t>(3 * m_ * m_ + pool_.GivenTotal());
      const std::vector<double> y = Duals();
      std::optional<Column> entering = FromSurplusOrPool(y);
      if (!entering) {
        const Pricing pricing = Price(y);
        solution.bound = std::max(solution.bound.value_or(0.0), Objective() / std::max(1.0, pricing.ratio));
        entering = pricing.best;
        // The optimum, or as near as makes no difference to the bars: stop there, the
        // programme's later pivots mostly being degenerate ones.
        if (!entering || (solution.bound && CloseEnough(Objective(), *solution.bound))) break;
      }
      if (!Pivot(*entering)) break;
    }
    solution.objective = Objective();
    for (std::size_t r = 0; r < m_; ++r) {
      if (basis_[r] >= 0 && xb_[r] > kTolerance) solution.usage.emplace_back(static_cast<std::size_t>(basis_[r]), xb_[r]);
    }
    return solution;
  }

 private:
  // Basic columns: a pattern's index, or -1 - row for that row's surplus.
  using Column = long;

  double Cost(Column column) const { return column < 0 ? 0.0 : stocks_[pool_[static_cast<std::size_t>(column)].stock].cost; }

  std::vector<double> Dense(Column column) const {
    std::vector<double> a(m_, 0.0);
    if (column < 0) {
      a[static_cast<std::size_t>(-1 - column)] = -1;
    } else {
      const CuttingPattern& pattern = pool_[static_cast<std::size_t>(column)];
      for (std::size_t r = 0; r < m_; ++r) a[r] = pattern.counts[rows_[r]];
    }
    return a;
  }

  // Each kind alone, as many as the bar that makes it cheapest per piece holds and are wanted: a
  // diagonal basis that makes exactly the demand, so the programme starts feasible. (More than
  // are wanted would start it nearer the optimum, but on patterns that rounding must cut short.)
  void StartFromSingleKindPatterns() {
    basis_.assign(m_, 0);
    binv_.assign(m_ * m_, 0.0);
    xb_.assign(m_, 0.0);
    for (std::size_t r = 0; r < m_; ++r) {
      const std::size_t kind = rows_[r];
      std::size_t bestStock = 0;
      int bestCount = 0;
      double bestCostPerPiece = std::numeric_limits<double>::infinity();
      for (std::size_t s = 0; s < stocks_.size(); ++s) {
        const int count = static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(rhs_[r]), stocks_[s].capacity / widths_[kind]));
        if (count > 0 && stocks_[s].cost / count < bestCostPerPiece) {
          bestCostPerPiece = stocks_[s].cost / count;
          bestStock = s;
          bestCount = count;
        }
      }
      CuttingPattern pattern{bestStock, std::vector<int>(widths_.size(), 0)};
      pattern.counts[kind] = bestCount;
      basis_[r] = static_cast<Column>(pool_.Add(std::move(pattern)));
      binv_[r * m_ + r] = 1.0 / bestCount;
      xb_[r] = rhs_[r] / bestCount;
    }
  }

  std::vector<double> Duals() const {
    std::vector<double> y(m_, 0.0);
    for (std::size_t r = 0; r < m_; ++r) {
      const double c = Cost(basis_[r]);
      if (c == 0) continue;
      for (std::size_t j = 0; j < m_; ++j) y[j] += c * binv_[r * m_ + j];
    }
    return y;
  }

  double ReducedCost(std::size_t patternIndex, const std::vector<double>& y) const {
    double value = 0;
    for (const auto& [kind, count] : pool_.Given(patternIndex)) {
      if (const long row = rowOfKind_[kind]; row >= 0) value += y[static_cast<std::size_t>(row)] * count;
    }
    return stocks_[pool_[patternIndex].stock].cost - value;
  }

  double Objective() const {
    double objective = 0;
    for (std::size_t r = 0; r < m_; ++r) objective += Cost(basis_[r]) * xb_[r];
    return objective;
  }

  // With every bar costing one, no integer answer lies between two objectives with the same
  // ceiling; with bars of several lengths, a gap of a hundredth of a percent is not worth the
  // thousands of pivots that close it (column generation tails off).
  bool CloseEnough(double objective, double bound) const {
    const bool unitCosts = std::all_of(stocks_.begin(), stocks_.end(), [](const StockBar& s) { return s.cost == 1.0; });
    if (unitCosts) return std::ceil(bound - 1e-7) >= std::ceil(objective - 1e-7);
    return objective - bound <= 1e-4 * objective;
  }

  // A surplus with a negative dual, else the most improving pattern of the pool.
  std::optional<Column> FromSurplusOrPool(const std::vector<double>& y) const {
    for (std::size_t r = 0; r < m_; ++r) {
      if (y[r] < -kTolerance) return -1 - static_cast<Column>(r);
    }
    std::optional<Column> best;
    double bestReduced = -kTolerance;
    for (std::size_t p = 0; p < pool_.size(); ++p) {
      if (const double reduced = ReducedCost(p, y); reduced < bestReduced) {
        bestReduced = reduced;
        best = static_cast<Column>(p);
      }
    }
    return best;
  }

  struct Pricing {
    std::optional<Column> best;  // the most improving new pattern of any bar
    double ratio = 0;            // the most any bar's fill may be worth over its cost
  };

  Pricing Price(const std::vector<double>& y) {
    Pricing pricing;
    double bestReduced = -kTolerance;
    for (std::size_t s = 0; s < stocks_.size(); ++s) {
      std::vector<KnapsackItem> items(m_);
      for (std::size_t r = 0; r < m_; ++r) {
        const std::int64_t fit = stocks_[s].capacity / widths_[rows_[r]];
        items[r] = {y[r], widths_[rows_[r]], static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(rhs_[r]), fit))};
      }
      const KnapsackFill fill = BestFill(items, stocks_[s].capacity);
      budget_.left -= fill.nodes * 8 + static_cast<std::int64_t>(m_);
      pricing.ratio = std::max(pricing.ratio, fill.upperBound / stocks_[s].cost);
      if (const double reduced = stocks_[s].cost - fill.value; reduced < bestReduced) {
        CuttingPattern pattern{s, std::vector<int>(widths_.size(), 0)};
        for (std::size_t r = 0; r < m_; ++r) pattern.counts[rows_[r]] = fill.counts[r];
        bestReduced = reduced;
        pricing.best = static_cast<Column>(pool_.Add(std::move(pattern)));
      }
    }
    return pricing;
  }

  bool Pivot(Column entering) {
    const std::vector<double> a = Dense(entering);
    std::vector<double> u(m_, 0.0);
    for (std::size_t r = 0; r < m_; ++r) {
      for (std::size_t j = 0; j < m_; ++j) u[r] += binv_[r * m_ + j] * a[j];
    }
    std::size_t leaving = m_;
    double bestRatio = std::numeric_limits<double>::infinity();
    for (std::size_t r = 0; r < m_; ++r) {
      if (u[r] <= kTolerance) continue;
      const double ratio = std::max(0.0, xb_[r]) / u[r];
      // Among ties the larger pivot, for the sake of the inverse's accuracy.
      if (ratio < bestRatio - kTolerance || (ratio <= bestRatio + kTolerance && leaving < m_ && u[r] > u[leaving])) {
        bestRatio = ratio;
        leaving = r;
      }
    }
    if (leaving == m_) return false;
    const double pivot = u[leaving];
    for (std::size_t j = 0; j < m_; ++j) binv_[leaving * m_ + j] /= pivot;
    xb_[leaving] /= pivot;
    for (std::size_t r = 0; r < m_; ++r) {
      if (r == leaving || u[r] == 0) continue;
      for (std::size_t j = 0; j < m_; ++j) binv_[r * m_ + j] -= u[r] * binv_[leaving * m_ + j];
      xb_[r] -= u[r] * xb_[leaving];
    }
    basis_[leaving] = entering;
    return true;
  }

  // The basis inverse afresh from its columns (Gauss–Jordan with partial pivoting), so that
  // rounding errors of many updates do not pile up.
  bool Refactor() {
    std::vector<double> b(m_ * m_), inverse(m_ * m_, 0.0);
    for (std::size_t c = 0; c < m_; ++c) {
      const std::vector<double> a = Dense(basis_[c]);
      for (std::size_t r = 0; r < m_; ++r) b[r * m_ + c] = a[r];
    }
    for (std::size_t r = 0; r < m_; ++r) inverse[r * m_ + r] = 1;
    for (std::size_t c = 0; c < m_; ++c) {
      std::size_t p = c;
      for (std::size_t r = c + 1; r < m_; ++r) {
        if (std::fabs(b[r * m_ + c]) > std::fabs(b[p * m_ + c])) p = r;
      }
      if (std::fabs(b[p * m_ + c]) < 1e-12) return false;
      for (std::size_t j = 0; j < m_; ++j) {
        std::swap(b[c * m_ + j], b[p * m_ + j]);
        std::swap(inverse[c * m_ + j], inverse[p * m_ + j]);
      }
      const double pivot = b[c * m_ + c];
      for (std::size_t j = 0; j < m_; ++j) {
        b[c * m_ + j] /= pivot;
        inverse[c * m_ + j] /= pivot;
      }
      for (std::size_t r = 0; r < m_; ++r) {
        const double f = b[r * m_ + c];
        if (r == c || f == 0) continue;
        for (std::size_t j = 0; j < m_; ++j) {
          b[r * m_ + j] -= f * b[c * m_ + j];
          inverse[r * m_ + j] -= f * inverse[c * m_ + j];
        }
      }
    }
    binv_ = std::move(inverse);
    for (std::size_t r = 0; r < m_; ++r) {
      xb_[r] = 0;
      for (std::size_t j = 0; j < m_; ++j) xb_[r] += binv_[r * m_ + j] * rhs_[j];
    }
    return true;
  }

  const std::vector<std::int64_t>& widths_;
  const std::vector<StockBar>& stocks_;
  PatternPool& pool_;
  WorkBudget& budget_;
  std::vector<std::size_t> rows_;
  std::vector<long> rowOfKind_;  // -1 for a kind no longer wanted
  std::vector<double> rhs_;
  std::size_t m_ = 0;
  std::vector<Column> basis_;
  std::vector<double> binv_, xb_;
};

}  // namespace

LpSolution SolveCuttingStockLp(const std::vector<std::int64_t>& widths, const std::vector<int>& demand,
                               const std::vector<StockBar>& stocks, PatternPool& pool, WorkBudget& budget) {
  Master master(widths, demand, stocks, pool, budget);
  return master.Solve();
}

}  // namespace zembrati::shop
