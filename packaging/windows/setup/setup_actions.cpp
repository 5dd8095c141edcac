// The package's custom actions. ComposeConfiguration composes the configuration values that name
// folders, so that "ApplDir" followed by each of them names the installed catalogue and the
// preferences file; it only sets properties, and the package's own Registry table writes (and
// removes) the values. NoteUpgrade and ForgetUpgrade tell the removal of an earlier version that
// runs inside an upgrade that it is one, where the installer does not (UPGRADINGPRODUCTCODE), so
// that it keeps the users' preferences.
//
// Properties it reads, written by the package source: ZCONFIG_COUNT, and for value k
// ZCONFIG<k>_FOUND (the value already in the registry, from AppSearch), ZCONFIG<k>_PLACE ("BASE"
// for "ApplDir" itself, or a folder property, a bar and a path below it, "INSTALLFOLDER|catalogue\en\").
// It sets ZCONFIG<k>_VALUE and HELPFOLDER (the type library's help folder).
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cstdlib>
#include <string>

#include "install_paths.h"

namespace {

using zembrati::setup::PathRelativeTo;

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::string Property(MSIHANDLE install, const std::string& name) {
  DWORD size = 0;
  wchar_t empty[1] = L"";
  const std::wstring wideName = Wide(name);
  if (MsiGetPropertyW(install, wideName.c_str(), empty, &size) != ERROR_MORE_DATA) return {};
  std::wstring value(size + 1, L'\0');
  size += 1;
  if (MsiGetPropertyW(install, wideName.c_str(), value.data(), &size) != ERROR_SUCCESS) return {};
  value.resize(size);
  return Utf8(value);
}

void SetProperty(MSIHANDLE install, const std::string& name, const std::string& value) {
  MsiSetPropertyW(install, Wide(name).c_str(), Wide(value).c_str());
}

UINT Fail(MSIHANDLE install, const std::string& message) {
  PMSIHANDLE record = MsiCreateRecord(1);
  MsiRecordSetStringW(record, 0, Wide(message).c_str());
  MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), record);
  return ERROR_INSTALL_FAILURE;
}

std::string Key(int index, const char* field) { return "ZCONFIG" + std::to_string(index) + "_" + field; }

// "ApplDir" as the add-in will read it: the host's own value where it keeps one, else the
// install folder (which the package then writes).
std::string Base(MSIHANDLE install, int count) {
  for (int k = 0; k < count; ++k) {
    if (Property(install, Key(k, "PLACE")) != "BASE") continue;
    const std::string found = Property(install, Key(k, "FOUND"));
    return found.empty() ? Property(install, "INSTALLFOLDER") : found;
  }
  return Property(install, "INSTALLFOLDER");
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall ComposeConfiguration(MSIHANDLE install) {
  const int count = std::atoi(Property(install, "ZCONFIG_COUNT").c_str());
  const std::string base = Base(install, count);
  for (int k = 0; k < count; ++k) {
    const std::string found = Property(install, Key(k, "FOUND"));
    const std::string place = Property(install, Key(k, "PLACE"));
    if (!found.empty()) {
      SetProperty(install, Key(k, "VALUE"), found);  // what is there stays as it is
    } else if (place == "BASE") {
      SetProperty(install, Key(k, "VALUE"), base);
    } else if (const std::size_t bar = place.find('|'); bar != std::string::npos) {
      const std::string target = Property(install, place.substr(0, bar)) + place.substr(bar + 1);
      const std::optional<std::string> relative = PathRelativeTo(base, target);
      if (!relative) {
        return Fail(install, "Zembrati cannot reach " + target + " from the application folder " + base +
                                 " (ApplDir): install Zembrati on the same drive as that folder.");
      }
      SetProperty(install, Key(k, "VALUE"), *relative);
    }
  }
  SetProperty(install, "HELPFOLDER", zembrati::setup::WithoutClosingSeparator(Property(install, "INSTALLFOLDER")));
  return ERROR_SUCCESS;
}

namespace {

constexpr const wchar_t* kOwnKey = L"SOFTWARE\\Zembrati";
constexpr const wchar_t* kUpgradeNote = L"Upgrade in progress";

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall NoteUpgrade(MSIHANDLE install) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kOwnKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;  // the removal then keeps to UPGRADINGPRODUCTCODE alone
  }
  const std::wstring product = Wide(Property(install, "ProductCode"));
  RegSetValueExW(key, kUpgradeNote, 0, REG_SZ, reinterpret_cast<const BYTE*>(product.c_str()),
                 static_cast<DWORD>((product.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall ForgetUpgrade(MSIHANDLE) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kOwnKey, 0, KEY_SET_VALUE | KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) ==
      ERROR_SUCCESS) {
    RegDeleteValueW(key, kUpgradeNote);
    RegCloseKey(key);
  }
  // Takes the key away too when nothing else of the package's is in it.
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kOwnKey, KEY_WOW64_64KEY, 0);
  return ERROR_SUCCESS;
}
