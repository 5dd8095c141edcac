// The in-process COM server: class factories for the fourteen classes, self-registration with
// their ProgIDs and the type library, and the four exported entry points.
#include <windows.h>
#include <olectl.h>

#include <atomic>
#include <string>

#include "addin/class_table.h"
#include "com_bridge.h"
#include "com_environment.h"

namespace {

using zembrati::addin::ComponentClass;
using zembrati::com::Wide;

HMODULE module = nullptr;
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

std::wstring ModulePath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length);
}

ITypeLib* LoadOwnTypeLibrary() {
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library))) return nullptr;
  return library;
}

ITypeInfo* InterfaceInfo(const ComponentClass& c) {
  ITypeLib* library = LoadOwnTypeLibrary();
  if (!library) return nullptr;
  IID iid;
  ITypeInfo* info = nullptr;
  if (SUCCEEDED(IIDFromString(Wide(c.interfaceId).c_str(), &iid))) library->GetTypeInfoOfGuid(iid, &info);
  library->Release();
  return info;
}

class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(const ComponentClass& c) : class_(c) { ++liveObjects; }
  virtual ~ClassFactory() { --liveObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      ITypeInfo* info = InterfaceInfo(class_);
      IDispatch* dispatch =
          zembrati::com::NewDispatch(zembrati::com::InWindowsEnvironment(zembrati::addin::CreateComponent(class_.progId)), info);
      if (info) info->Release();
      const HRESULT hr = dispatch->QueryInterface(iid, out);
      dispatch->Release();
      return hr;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++serverLocks : --serverLocks;
    return S_OK;
  }

 private:
  const ComponentClass& class_;
  std::atomic<ULONG> references_{1};
};

bool SetKey(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
  const LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const ComponentClass& c : zembrati::addin::ComponentClasses()) {
    CLSID own;
    if (SUCCEEDED(CLSIDFromString(Wide(c.classId).c_str(), &own)) && IsEqualCLSID(own, clsid)) {
      ClassFactory* factory = new ClassFactory(c);
      const HRESULT hr = factory->QueryInterface(iid, out);
      factory->Release();
      return hr;
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT __stdcall DllRegisterServer() {
  const std::wstring path = ModulePath();
  const std::wstring library = Wide(zembrati::addin::kLibraryId);
  for (const ComponentClass& c : zembrati::addin::ComponentClasses()) {
    const std::wstring clsid = Wide(c.classId), progId = Wide(c.progId);
    const std::wstring key = L"Software\\Classes\\CLSID\\" + clsid;
    const bool written = SetKey(HKEY_LOCAL_MACHINE, key, nullptr, Wide(c.name)) &&
                         SetKey(HKEY_LOCAL_MACHINE, key + L"\\InprocServer32", nullptr, path) &&
                         SetKey(HKEY_LOCAL_MACHINE, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                         SetKey(HKEY_LOCAL_MACHINE, key + L"\\ProgID", nullptr, progId) &&
                         SetKey(HKEY_LOCAL_MACHINE, key + L"\\TypeLib", nullptr, library) &&
                         SetKey(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + progId, nullptr, Wide(c.name)) &&
                         SetKey(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + progId + L"\\CLSID", nullptr, clsid);
    if (!written) return SELFREG_E_CLASS;
  }
  ITypeLib* typeLibrary = LoadOwnTypeLibrary();
  if (!typeLibrary) return SELFREG_E_TYPELIB;
  std::wstring modulePath = path;
  const HRESULT hr = RegisterTypeLib(typeLibrary, modulePath.data(), nullptr);
  typeLibrary->Release();
  return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  for (const ComponentClass& c : zembrati::addin::ComponentClasses()) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + Wide(c.classId)).c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + Wide(c.progId)).c_str());
  }
  GUID library;
  if (SUCCEEDED(CLSIDFromString(Wide(zembrati::addin::kLibraryId).c_str(), &library))) {
    UnRegisterTypeLib(library, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  }
  return S_OK;
}
