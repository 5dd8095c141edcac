// The joint list reader of `frame`, given any text: the joints of a well-formed list or a usage
// error naming the file and line, never anything else; every joint it hands out joins two
// members of the list, not one to itself, with a gap that is not negative, each end once.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "cli_support.h"
#include "fuzz_input_file.h"
#include "joint_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::set<std::string> marks{"A", "B", "C", "D", "R1", "C1"};
  try {
    std::set<std::pair<std::string, zembrati::scene::MemberEnd>> ends;
    for (const zembrati::cli::JointRow& row : zembrati::cli::ReadJointList(text, "joints.csv", marks)) {
      if (!marks.count(row.mark) || !marks.count(row.to) || row.mark == row.to) {
        zembrati::fuzz::Finding("a joint of a member not in the list, or of one member to itself");
      }
      if (!(row.gap >= 0) || !std::isfinite(row.gap) || !std::isfinite(row.extend) || row.line < 2) {
        zembrati::fuzz::Finding("a joint with a gap or extension that is no length, or from no line below the header");
      }
      if (!ends.insert({row.mark, row.end}).second) zembrati::fuzz::Finding("an end joined twice");
    }
  } catch (const zembrati::cli::UsageError& error) {
    if (std::string(error.what()).rfind("joints.csv", 0) != 0) zembrati::fuzz::Finding("an error that names no file");
  }
  return 0;
}
