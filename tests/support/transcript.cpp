#include "support/transcript.h"

#include <set>

namespace zembrati::testing {
namespace {

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string Arguments(const RecordedCall& call) {
  std::string text = "(";
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    if (i > 0) text += ", ";
    text += call.args[i].Describe();
  }
  return text + ")";
}

}  // namespace

Transcript::Transcript(const RecordingHost& host, std::map<std::string, std::string> aliases) {
  std::map<std::string, std::string> nameOf;  // object label -> path or alias
  std::map<std::string, int> aliasUses;
  std::set<std::string> usedAsTarget;
  for (const RecordedCall& call : host.calls()) usedAsTarget.insert(call.target);
  for (const RecordedCall& call : host.calls()) {
    const auto known = nameOf.find(call.target);
    const std::string target = known != nameOf.end() ? known->second : call.target;
    const std::string path = target + "." + call.member + Arguments(call);
    std::string line = path + " " + std::string(automation::CallKindName(call.kind));
    if (call.outcome.rfind("error", 0) == 0) line += " -> " + call.outcome;
    lines_.push_back(line);
    // A call whose result the system went on to call is navigation, not an effect.
    const bool navigation = usedAsTarget.count(call.outcome) > 0;
    navigation_.push_back(navigation);
    if (!navigation) continue;
    std::string name = path;
    for (const auto& [suffix, alias] : aliases) {
      if (EndsWith(path, suffix)) name = alias + std::to_string(++aliasUses[alias]);
    }
    nameOf[call.outcome] = name;
  }
  // An alias used once reads better without its number.
  for (std::string& line : lines_) {
    for (const auto& [alias, uses] : aliasUses) {
      if (uses != 1) continue;
      const std::string numbered = alias + "1";
      for (auto at = line.find(numbered); at != std::string::npos; at = line.find(numbered)) {
        line.replace(at, numbered.size(), alias);
      }
    }
  }
}

std::vector<std::string> Transcript::On(const std::string& prefix) const {
  std::vector<std::string> selected;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (!navigation_[i] && lines_[i].rfind(prefix, 0) == 0) selected.push_back(lines_[i]);
  }
  return selected;
}

Transcript SectionTranscript(const RecordingHost& host) {
  return Transcript(host, {{".Shapes(I4 5).Add()", "body"},
                           {".Profile()", "profile"},
                           {".Components(I4 3).Add()", "loop"}});
}

}  // namespace zembrati::testing
