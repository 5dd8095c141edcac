#pragma once

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

namespace zembrati::scene {

// A map kept as a sorted vector: what a node carries (a handful of variables, two data objects)
// in one block instead of a tree node per entry, with the members of std::map that the document
// uses. A scene of ten thousand parts holds a few hundred thousand of these entries. References
// to entries last until the next insertion or erasure.
template <typename Key, typename Value>
class FlatMap {
 public:
  using value_type = std::pair<Key, Value>;
  using iterator = typename std::vector<value_type>::iterator;
  using const_iterator = typename std::vector<value_type>::const_iterator;

  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }
  bool empty() const { return items_.empty(); }
  std::size_t size() const { return items_.size(); }

  iterator find(const Key& key) {
    const auto at = LowerBound(key);
    return at != items_.end() && at->first == key ? at : items_.end();
  }
  const_iterator find(const Key& key) const { return const_cast<FlatMap*>(this)->find(key); }
  bool contains(const Key& key) const { return find(key) != end(); }
  const Value& at(const Key& key) const {
    const auto found = find(key);
    if (found == end()) throw std::out_of_range("no such entry");
    return found->second;
  }
  Value& operator[](const Key& key) {
    const auto at = LowerBound(key);
    if (at != items_.end() && at->first == key) return at->second;
    return items_.emplace(at, std::piecewise_construct, std::forward_as_tuple(key), std::forward_as_tuple())->second;
  }
  std::size_t erase(const Key& key) {
    const auto found = find(key);
    if (found == end()) return 0;
    items_.erase(found);
    return 1;
  }

 private:
  iterator LowerBound(const Key& key) {
    return std::lower_bound(items_.begin(), items_.end(), key,
                            [](const value_type& item, const Key& k) { return item.first < k; });
  }

  std::vector<value_type> items_;
};

}  // namespace zembrati::scene
