#pragma once

#include <memory>

#include "document.h"
#include "settings.h"

namespace zembrati::scene {

// What every object of the built-in host shares: the document and the settings. Objects keep it
// alive, so a reference the system holds past the host's own lifetime stays valid.
struct SceneContext {
  Document document;
  Settings settings;
};
using ContextPtr = std::shared_ptr<SceneContext>;

}  // namespace zembrati::scene
