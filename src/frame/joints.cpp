#include "joints.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>

#include "vector_math.h"

namespace zembrati::frame {
namespace {

using scene::JointKind;
using scene::JointRecord;

// The parts of the scene by identity.
std::unordered_map<std::uint64_t, scene::NodePtr> PartsByIdentity(const scene::Document& document) {
  std::unordered_map<std::uint64_t, scene::NodePtr> parts;
  document.root->ForEachChildShape([&](const scene::NodePtr& part) {
    if (part->id != 0) parts.emplace(part->id, part);
  });
  return parts;
}

std::string Described(const JointRecord& joint, const Member& member, const Member& other) {
  return std::string("the ") + scene::JointKindName(joint.kind) + " of the " + scene::MemberEndName(joint.end) + " of " +
         member.label + " to " + other.label;
}

// The ends a joint cuts: its own, and the other member's for a mitre.
struct CutEnd {
  const scene::Node* body;
  MemberEnd end;
  bool operator<(const CutEnd& other) const {
    return body != other.body ? body < other.body : end < other.end;
  }
};

scene::EndCut& EndOf(scene::BodyCuts& cuts, MemberEnd end) { return end == MemberEnd::Start ? cuts.start : cuts.end; }

class Solver {
 public:
  explicit Solver(scene::Document& document) : document_(document), parts_(PartsByIdentity(document)) {}

  std::vector<JointProblem> Run() {
    DropJointsOfRemovedMembers();
    for (std::size_t i = 0; i < document_.joints.size(); ++i) SolveOne(i);
    CheckWhatIsLeft();
    Apply();
    return problems_;
  }

 private:
  void DropJointsOfRemovedMembers() {
    std::erase_if(document_.joints, [&](const JointRecord& joint) {
      return !parts_.count(joint.member) || !parts_.count(joint.to);
    });
  }

  void SolveOne(std::size_t index) {
    const JointRecord& joint = document_.joints[index];
    const std::optional<Member> member = MemberOf(parts_.at(joint.member));
    const std::optional<Member> other = MemberOf(parts_.at(joint.to));
    if (!member || !other) {
      problems_.push_back({index, "a joint of " + parts_.at(joint.member)->name + " and " + parts_.at(joint.to)->name +
                                      ": one of them has no solid to cut"});
      return;
    }
    try {
      const JointCuts cuts = SolveJoint(joint, *member, *other);
      std::vector<std::pair<CutEnd, const scene::EndCut*>> ends{{{member->body.get(), joint.end}, &cuts.cut}};
      if (cuts.otherCut) ends.push_back({{other->body.get(), joint.toEnd}, &*cuts.otherCut});
      for (const auto& [end, cut] : ends) {
        if (byEnd_.count(end)) {
          throw JointError("the " + std::string(scene::MemberEndName(end.end)) + " of " +
                           (end.body == member->body.get() ? member->label : other->label) + " is joined already");
        }
      }
      for (const auto& [end, cut] : ends) {
        byEnd_[end] = index;
        EndOf(BodyCutsOf(end.body == member->body.get() ? *member : *other), end.end) = *cut;
      }
    } catch (const JointError& error) {
      problems_.push_back({index, Described(joint, *member, *other) + ": " + error.what()});
    }
  }

  scene::BodyCuts& BodyCutsOf(const Member& member) {
    auto [found, added] = cuts_.try_emplace(member.body.get());
    if (added) {
      found->second.member = member;
    }
    return found->second.cuts;
  }

  // Two cuts that cross inside a member leave nothing of it there: both joints are refused.
  void CheckWhatIsLeft() {
    for (auto it = cuts_.begin(); it != cuts_.end();) {
      const Member& member = it->second.member;
      if (scene::ShortestFibre(*member.section, member.length, it->second.cuts) > 1e-6) {
        ++it;
        continue;
      }
      for (const MemberEnd end : {MemberEnd::Start, MemberEnd::End}) {
        const auto joint = byEnd_.find({member.body.get(), end});
        if (joint != byEnd_.end()) {
          problems_.push_back({joint->second, "the cuts at both ends of " + member.label +
                                                  " cross inside it: nothing of it would be left there"});
        }
      }
      it = cuts_.erase(it);
    }
  }

  void Apply() {
    for (const scene::NodePtr& part : document_.Parts()) {
      if (const scene::NodePtr body = scene::FirstBody(*part); body && body->cuts) body->cuts.reset();
    }
    for (auto& [body, pending] : cuts_) pending.member.body->cuts = std::make_shared<const scene::BodyCuts>(pending.cuts);
  }

  struct Pending {
    Member member;
    scene::BodyCuts cuts;
  };

  scene::Document& document_;
  std::unordered_map<std::uint64_t, scene::NodePtr> parts_;
  std::map<const scene::Node*, Pending> cuts_;
  std::map<CutEnd, std::size_t> byEnd_;
  std::vector<JointProblem> problems_;
};

}  // namespace

std::vector<JointProblem> SolveJoints(scene::Document& document) { return Solver(document).Run(); }

namespace {

// A request made into the record the scene keeps, its ends settled: checked on the members as
// they stand, before the scene is touched.
JointRecord RecordOf(const LabelledJoint& labelled) {
  const JointRequest& request = labelled.request;
  if (request.part == request.other) throw JointError(labelled.label + " cannot be joined to itself");
  if (request.gap < 0) throw JointError("the gap is negative");
  std::optional<Member> member = MemberOf(request.part), other = MemberOf(request.other);
  if (!member) throw JointError(labelled.label + " has no solid to cut");
  if (!other) throw JointError(labelled.otherLabel + " has no solid to cut");
  member->label = labelled.label;
  other->label = labelled.otherLabel;
  JointRecord joint;
  joint.end = request.end ? *request.end : NearerEnd(*member, *other, request.kind);
  joint.kind = request.kind;
  joint.gap = request.gap;
  joint.extend = request.extend;
  joint.onFacePlane = request.onFacePlane;
  if (joint.kind == JointKind::Mitre) joint.toEnd = NearestEnd(*other, member->Point(joint.end, joint.extend));
  SolveJoint(joint, *member, *other);
  return joint;
}

}  // namespace

void AddJoints(scene::Document& document, const std::vector<LabelledJoint>& joints) {
  std::vector<JointRecord> records;
  for (std::size_t i = 0; i < joints.size(); ++i) {
    try {
      records.push_back(RecordOf(joints[i]));
    } catch (const JointError& error) {
      throw JointRequestError(i, error.what());
    }
  }
  // The joints made, solved with all the others (which also finds an end that two of them cut);
  // the first that does not solve undoes them all, identities given included.
  std::vector<scene::NodePtr> identified;
  const auto identityOf = [&](const scene::NodePtr& part) {
    if (part->id == 0) {
      document.IdentityOf(part);
      identified.push_back(part);
    }
    return part->id;
  };
  for (std::size_t i = 0; i < joints.size(); ++i) {
    records[i].member = identityOf(joints[i].request.part);
    records[i].to = identityOf(joints[i].request.other);
  }
  const std::size_t before = document.joints.size();
  document.joints.insert(document.joints.end(), records.begin(), records.end());
  const std::vector<JointProblem> problems = SolveJoints(document);
  const auto first = std::min_element(problems.begin(), problems.end(), [&](const JointProblem& a, const JointProblem& b) {
    return (a.index >= before ? a.index : SIZE_MAX) < (b.index >= before ? b.index : SIZE_MAX);
  });
  if (first == problems.end() || first->index < before) return;
  document.joints.resize(before);
  for (const scene::NodePtr& part : identified) part->id = 0;
  SolveJoints(document);
  throw JointRequestError(first->index - before, first->reason);
}

void AddJoint(scene::Document& document, const JointRequest& request, const std::string& label,
              const std::string& otherLabel) {
  AddJoints(document, {{request, label, otherLabel}});
}

std::size_t RemoveJoints(scene::Document& document, const scene::NodePtr& part, std::optional<MemberEnd> end,
                         const scene::NodePtr& other) {
  if (part->id == 0) return 0;
  const std::size_t before = document.joints.size();
  std::erase_if(document.joints, [&](const JointRecord& joint) {
    // The part's own end, or the part a joint meets: a butt or a cope meets no end of it, so
    // only a mitre's other end answers to --end.
    const bool atPart = (joint.member == part->id && (!end || joint.end == *end)) ||
                        (joint.to == part->id && (!end || (joint.kind == JointKind::Mitre && joint.toEnd == *end)));
    const std::uint64_t otherId = joint.member == part->id ? joint.to : joint.member;
    return atPart && (!other || other->id == otherId);
  });
  const std::size_t removed = before - document.joints.size();
  if (removed > 0) SolveJoints(document);
  return removed;
}

}  // namespace zembrati::frame
