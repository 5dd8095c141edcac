#pragma once

#include <cstdint>
#include <string>

namespace zembrati::ui {

// What the part classes read from the selection dialog while a part is being made: the texts of
// the selected standard, size and material, the selected standard's item data (its line in the
// standards index file) and the size list's tag (the size table's path). The dialog publishes
// itself here while it is live, so the layers below it never include it.
class LiveSelections {
 public:
  virtual ~LiveSelections() = default;
  virtual std::string StandardText() const = 0;
  virtual std::string SizeText() const = 0;
  virtual std::string MaterialText() const = 0;
  virtual std::int16_t StandardItemData() const = 0;
  virtual std::string SizeTag() const = 0;
  // The chosen wall or plate thickness (empty for types without).
  virtual std::string ThicknessText() const { return {}; }
};

// The live dialog's selections; with no dialog live, empty texts and 0.
const LiveSelections& CurrentSelections();

// Publishes a dialog's selections for the lifetime of the scope.
class ScopedLiveSelections {
 public:
  explicit ScopedLiveSelections(const LiveSelections& selections);
  ~ScopedLiveSelections();
  ScopedLiveSelections(const ScopedLiveSelections&) = delete;
  ScopedLiveSelections& operator=(const ScopedLiveSelections&) = delete;

 private:
  const LiveSelections* previous_;
};

}  // namespace zembrati::ui
