// The preferences file, given any bytes, read by the dialog of a drop on the built-in host with
// the shipped catalogue: the dialog restores what it can, shows a message for the rest, and OK
// (when the restored choices allow it) makes a part and writes the preferences again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "addin/sessions.h"
#include "automation/object_creation.h"
#include "catalogue/configuration.h"
#include "fuzz_input_file.h"
#include "headless_presenter.h"
#include "host/session_state.h"
#include "parts/part_data.h"
#include "scene_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace scene = zembrati::scene;
  namespace catalogue = zembrati::catalogue;
  const std::string prefs = zembrati::fuzz::InputAsFile("preferences.txt", data, size);
  scene::Settings settings;
  const std::string catalogueDir = std::string(ZEMBRATI_DATA_DIR) + "/catalogue/";
  settings.Set(catalogue::kCatalogueKey, "Norme#0", "EN");
  settings.Set(catalogue::kCatalogueKey, "Norme Dir#0", catalogueDir + "en/");
  settings.Set(catalogue::kCatalogueKey, "Norme#1", "DIN");
  settings.Set(catalogue::kCatalogueKey, "Norme Dir#1", catalogueDir + "din/");
  settings.Set(catalogue::kCatalogueKey, "Data#0", "tables/");
  settings.Set(catalogue::kCatalogueKey, "File INI#0", "standards.ini");
  settings.Set(catalogue::kCatalogueKey, "File Prefs", prefs);
  scene::SceneHost host({}, settings);
  zembrati::automation::ScopedObjectCreator creator(host);
  zembrati::host::Session() = {};
  zembrati::headless::HeadlessPresenter presenter([](zembrati::dialog::Dialog& dialog) {
    zembrati::headless::ScriptedUser user(dialog);
    if (dialog.OKButton.enabled) user.PressOk();
  });
  const auto status = zembrati::addin::Drop(zembrati::parts::AddPartShape(host.ActivePage()));
  if (status.ok() && host.document().Parts().size() > 1) zembrati::fuzz::Finding("one drop made more than one part");
  zembrati::host::Session() = {};
  return 0;
}
