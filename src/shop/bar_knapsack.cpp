#include "bar_knapsack.h"

#include <algorithm>
#include <limits>

long g_nodes=0;
namespace zembrati::shop {
namespace {

struct Search {
  const std::vector<KnapsackItem>& items;
  std::vector<std::size_t> order;  // worth taken, best value per length first
  long nodesLeft;
  std::vector<int> counts, bestCounts;
  double best = 0;
  bool exhausted = false;

  // Over `order`, the items' widths and values taken as many as may go, summed from the first:
  // the fractional fill of what is left is then found by halving, not by walking the items.
  std::vector<std::int64_t> widthsBefore{0};
  std::vector<double> valuesBefore{0};

  // The narrowest item from each position on: a room narrower ends the branch.
  std::vector<std::int64_t> narrowestFrom;

  void Prepare() {
    narrowestFrom.assign(order.size() + 1, std::numeric_limits<std::int64_t>::max());
    for (std::size_t k = order.size(); k-- > 0;) narrowestFrom[k] = std::min(narrowestFrom[k + 1], items[order[k]].width);
    for (const std::size_t index : order) {
      widthsBefore.push_back(widthsBefore.back() + items[index].width * items[index].most);
      valuesBefore.push_back(valuesBefore.back() + items[index].value * items[index].most);
    }
  }

  // The fractional fill of `room` by the items from `position` on: nothing fills it better.
  double Bound(std::size_t position, std::int64_t room) const {
    const std::int64_t reach = widthsBefore[position] + room;
    const std::size_t whole = static_cast<std::size_t>(
        std::upper_bound(widthsBefore.begin() + static_cast<std::ptrdiff_t>(position), widthsBefore.end(), reach) -
        widthsBefore.begin() - 1);
    double bound = valuesBefore[whole] - valuesBefore[position];
    if (whole < order.size()) {
      const KnapsackItem& next = items[order[whole]];
      bound += next.value * static_cast<double>(reach - widthsBefore[whole]) / static_cast<double>(next.width);
    }
    return bound;
  }

  void Explore(std::size_t position, std::int64_t room, double value) {
    if (value > best + 1e-12) {
      best = value;
      bestCounts = counts;
    }
    if (position == order.size() || room < narrowestFrom[position]) return;
    ++g_nodes;
    if (--nodesLeft < 0) {
      exhausted = true;
      return;
    }
    if (value + Bound(position, room) <= best + 1e-12) return;
    const std::size_t index = order[position];
    const KnapsackItem& item = items[index];
    const int most = static_cast<int>(std::min<std::int64_t>(item.most, room / item.width));
    for (int n = most; n >= 0 && !exhausted; --n) {
      counts[index] = n;
      Explore(position + 1, room - n * item.width, value + n * item.value);
    }
    counts[index] = 0;
  }
};

}  // namespace

KnapsackFill BestFill(const std::vector<KnapsackItem>& items, std::int64_t capacity, long nodeBudget) {
  Search search{items, {}, nodeBudget, std::vector<int>(items.size(), 0), std::vector<int>(items.size(), 0), 0, false, {0}, {0}, {}};
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].value > 1e-12 && items[i].most > 0 && items[i].width > 0 && items[i].width <= capacity) {
      search.order.push_back(i);
    }
  }
  std::stable_sort(search.order.begin(), search.order.end(), [&](std::size_t a, std::size_t b) {
    return items[a].value * static_cast<double>(items[b].width) > items[b].value * static_cast<double>(items[a].width);
  });
  search.Prepare();
  const double fractional = search.Bound(0, capacity);
  search.Explore(0, capacity, 0);
  return {search.best, search.bestCounts, search.exhausted ? std::max(search.best, fractional) : search.best,
          nodeBudget - std::max(0L, search.nodesLeft)};
}

}  // namespace zembrati::shop
