// The member list reader of `frame`, given any text: the members of a well-formed list or a usage
// error naming the line, never anything else; every member it hands out has a length.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cli_support.h"
#include "fuzz_input_file.h"
#include "member_axes.h"
#include "member_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    for (const zembrati::cli::MemberRow& row : zembrati::cli::ReadMemberList(text, "members.csv")) {
      const double length = zembrati::scene::Distance(row.ends.start, row.ends.end);
      if (!(length > 0) || !std::isfinite(length) || row.line < 2) {
        zembrati::fuzz::Finding("a member without a length, or from no line below the header");
      }
      if (!zembrati::scene::MemberPlacement(row.ends.start, row.ends.end, row.ends.rollDegrees)) {
        zembrati::fuzz::Finding("a member that cannot be placed");
      }
    }
  } catch (const zembrati::cli::UsageError& error) {
    if (std::string(error.what()).rfind("members.csv", 0) != 0) zembrati::fuzz::Finding("an error that names no file");
  }
  return 0;
}
