#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/recording_host.h"
#include "support/transcript.h"

namespace zembrati::geometry::test {

using automation::ObjectRef;
using testing::RecordingHost;
using testing::Transcript;

// Runs one generator against a recording host and returns the transcript of its calls.
inline Transcript Record(const std::function<void(const ObjectRef& shape)>& generate) {
  RecordingHost host;
  generate(host.NewObject("shape"));
  return testing::SectionTranscript(host);
}

// The size values as put on the body's kind-1 and kind-5 components and the profile's kind-4
// component: variables 1 to 3 of each, rendered as "component k: a, b, c".
inline std::vector<std::string> SizeValues(const Transcript& transcript) {
  std::vector<std::string> out;
  const std::pair<const char*, const char*> components[] = {
      {"body", "1"}, {"body", "5"}, {"profile", "4"}};
  for (const auto& [owner, kind] : components) {
    std::string line = std::string(owner) + " " + kind + ":";
    for (int variable = 1; variable <= 3; ++variable) {
      const std::string prefix = std::string(owner) + ".Components(I4 " + kind +
                                 ").Item(I2 1).Variable(I4 " + std::to_string(variable) +
                                 ").Value(";
      for (const std::string& put : transcript.On(prefix)) {
        line += " " + put.substr(prefix.size(), put.find(')', prefix.size()) - prefix.size());
      }
    }
    out.push_back(line);
  }
  return out;
}

}  // namespace zembrati::geometry::test
