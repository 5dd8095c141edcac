#include "ui/live_selections.h"

namespace zembrati::ui {
namespace {

class NoSelections : public LiveSelections {
 public:
  std::string StandardText() const override { return {}; }
  std::string SizeText() const override { return {}; }
  std::string MaterialText() const override { return {}; }
  std::int16_t StandardItemData() const override { return 0; }
  std::string SizeTag() const override { return {}; }
};

const NoSelections none;
thread_local const LiveSelections* live = nullptr;

}  // namespace

const LiveSelections& CurrentSelections() { return live != nullptr ? *live : none; }

ScopedLiveSelections::ScopedLiveSelections(const LiveSelections& selections) : previous_(live) { live = &selections; }

ScopedLiveSelections::~ScopedLiveSelections() { live = previous_; }

}  // namespace zembrati::ui
