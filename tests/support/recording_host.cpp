#include "support/recording_host.h"

#include <algorithm>

#include "automation/host_error.h"

namespace zembrati::testing {

class RecordingHost::RecordedObject : public automation::Object {
 public:
  RecordedObject(RecordingHost& host, std::string label) : host_(host), label_(std::move(label)) {}

  Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) override {
    return host_.Handle(label_, member, kind, args);
  }
  std::string ClassName() const override { return label_; }

 private:
  RecordingHost& host_;
  std::string label_;
};

std::string RecordedCall::ToString() const {
  std::string text = target + "." + member + "(";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += ", ";
    text += args[i].Describe();
  }
  text += ") " + std::string(automation::CallKindName(kind));
  if (!outcome.empty()) text += " -> " + outcome;
  return text;
}

ObjectRef RecordingHost::NewObject(const std::string& label) {
  return std::make_shared<RecordedObject>(*this, label);
}

ObjectRef RecordingHost::CreateObject(std::string_view classId, std::string_view) {
  const std::string label = std::string(classId) + "#" + std::to_string(nextObject_++);
  calls_.push_back({"host", "CreateObject", CallKind::Method, {Variant(classId)}, label});
  return NewObject(label);
}

void RecordingHost::Respond(const std::string& member, Responder responder) {
  responders_[member] = std::move(responder);
}

void RecordingHost::FailCall(std::size_t n, std::int32_t number, std::string description) {
  failingCall_ = n;
  failureNumber_ = number;
  failureDescription_ = std::move(description);
}

std::vector<std::string> RecordingHost::Lines(const std::vector<std::string>& members) const {
  std::vector<std::string> lines;
  for (const RecordedCall& call : calls_) {
    if (members.empty() || std::find(members.begin(), members.end(), call.member) != members.end())
      lines.push_back(call.ToString());
  }
  return lines;
}

ObjectRef RecordingHost::MakeChild(const std::string& member) {
  return NewObject(member + "#" + std::to_string(nextObject_++));
}

Variant RecordingHost::Handle(const std::string& target, std::string_view member, CallKind kind,
                              std::span<Variant> args) {
  RecordedCall call{target, std::string(member), kind, {args.begin(), args.end()}, {}};
  if (failingCall_ && *failingCall_ == calls_.size() + 1) {
    call.outcome = "error " + std::to_string(failureNumber_);
    calls_.push_back(std::move(call));
    throw automation::HostError(failureNumber_, failureDescription_);
  }
  Variant result;
  const bool isPut = kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef;
  if (const auto responder = responders_.find(member); responder != responders_.end() && !isPut) {
    result = responder->second(args);
    call.outcome = result.IsObject() && !result.IsNothing() ? result.ToObject()->ClassName()
                                                            : result.Describe();
  } else if (!isPut) {
    const ObjectRef child = MakeChild(call.member);
    call.outcome = child->ClassName();
    result = child;
  }
  calls_.push_back(std::move(call));
  return result;
}

}  // namespace zembrati::testing
