#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where the catalogue lives and which language the texts speak, read from the registry values
// through the host's registry reader (a new reader for every value, nothing cached). Paths are
// joined by plain concatenation: the values carry their own separators.
namespace zembrati::catalogue {

inline constexpr const char* kProductKey = "SOFTWARE\\Morvantec\\Vantrex";
inline constexpr const char* kCatalogueKey = "SOFTWARE\\Morvantec\\Vantrex\\Profil";

void GetApplDir(std::string& value);
void GetNormeName(std::string& value, const std::string& family);
void GetNormeDir(std::string& value, const std::string& family);
void GetDataDir(std::string& value, const std::string& number);
void GetIniFile(std::string& value, const std::string& number);
void GetPrefsFile(std::string& value);

// Sets NormeDir, IniFile and PrefsFile of the session for its current NormTab.
void LoadPaths();
// LoadPaths, then DataDir and IniFile from "Data#" and "File INI#" completed with `number`.
void LoadTypePaths(std::int16_t number);
// 1000 for a "Language" containing "Italian", else 2000 for "English", else 3000 for "German",
// else 2000; tested case-sensitively in that order.
void GetLanguageBase(std::int16_t& base);

// The display names of the standards families "Norme#0", "Norme#1", ..., up to the first one
// missing or empty.
std::vector<std::string> EnumerateFamilies();

}  // namespace zembrati::catalogue
