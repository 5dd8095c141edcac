#pragma once

#include <cstdint>
#include <vector>

namespace zembrati::shop {

// One kind of piece offered to a bar: what one more of it is worth, what it takes of the bar
// (its length and a kerf) and how many of it may go.
struct KnapsackItem {
  double value = 0;
  std::int64_t width = 0;
  int most = 0;
};

struct KnapsackFill {
  double value = 0;
  std::vector<int> counts;  // per item
  // No fill is worth more than this: the fill's own value when the search went through, else
  // the fractional fill of the whole bar.
  double upperBound = 0;
  long nodes = 0;  // how many the search visited
};

// The most valuable fill of one bar of `capacity` (bounded knapsack), by depth-first branch and
// bound over the items in order of value per length, each bound the fractional fill of what is
// left, within a budget of nodes. Items worth nothing are never taken.
KnapsackFill BestFill(const std::vector<KnapsackItem>& items, std::int64_t capacity, long nodeBudget = 20000);

}  // namespace zembrati::shop
