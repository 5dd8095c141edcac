// A materials file, given any bytes, read by QData as the dialog reads it when a standard is
// chosen: a list of materials or a message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/catalogue_readers.h"
#include "fuzz_input_file.h"
#include "silent_messages.h"
#include "ui/list_control.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace catalogue = zembrati::catalogue;
  const std::string folder = zembrati::fuzz::WorkFolder().string() + "/";
  std::string index = folder + "materials_index.ini";
  zembrati::fuzz::WriteFile(index, "[1]\r\n\"sizes.tab\" \"S\" \"d\" \"D\" \"materials.txt\" \"DC\"\r\n[END]\r\n");
  zembrati::fuzz::WriteFile(folder + "sizes.tab", "100|96|0|100|5|8|12|p|\r\n");
  zembrati::fuzz::InputAsFile("materials.txt", data, size);
  zembrati::fuzz::SilentMessages messages;
  zembrati::ui::ListControl sizes, materials;
  zembrati::ui::Label description;
  catalogue::QData(index, folder, 2, sizes, description, materials);
  for (std::int16_t i = 0; i < materials.ListCount(); ++i) {
    if (materials.List(i).empty()) zembrati::fuzz::Finding("an empty material was listed");
  }
  return 0;
}
