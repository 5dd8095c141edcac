// The standards index file, given any bytes, read as the dialog reads it: the standards of every
// type (QNorma), each standard's sizes, description and materials (QData) and its designation
// (QDesignazione). Whatever is wrong is a message; nothing crashes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/catalogue_readers.h"
#include "fuzz_input_file.h"
#include "silent_messages.h"
#include "ui/list_control.h"

namespace {

const std::string& DataDir() {
  static const std::string dir = [] {
    const std::string path = (zembrati::fuzz::WorkFolder() / "tables").string() + "/";
    std::filesystem::create_directories(path);
    zembrati::fuzz::WriteFile(path + "t.tab", "100|96|0|100|5|8|12|p|\r\n@1|2|3|\r\n200|190|0|@1|q|\r\n");
    zembrati::fuzz::WriteFile(path + "m.txt", "S235JR\r\nS355J2\r\n");
    return path;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace catalogue = zembrati::catalogue;
  const std::string dataDir = DataDir();
  const std::string index = zembrati::fuzz::InputAsFile("standards.ini", data, size);
  zembrati::fuzz::SilentMessages messages;
  for (std::int16_t type = 1; type <= 12; ++type) {
    zembrati::ui::ListControl standards;
    catalogue::QNorma(index, type, standards);
    for (std::int16_t s = 0; s < standards.ListCount() && s < 4; ++s) {
      zembrati::ui::ListControl sizes, materials;
      zembrati::ui::Label description;
      std::string work = index;
      catalogue::QData(work, dataDir, standards.ItemData(s), sizes, description, materials);
      std::string nameFormat, designation;
      catalogue::QDesignazione(index, standards.ItemData(s), nameFormat, designation);
    }
  }
  return 0;
}
