#pragma once

#include <map>
#include <string>
#include <utility>

namespace zembrati::scene {

// The built-in host's stand-in for the system registry: texts by key path and value name, read
// from a plain text file of sections and lines:
//
//   [SOFTWARE\Morvantec\Vantrex\Profil]
//   Norme#0=EN 10365
//   Norme Dir#0=${SETTINGS_DIR}/../catalogue/eu/
//
// Lines starting with ";" or "#" are comments. Key paths and value names match without regard to
// case, as registry names do. In values, ${SETTINGS_DIR} stands for the folder of the settings
// file and ${CONFIG_DIR} for the user's configuration folder (created when first needed), so the
// defaults can point at the shipped catalogue and keep the preferences where the user may write.
class Settings {
 public:
  // Reads a settings file; raises a host error naming the file and line when it cannot.
  static Settings Load(const std::string& path);

  // The value, or an empty text when it is missing.
  std::string Get(const std::string& key, const std::string& valueName) const;
  void Set(const std::string& key, const std::string& valueName, const std::string& value);

  // The default settings file: share/zembrati/settings/zembrati.ini beside the installed
  // program (found from `programPath`), else data/settings/zembrati.ini of the source tree the
  // program was built from. Empty when neither exists.
  static std::string FindDefaultFile(const std::string& programPath);

  // The user's configuration folder for this program ($XDG_CONFIG_HOME/zembrati, or
  // ~/.config/zembrati, or %APPDATA%\zembrati).
  static std::string ConfigDirectory();

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace zembrati::scene
