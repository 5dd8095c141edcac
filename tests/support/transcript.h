#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/recording_host.h"

namespace zembrati::testing {

// Renders a recording as lines that name each object by the path that reached it, so a test
// reads like the calls the system made:
//   body.Components(I4 1).Item(I2 1).Variable(I4 3).Value(R8 1500) put
// Objects whose path ends with one of the alias suffixes are renamed: the first body reached
// through ".Shapes(I4 5).Add()" becomes "body"; aliases met more than once are numbered
// ("loop1", "loop2").
class Transcript {
 public:
  Transcript(const RecordingHost& host, std::map<std::string, std::string> aliases);

  const std::vector<std::string>& lines() const { return lines_; }
  // Only the lines of calls made on objects whose name starts with `prefix`, without the
  // navigation gets (calls returning an object).
  std::vector<std::string> On(const std::string& prefix) const;

 private:
  std::vector<std::string> lines_;
  std::vector<bool> navigation_;
};

// The usual aliases of a section body: the body, its profile and its loops.
Transcript SectionTranscript(const RecordingHost& host);

}  // namespace zembrati::testing
