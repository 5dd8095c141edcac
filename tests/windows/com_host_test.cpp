// A host written as a Windows program: the built-in host's document and classes offered through
// COM (its classes registered by class id for this process, its objects as IDispatch), and the
// add-in loaded as the registered in-process server and called by name, as a CAD host calls it.
// Prints "N passed, M failed".
//
// With --installed it is the host on a machine where the installer package put the add-in: its
// registry reader reads the machine's registry, as a real host's does, so the add-in finds the
// installed catalogue and preferences file from the values the package wrote, and nothing else
// is set up.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "automation/host_error.h"
#include "automation/invoke.h"
#include "com_bridge.h"
#include "geometry/section_types.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "host_class_objects.h"
#include "parts/part_data.h"
#include "runtime/runtime_error.h"
#include "scene_host.h"
#include "scene_objects.h"
#include "win32_dialog.h"

namespace {

using namespace zembrati;
using automation::ObjectRef;

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    std::cout << "FAILED: " << what << std::endl;
  }
}

// The registry reader of a host on Windows: GetString(hive, key, value name, value) hands back the
// text of a value of HKEY_LOCAL_MACHINE (hive 2) in the machine's 64-bit view, empty when missing.
class WindowsRegistryReader : public automation::Object {
 public:
  automation::Variant Invoke(std::string_view member, automation::CallKind, std::span<automation::Variant> args) override {
    if (!automation::NamesEqual(member, "GetString") || args.size() != 4) {
      throw automation::HostError(438, "Object doesn't support this property or method");
    }
    const HKEY hive = args[0].ToDouble() == 2 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    wchar_t value[2048] = L"";
    DWORD size = sizeof(value);
    const LSTATUS status = RegGetValueW(hive, com::Wide(args[1].ToText()).c_str(), com::Wide(args[2].ToText()).c_str(),
                                        RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, value, &size);
    args[3] = std::string(status == ERROR_SUCCESS ? com::Utf8(value) : "");
    return std::int32_t{0};
  }
};

// Makes objects of one of the built-in host's classes for COM clients in this process.
class HostClassFactory : public IClassFactory {
 public:
  HostClassFactory(scene::ContextPtr context, std::string classId, bool machineRegistry = false)
      : context_(std::move(context)), classId_(std::move(classId)), machineRegistry_(machineRegistry) {}
  virtual ~HostClassFactory() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives as long as the test
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    const bool registry = machineRegistry_ && classId_ == host::kRegistryReader.classId;
    IDispatch* dispatch = com::NewDispatch(
        registry ? std::make_shared<WindowsRegistryReader>() : scene::CreateHostClassObject(context_, classId_), nullptr);
    if (!dispatch) return CLASS_E_CLASSNOTAVAILABLE;
    const HRESULT hr = dispatch->QueryInterface(iid, out);
    dispatch->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  scene::ContextPtr context_;
  std::string classId_;
  bool machineRegistry_;
  ULONG references_ = 1;
};

ObjectRef CreateAddIn(const char* progId) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(com::Wide(progId).c_str(), &clsid))) return nullptr;
  IDispatch* dispatch = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    return nullptr;
  }
  ObjectRef object = com::WrapDispatch(dispatch);
  dispatch->Release();
  return object;
}

// An HEA 200 made in this program's scene the way the add-in makes one, then lengthened in the
// host to 12.9 mm.
ObjectRef MakeLengthenedBeam(scene::SceneHost& host) {
  automation::ScopedObjectCreator creator(host);
  host::SessionState& session = host::Session();
  session.ScenePage = host.ActivePage();
  session.LangBase = 2000;
  session.SizePartNumber = "HEA200";
  session.Dims = {190, 1500, 200, 6.5, 10, 18};
  const ObjectRef part = parts::AddPartShape(host.ActivePage());
  geometry::GenerateSection(*geometry::FindSectionType(std::int16_t{1}), part, "HEA", session.Dims);
  host::SetName(part, "HEA 200 x 1500-B");
  parts::WritePartVariables(part, "HEA 200 x @", {"ProfilHE", "HEA", "200", "hea.tab", "S235JR"});
  parts::WritePartData(part, "HEA", "200", 1500, "S235JR", "HEA 200 x 1500-B");
  parts::SetPartLength(part, 12.9);
  return part;
}

// Drives the add-in's native dialog by its window messages, as a user's clicks would, once the
// dialog is up inside the add-in's modal call.
std::function<void(HWND)> pendingScript;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t className[16];
  GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !pendingScript) return;
  KillTimer(nullptr, timer);
  auto script = std::move(pendingScript);
  pendingScript = nullptr;
  script(dialog);
}

void WhenTheDialogShows(std::function<void(HWND)> script) {
  pendingScript = std::move(script);
  SetTimer(nullptr, 0, 20, DriveDialog);
}

void Choose(HWND dialog, int id, const wchar_t* text) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

ObjectRef PartNamed(scene::SceneHost& host, const std::string& name) {
  for (const scene::NodePtr& part : host.document().Parts()) {
    if (part->name == name) return host.Wrap(part);
  }
  return nullptr;
}

// A shape of a host that answers every call with an error of its own.
class BusyShape : public automation::Object {
 public:
  automation::Variant Invoke(std::string_view, automation::CallKind, std::span<automation::Variant>) override {
    throw automation::HostError(1234, "the host is busy");
  }
};

// The preferences file the add-in's dialog reads, written as the dialog writes it.
void WritePrefs(const std::vector<std::string>& lines) {
  FILE* file = std::fopen(ZEMBRATI_PREFS_FILE, "wb");
  for (const std::string& line : lines) std::fprintf(file, "%s\r\n", line.c_str());
  std::fclose(file);
}

// The user's decimal separator, changed as the regional settings change it for as long as this
// lives, and then put back.
class DecimalSeparatorForNow {
 public:
  explicit DecimalSeparatorForNow(const wchar_t* separator) {
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, before_, 8);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator);
  }
  ~DecimalSeparatorForNow() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, before_); }
  DecimalSeparatorForNow(const DecimalSeparatorForNow&) = delete;
  DecimalSeparatorForNow& operator=(const DecimalSeparatorForNow&) = delete;

 private:
  wchar_t before_[8] = L".";
};

void Run(const std::string& name, const std::function<void()>& test) {
  try {
    test();
  } catch (const runtime::RuntimeError& error) {
    Check(false, name + ": error " + std::to_string(error.number()) + " " + error.description());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool installed = argc > 1 && std::string(argv[1]) == "--installed";
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  scene::SceneHost host;
  if (!installed) host.settings().Set("SOFTWARE\\Morvantec\\Vantrex", "Language", "English");
  std::vector<HostClassFactory*> factories;
  for (const host::HostClass& hostClass : host::kHostClasses) {
    CLSID clsid;
    CLSIDFromString(com::Wide(std::string(hostClass.classId)).c_str(), &clsid);
    auto* factory = new HostClassFactory(host.context(), std::string(hostClass.classId), installed);
    DWORD cookie = 0;
    const HRESULT hr = CoRegisterClassObject(clsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    Check(SUCCEEDED(hr), "registering the host class " + std::string(hostClass.name));
    factories.push_back(factory);
  }

  Run("properties", [] {
    const ObjectRef part = CreateAddIn("Zembrati.ProfilHE");
    Check(part != nullptr, "Zembrati.ProfilHE is registered and creatable");
    if (!part) return;
    automation::PutProperty(part, "lung", 1500.0);
    automation::PutProperty(part, "Normativa", std::string("HEA"));
    Check(automation::GetProperty(part, "lung").ToDouble() == 1500, "lung reads back");
    Check(automation::GetProperty(part, "Normativa").ToText() == "HEA", "Normativa reads back");
    try {
      automation::CallMethod(part, "Explode");
      Check(false, "an unknown member fails");
    } catch (const runtime::RuntimeError& error) {
      Check(error.number() == 438, "an unknown member is error 438, got " + std::to_string(error.number()));
    }
  });

  Run("regeneration", [&] {
    const ObjectRef beam = MakeLengthenedBeam(host);
    const ObjectRef partClass = CreateAddIn("Zembrati.ProfilHE");
    if (!partClass) return Check(false, "Zembrati.ProfilHE for PreUpdate");
    automation::ScopedObjectCreator creator(host);
    automation::CallMethod(partClass, "PreUpdate", beam);
    Check(host::Name(beam) == "HEA 200 x 12-B", "the name follows the length: " + host::Name(beam));
    Check(parts::GetPartLength(beam) == 12, "the length is cut to 12");
    const ObjectRef item = parts::FindPartItem(host::ChildShapes(host::Shape(host.ActivePage())), beam);
    const ObjectRef properties = host::DataObject(item, host::kPropertyCollection.classId);
    Check(host::Value(host::Item(properties, 3)).Describe() == "S \"12\"", "the length property is the text 12");
    const ObjectRef summary = host::DataObject(item, host::kSummaryObject.classId);
    Check(automation::GetProperty(summary, "Description").ToText() == "HEA 200 x 12-B", "the description follows");
  });

  Run("failures", [&] {
    const ObjectRef dropper = CreateAddIn("Zembrati.ZembratiObj");
    if (!dropper) return Check(false, "Zembrati.ZembratiObj is creatable");
    try {
      automation::CallMethod(dropper, "Drop", ObjectRef(), 0, 0);
      Check(false, "a drop of Nothing fails");
    } catch (const runtime::RuntimeError& error) {
      Check(error.number() == 91, "a drop of Nothing is error 91, got " + std::to_string(error.number()));
    }
  });

  Run("drop and edit through the native dialog", [&] {
    if (!installed) {
      const std::string catalogue = std::string(ZEMBRATI_DATA_DIR) + "/catalogue/en/";
      const char* key = "SOFTWARE\\Morvantec\\Vantrex\\Profil";
      host.settings().Set(key, "Norme#0", "EN");
      host.settings().Set(key, "Norme Dir#0", catalogue);
      host.settings().Set(key, "Data#0", "tables/");
      host.settings().Set(key, "File INI#0", "standards.ini");
      host.settings().Set(key, "File Prefs", ZEMBRATI_PREFS_FILE);
    }
    const ObjectRef placeholder = parts::AddPartShape(host.ActivePage());
    scene::NodeOf(placeholder)->placement.translation = {500, 0, 0};
    const std::size_t before = host.document().Parts().size();

    WhenTheDialogShows([](HWND dialog) {
      Click(dialog, win32::kIdFirstType);  // HE
      Choose(dialog, win32::kIdNormativa, L"HEB");
      Choose(dialog, win32::kIdMisura, L"300");
      Choose(dialog, win32::kIdMateriale, L"S355J2");
      SetDlgItemTextW(dialog, win32::kIdDimLen, L"2400");
      Click(dialog, win32::kIdOk);
    });
    automation::CallMethod(CreateAddIn("Zembrati.ZembratiObj"), "Drop", placeholder, 0, 0);
    const ObjectRef beam = PartNamed(host, "HEB 300 x 2400");
    Check(beam != nullptr, "the drop made HEB 300 x 2400");
    Check(host.document().Parts().size() == before, "the placeholder gave way to the part");
    if (!beam) return;
    Check(scene::NodeOf(beam)->placement.translation.x == 500, "the part stands where the item was dropped");
    Check(parts::GetPartLength(beam) == 2400, "its length is 2400");
    const ObjectRef block = host::Item(host::Components(beam, 34), std::int16_t{1});
    Check(host::Value(host::Variable(block, 2, 1)).Describe() == "S \"ProfilHE\"", "its class is stored");
    Check(host::Value(host::Variable(block, 1, 1)).Describe() == "I2 1", "its type code is a 16-bit 1");
    Check(host::Value(host::Variable(block, 2, 16)).Describe() == "S \"S355J2\"", "its material is stored");
    const ObjectRef item = parts::FindPartItem(host::ChildShapes(host::Shape(host.ActivePage())), beam);
    const ObjectRef summary = host::DataObject(item, host::kSummaryObject.classId);
    Check(automation::GetProperty(summary, "PartNumber").ToText() == "HEB300", "its part number comes from the size");
    const scene::NodePtr body = scene::FirstBody(*scene::NodeOf(beam));
    const double area = body && body->section ? body->section->area : 0;
    Check(std::abs(area - 14910) < 0.005 * 14910 && body->length == 2400,
          "its solid is the HEB 300 section (149.1 cm2 in the tables) over 2400 mm: " + std::to_string(area) + " mm2");

    std::wstring data;
    WhenTheDialogShows([&data](HWND dialog) {
      Click(dialog, win32::kIdBtnMisura);  // the dimension panel: the section's data beside its picture
      wchar_t text[128] = {};
      GetDlgItemTextW(dialog, win32::kIdPreviewData, text, 128);
      data = text;
      SetDlgItemTextW(dialog, win32::kIdDimLen, L"3000");
      Click(dialog, win32::kIdOk);
    });
    automation::CallMethod(CreateAddIn("Zembrati.ProfilHE"), "DblClick", beam, 0, 0);
    Check(data.find(L"Iy 25165.7") != std::wstring::npos && data.find(L"117 kg/m") != std::wstring::npos,
          "the dimension panel shows the section's mass and second moments: " + com::Utf8(data.c_str()));
    Check(PartNamed(host, "HEB 300 x 3000") != nullptr, "the edit rebuilt the part as HEB 300 x 3000");
    Check(PartNamed(host, "HEB 300 x 2400") == nullptr, "the old part is gone");
  });

  Run("every class and member of the type library says what it is", [] {
    const GUID library = {0x30ca9b05, 0xc04c, 0x11d4, {0x85, 0x86, 0x00, 0xe0, 0x81, 0x10, 0xf9, 0xcf}};
    ITypeLib* types = nullptr;
    if (FAILED(LoadRegTypeLib(library, 1, 0, 0, &types))) return Check(false, "the type library is registered");
    int undocumented = 0, documented = 0;
    const auto help = [&](ITypeInfo* info, MEMBERID id) {
      BSTR name = nullptr, text = nullptr;
      info->GetDocumentation(id, &name, &text, nullptr, nullptr);
      const bool has = text != nullptr && SysStringLen(text) > 0;
      has ? ++documented : ++undocumented;
      if (!has) std::cout << "no help string: " << com::BstrText(name) << std::endl;
      SysFreeString(name);
      SysFreeString(text);
    };
    for (UINT i = 0; i < types->GetTypeInfoCount(); ++i) {
      ITypeInfo* info = nullptr;
      types->GetTypeInfo(i, &info);
      help(info, MEMBERID_NIL);
      TYPEATTR* attributes = nullptr;
      info->GetTypeAttr(&attributes);
      for (WORD f = 0; f < attributes->cFuncs; ++f) {
        FUNCDESC* function = nullptr;
        info->GetFuncDesc(f, &function);
        help(info, function->memid);
        info->ReleaseFuncDesc(function);
      }
      info->ReleaseTypeAttr(attributes);
      info->Release();
    }
    types->Release();
    Check(undocumented == 0 && documented > 150, "every type and member has a help string (" +
                                                     std::to_string(documented) + " have one)");
  });

  Run("a host error keeps its own number and description", [&] {
    try {
      automation::CallMethod(CreateAddIn("Zembrati.ProfilHE"), "PreUpdate", ObjectRef(std::make_shared<BusyShape>()));
      Check(false, "a regeneration on a busy host fails");
    } catch (const runtime::RuntimeError& error) {
      Check(error.number() == 1234 && error.description() == "the host is busy",
            "the host's own number and description come through: " + std::to_string(error.number()) + " " +
                error.description());
    }
  });

  if (!installed) Run("the dialog opens where it was left, on a monitor that is there", [&] {
    const auto dropAndSee = [&](const std::string& top, const std::string& left) {
      WritePrefs({" " + top, " " + left, " 0", " 1", " 1", " 10", " 0", "1500", "-1"});
      RECT where{};
      WhenTheDialogShows([&where](HWND dialog) {
        GetWindowRect(dialog, &where);
        Click(dialog, win32::kIdCancel);
      });
      automation::CallMethod(CreateAddIn("Zembrati.ZembratiObj"), "Drop", parts::AddPartShape(host.ActivePage()), 0, 0);
      return where;
    };
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const RECT placed = dropAndSee("1500", "3000");  // 1500 and 3000 twips: 100 and 200 pixels at 96 dpi
    Check(placed.top == 1500 * dpi / 1440 && placed.left == 3000 * dpi / 1440,
          "the dialog stands where it was left: " + std::to_string(placed.left) + ", " + std::to_string(placed.top));
    const RECT gone = dropAndSee("9000000", "-9000000");  // a monitor far away that is not there
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&gone, MONITOR_DEFAULTTONEAREST), &monitor);
    Check(gone.left >= monitor.rcWork.left && gone.right <= monitor.rcWork.right && gone.top >= monitor.rcWork.top &&
              gone.bottom <= monitor.rcWork.bottom,
          "a dialog left on a monitor that is gone opens whole on one that is there");
  });

  Run("part names use the user's decimal separator", [&] {
    const DecimalSeparatorForNow comma(L",");
    const ObjectRef placeholder = parts::AddPartShape(host.ActivePage());
    WhenTheDialogShows([](HWND dialog) {
      Click(dialog, win32::kIdFirstType);  // HE
      Choose(dialog, win32::kIdNormativa, L"HEA");
      Choose(dialog, win32::kIdMisura, L"100");
      SetDlgItemTextW(dialog, win32::kIdDimLen, L"2400.5");
      Click(dialog, win32::kIdOk);
    });
    automation::CallMethod(CreateAddIn("Zembrati.ZembratiObj"), "Drop", placeholder, 0, 0);
    std::string names;
    for (const scene::NodePtr& part : host.document().Parts()) names += " \"" + part->name + "\"";
    Check(PartNamed(host, "HEA 100 x 2400,5") != nullptr, "the part is named HEA 100 x 2400,5; there are" + names);
  });

  std::cout << passed << " passed, " << failed << " failed" << std::endl;
  CoUninitialize();
  return failed == 0 ? 0 : 1;
}
