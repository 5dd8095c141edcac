#include "scene_host.h"

#include "host_class_objects.h"
#include "scene_objects.h"

namespace zembrati::scene {

SceneHost::SceneHost(Document document, Settings settings)
    : context_(std::make_shared<SceneContext>(SceneContext{std::move(document), std::move(settings)})) {}

automation::ObjectRef SceneHost::Application() const { return MakeApplication(context_); }

automation::ObjectRef SceneHost::ActivePage() const { return MakePage(context_); }

automation::ObjectRef SceneHost::Wrap(const NodePtr& node) const { return WrapNode(context_, node); }

automation::ObjectRef SceneHost::CreateObject(std::string_view classId, std::string_view) {
  return CreateHostClassObject(context_, classId);
}

}  // namespace zembrati::scene
