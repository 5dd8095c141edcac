#pragma once

#include <string>

#include "automation/object_creation.h"
#include "scene_context.h"

namespace zembrati::scene {

// The built-in host: a CAD document with its application and page, the host classes the system
// creates by class id, and the settings that stand in for the registry. Install it as the
// thread's object creator (automation::ScopedObjectCreator) while the system runs against it.
class SceneHost : public automation::ObjectCreator {
 public:
  explicit SceneHost(Document document = {}, Settings settings = {});

  Document& document() { return context_->document; }
  Settings& settings() { return context_->settings; }
  const ContextPtr& context() const { return context_; }

  automation::ObjectRef Application() const;
  automation::ObjectRef ActivePage() const;
  automation::ObjectRef Wrap(const NodePtr& node) const;

  automation::ObjectRef CreateObject(std::string_view classId,
                                     std::string_view interfaceId) override;

 private:
  ContextPtr context_;
};

}  // namespace zembrati::scene
