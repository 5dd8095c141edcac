#include "catalogue/configuration.h"

#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/session_state.h"
#include "runtime/number_text.h"

namespace zembrati::catalogue {
namespace {

constexpr std::int32_t kHive = 2;

std::string ReadValue(const char* key, const std::string& valueName) {
  const automation::ObjectRef reader = host::CreateHostObject(host::kRegistryReader);
  std::string value;
  host::GetString(reader, kHive, key, valueName, value);
  return value;
}

}  // namespace

void GetApplDir(std::string& value) { value = ReadValue(kProductKey, "ApplDir"); }

void GetNormeName(std::string& value, const std::string& family) {
  value = ReadValue(kCatalogueKey, "Norme#" + family);
}

void GetNormeDir(std::string& value, const std::string& family) {
  value = ReadValue(kCatalogueKey, "Norme Dir#" + family);
}

void GetDataDir(std::string& value, const std::string& number) {
  value = ReadValue(kCatalogueKey, "Data#" + number);
}

void GetIniFile(std::string& value, const std::string& number) {
  value = ReadValue(kCatalogueKey, "File INI#" + number);
}

void GetPrefsFile(std::string& value) { value = ReadValue(kCatalogueKey, "File Prefs"); }

void LoadPaths() {
  host::SessionState& session = host::Session();
  std::string applDir, familyDir, iniFile, prefsFile;
  GetApplDir(applDir);
  GetNormeDir(familyDir, runtime::IntegerText(session.NormTab));
  session.NormeDir = applDir + familyDir;
  GetIniFile(iniFile, "0");
  session.IniFile = iniFile;
  GetPrefsFile(prefsFile);
  session.PrefsFile = applDir + prefsFile;
}

void LoadTypePaths(std::int16_t number) {
  LoadPaths();
  host::SessionState& session = host::Session();
  std::string dataDir, iniFile;
  GetDataDir(dataDir, runtime::IntegerText(number));
  session.DataDir = session.NormeDir + dataDir;
  GetIniFile(iniFile, runtime::IntegerText(number));
  session.IniFile = iniFile;
}

void GetLanguageBase(std::int16_t& base) {
  const std::string language = ReadValue(kProductKey, "Language");
  if (language.find("Italian") != std::string::npos) {
    base = 1000;
  } else if (language.find("English") != std::string::npos) {
    base = 2000;
  } else if (language.find("German") != std::string::npos) {
    base = 3000;
  } else {
    base = 2000;
  }
}

std::vector<std::string> EnumerateFamilies() {
  std::vector<std::string> families;
  for (std::int32_t n = 0;; ++n) {
    std::string name;
    GetNormeName(name, runtime::IntegerText(n));
    if (name.empty()) break;
    families.push_back(name);
  }
  return families;
}

}  // namespace zembrati::catalogue
