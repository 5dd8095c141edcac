#include "parts_set_aside.h"

namespace zembrati::scene {

PartsSetAside::PartsSetAside(Document& document) : holder_(document.root->FirstComponent(kind::kPartHolder)) {
  // The parts made meanwhile get identities of their own, above those of the parts set aside.
  document.RememberIdentities();
  if (holder_) parts_.swap(holder_->shapes);
}

PartsSetAside::~PartsSetAside() {
  if (!holder_) return;
  parts_.insert(parts_.end(), holder_->shapes.begin(), holder_->shapes.end());
  holder_->shapes.swap(parts_);
}

}  // namespace zembrati::scene
