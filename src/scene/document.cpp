#include "document.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "runtime/number_text.h"
#include "scene_error.h"

namespace zembrati::scene {

NodePtr Node::OwningShape() const {
  NodePtr holder = owner.lock();
  while (holder && holder->role != NodeRole::Shape) holder = holder->owner.lock();
  return holder;
}

std::vector<NodePtr> Node::ChildShapes() const {
  std::vector<NodePtr> children;
  for (const auto& [componentKind, list] : components) {
    for (const NodePtr& component : list) {
      children.insert(children.end(), component->shapes.begin(), component->shapes.end());
    }
  }
  return children;
}

NodePtr Node::FirstComponent(std::int32_t componentKind) const {
  const auto found = components.find(componentKind);
  return found == components.end() || found->second.empty() ? nullptr : found->second.front();
}

const LoopSketch& SketchOf(const Node& loop) {
  static const LoopSketch kUndrawn;
  return loop.sketch ? *loop.sketch : kUndrawn;
}

LoopSketch& SketchToDraw(Node& loop) {
  if (!loop.sketch || loop.sketch.use_count() > 1) {
    loop.sketch = std::make_shared<LoopSketch>(SketchOf(loop));
  }
  return *loop.sketch;
}

std::uint64_t Document::IdentityOf(const NodePtr& part) {
  if (part->id == 0) {
    RememberIdentities();
    part->id = ++highestIdentity;
  }
  return part->id;
}

void Document::RememberIdentities() {
  if (identitiesKnown) return;
  highestIdentity = std::max(highestIdentity, NextIdentity() - 1);
  identitiesKnown = true;
}

std::uint64_t Document::NextIdentity() const {
  std::uint64_t highest = 0;
  root->ForEachChildShape([&](const NodePtr& part) { highest = std::max(highest, part->id); });
  return highest + 1;
}

NodePtr Document::PartWithIdentity(std::uint64_t id) const {
  NodePtr found;
  if (id == 0) return found;
  root->ForEachChildShape([&](const NodePtr& part) {
    if (!found && part->id == id) found = part;
  });
  return found;
}

NodePtr FirstBody(const Node& part) {
  NodePtr body;
  part.ForEachChildShape([&](const NodePtr& child) {
    if (!body && child->kind == kind::kBodyShape) body = child;
  });
  return body;
}

NodePtr MakeNode(NodeRole role, std::int32_t nodeKind, const NodePtr& owner) {
  auto node = std::make_shared<Node>();
  node->role = role;
  node->kind = nodeKind;
  node->owner = owner;
  if (role == NodeRole::Shape && nodeKind == kind::kRootShape && !owner) {
    AddComponent(node, kind::kPartHolder);
  } else if (role == NodeRole::Shape && nodeKind == kind::kPartShape) {
    AddComponent(node, kind::kBodyHolder);
  } else if (role == NodeRole::Shape && nodeKind == kind::kBodyShape) {
    for (const std::int32_t k : {1, 4, 5, 14, 15}) AddComponent(node, k);
  } else if (role == NodeRole::Profile) {
    AddComponent(node, 4);
    node->components[kind::kLoop];  // no loops yet, but the collection exists
  }
  return node;
}

NodePtr AddComponent(const NodePtr& node, std::int32_t componentKind) {
  const bool loop = node->role == NodeRole::Profile && componentKind == kind::kLoop;
  NodePtr component = MakeNode(loop ? NodeRole::Loop : NodeRole::Component, componentKind, node);
  if (!loop && node->role == NodeRole::Shape && componentKind == kind::kProfileHolder) {
    component->profile = MakeNode(NodeRole::Profile, 0, component);
  }
  node->components[componentKind].push_back(component);
  return component;
}

NodePtr AddShape(const NodePtr& component, std::int32_t shapeKind) {
  NodePtr shape = MakeNode(NodeRole::Shape, shapeKind, component);
  component->shapes.push_back(shape);
  return shape;
}

std::optional<LengthUnit> LengthUnitFromName(const std::string& name) {
  if (name == "mm") return LengthUnit::Millimetre;
  if (name == "cm") return LengthUnit::Centimetre;
  if (name == "m") return LengthUnit::Metre;
  if (name == "in") return LengthUnit::Inch;
  if (name == "ft") return LengthUnit::Foot;
  return std::nullopt;
}

std::string LengthUnitName(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Millimetre: return "mm";
    case LengthUnit::Centimetre: return "cm";
    case LengthUnit::Metre: return "m";
    case LengthUnit::Inch: return "in";
    case LengthUnit::Foot: return "ft";
  }
  return "mm";
}

namespace {

void CollectBodies(const NodePtr& shape, std::vector<NodePtr>& bodies) {
  if (shape->kind == kind::kBodyShape) bodies.push_back(shape);
  shape->ForEachChildShape([&](const NodePtr& child) { CollectBodies(child, bodies); });
}

double ExtrusionLength(const Node& body) {
  const NodePtr extrusion = body.FirstComponent(kind::kExtrusion);
  if (!extrusion || !extrusion->variables.contains(kind::kLengthVariable)) {
    RaiseSceneError(scene_error::kBadLength, "The body has no extrusion length");
  }
  double length = 0;
  try {
    length = extrusion->variables.at(kind::kLengthVariable).ToDouble();
  } catch (const runtime::RuntimeError&) {
    RaiseSceneError(scene_error::kBadLength, "The extrusion length is not a number");
  }
  if (!std::isfinite(length) || length <= 0) {
    RaiseSceneError(scene_error::kBadLength, "The extrusion length " + runtime::GeneralForm(length) +
                                                 " is not a positive length");
  }
  return length;
}

// The loop nodes of a body's profile (none when it has no loop collection).
const std::vector<NodePtr>& LoopNodesOf(const Node& body) {
  static const std::vector<NodePtr> none;
  const NodePtr holder = body.FirstComponent(kind::kProfileHolder);
  if (!holder || !holder->profile) RaiseSceneError(scene_error::kBadSketch, "The body has no profile");
  const auto found = holder->profile->components.find(kind::kLoop);
  return found == holder->profile->components.end() ? none : found->second;
}

bool SameLoops(const std::vector<NodePtr>& loops, const std::vector<LoopSketch>& sketches) {
  if (loops.size() != sketches.size()) return false;
  for (std::size_t i = 0; i < loops.size(); ++i) {
    if (!(SketchOf(*loops[i]) == sketches[i])) return false;
  }
  return true;
}

// Whether the body's loops are still those its section was built from, compared where they
// stand: an update of a large scene rebuilds none of its unchanged bodies and copies no loop.
bool BuiltFromTheseLoops(const Node& body, const std::vector<NodePtr>& loops) {
  return body.section && body.builtFrom && SameLoops(loops, *body.builtFrom);
}

void MixSketch(std::size_t& hash, const LoopSketch& sketch) {
  const auto mix = [&hash](double value) { hash = hash * 1000003u ^ std::hash<double>{}(value); };
  if (sketch.start) {
    mix(sketch.start->x);
    mix(sketch.start->y);
  }
  for (const Point2& point : sketch.lines) {
    mix(point.x);
    mix(point.y);
  }
  for (const FilletRequest& fillet : sketch.fillets) mix(fillet.radius);
  mix(sketch.circleRadius);
}

std::size_t HashOfLoops(const std::vector<NodePtr>& loops) {
  std::size_t hash = loops.size();
  for (const NodePtr& loop : loops) MixSketch(hash, SketchOf(*loop));
  return hash;
}

// The sections built lately, by their loops: a body drawn as another was gets the same section
// and loops instead of a rebuilt copy. Entries live as long as a body holds their section.
class SectionCache {
 public:
  struct Built {
    std::shared_ptr<const std::vector<LoopSketch>> loops;
    std::shared_ptr<const Section> section;
  };

  Built Find(const std::vector<NodePtr>& loops) {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto [first, last] = entries_.equal_range(HashOfLoops(loops));
    for (auto entry = first; entry != last; ++entry) {
      std::shared_ptr<const Section> section = entry->second.section.lock();
      if (section && SameLoops(loops, *entry->second.loops)) return {entry->second.loops, section};
    }
    return {};
  }

  void Keep(const std::vector<NodePtr>& loops, const Built& built) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (entries_.size() >= kLimit) {
      std::erase_if(entries_, [](const auto& entry) { return entry.second.section.expired(); });
    }
    if (entries_.size() < kLimit) entries_.emplace(HashOfLoops(loops), Entry{built.loops, built.section});
  }

 private:
  struct Entry {
    std::shared_ptr<const std::vector<LoopSketch>> loops;
    std::weak_ptr<const Section> section;
  };
  static constexpr std::size_t kLimit = 4096;
  std::mutex mutex_;
  std::unordered_multimap<std::size_t, Entry> entries_;
};

SectionCache& Sections() {
  static SectionCache cache;
  return cache;
}

// The sketches read lately, by their content, for loops read alike to share. A sketch drawn on
// after it was shared is copied first (SketchToDraw), so an entry's content only changes when no
// loop shares it any more, and an entry is only used when its content is still the same.
class SketchCache {
 public:
  std::shared_ptr<LoopSketch> Share(LoopSketch sketch) {
    std::size_t hash = 0;
    MixSketch(hash, sketch);
    const std::lock_guard<std::mutex> lock(mutex_);
    auto [first, last] = entries_.equal_range(hash);
    for (auto entry = first; entry != last; ++entry) {
      std::shared_ptr<LoopSketch> shared = entry->second.lock();
      if (shared && *shared == sketch) return shared;
    }
    if (entries_.size() >= kLimit) std::erase_if(entries_, [](const auto& entry) { return entry.second.expired(); });
    auto shared = std::make_shared<LoopSketch>(std::move(sketch));
    if (entries_.size() < kLimit) entries_.emplace(hash, shared);
    return shared;
  }

 private:
  static constexpr std::size_t kLimit = 4096;
  std::mutex mutex_;
  std::unordered_multimap<std::size_t, std::weak_ptr<LoopSketch>> entries_;
};

}  // namespace

std::vector<NodePtr> Document::Bodies() const {
  std::vector<NodePtr> bodies;
  CollectBodies(root, bodies);
  return bodies;
}

void RebuildBody(Node& body) {
  try {
    const double length = ExtrusionLength(body);
    const std::vector<NodePtr>& loopNodes = LoopNodesOf(body);
    if (!BuiltFromTheseLoops(body, loopNodes)) {
      SectionCache::Built built = Sections().Find(loopNodes);
      if (!built.section) {
        auto loops = std::make_shared<std::vector<LoopSketch>>();
        loops->reserve(loopNodes.size());
        for (const NodePtr& loop : loopNodes) loops->push_back(SketchOf(*loop));
        built = {loops, std::make_shared<const Section>(BuildSection(*loops))};
        Sections().Keep(loopNodes, built);
      }
      body.section = std::move(built.section);
      body.builtFrom = std::move(built.loops);
    }
    body.length = length;
  } catch (...) {
    // A body that cannot be rebuilt has no solid, rather than one that no longer matches it.
    body.section.reset();
    body.builtFrom.reset();
    throw;
  }
}

void RebuildBodies(const NodePtr& shape) {
  std::vector<NodePtr> bodies;
  CollectBodies(shape, bodies);
  for (const NodePtr& body : bodies) RebuildBody(*body);
}

namespace {

// Whether the node still hangs from the document's root: a removed shape loses its owner.
bool InDocument(const Node& node, const Document& document) {
  NodePtr above = node.owner.lock();
  if (!above) return &node == document.root.get();
  while (NodePtr next = above->owner.lock()) above = std::move(next);
  return above == document.root;
}

}  // namespace

void NoteChange(Document& document, const NodePtr& node) {
  NodePtr body = node;
  while (body && body->role != NodeRole::Shape) body = body->owner.lock();
  if (!body || body->kind != kind::kBodyShape) return;
  // Drawing a loop is a run of calls on one body: note it once.
  if (!document.changedBodies.empty() && document.changedBodies.back().lock() == body) return;
  document.changedBodies.push_back(body);
}

void RebuildChangedBodies(Document& document) {
  std::vector<std::weak_ptr<Node>> pending = std::move(document.changedBodies);
  document.changedBodies.clear();
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const NodePtr body = pending[i].lock();
    if (!body || !InDocument(*body, document)) continue;
    try {
      RebuildBody(*body);
    } catch (...) {
      document.changedBodies.insert(document.changedBodies.begin(), pending.begin() + static_cast<std::ptrdiff_t>(i),
                                    pending.end());
      throw;
    }
  }
}

std::shared_ptr<LoopSketch> SharedSketch(LoopSketch sketch) {
  static SketchCache cache;
  return cache.Share(std::move(sketch));
}

}  // namespace zembrati::scene
