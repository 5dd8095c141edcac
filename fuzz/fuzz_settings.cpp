// The settings file of the built-in host, given any bytes: settings or a host error; the system
// then reads its configuration through them as it does at every dialog start.
#include <cstddef>
#include <cstdint>
#include <string>

#include "automation/object_creation.h"
#include "catalogue/configuration.h"
#include "fuzz_input_file.h"
#include "host/session_state.h"
#include "runtime/runtime_error.h"
#include "scene_host.h"
#include "settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace scene = zembrati::scene;
  namespace catalogue = zembrati::catalogue;
  const std::string path = zembrati::fuzz::InputAsFile("settings.ini", data, size);
  scene::Settings settings;
  try {
    settings = scene::Settings::Load(path);
  } catch (const zembrati::runtime::RuntimeError&) {
    return 0;
  }
  scene::SceneHost host({}, settings);
  zembrati::automation::ScopedObjectCreator creator(host);
  zembrati::host::Session() = {};
  const std::vector<std::string> families = catalogue::EnumerateFamilies();
  for (std::size_t n = 0; n < families.size() && n < 8; ++n) {
    zembrati::host::Session().NormTab = static_cast<std::int16_t>(n);
    catalogue::LoadTypePaths(0);
  }
  std::int16_t base = 0;
  catalogue::GetLanguageBase(base);
  if (base != 1000 && base != 2000 && base != 3000) zembrati::fuzz::Finding("a language base outside 1000, 2000, 3000");
  zembrati::host::Session() = {};
  return 0;
}
