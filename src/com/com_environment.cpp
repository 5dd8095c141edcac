#include "com_environment.h"

#include <windows.h>

#include "automation/object_creation.h"
#include "runtime/number_text.h"
#include "com_bridge.h"
#include "ui/form.h"
#include "ui/message_box.h"
#include "win32_dialog.h"

namespace zembrati::com {
namespace {

class ComCreator : public automation::ObjectCreator {
 public:
  automation::ObjectRef CreateObject(std::string_view classId, std::string_view) override {
    CLSID clsid;
    const std::wstring text = Wide(std::string(classId));
    if (FAILED(CLSIDFromString(text.c_str(), &clsid))) return nullptr;
    IDispatch* dispatch = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
      return nullptr;
    }
    automation::ObjectRef object = WrapDispatch(dispatch);
    dispatch->Release();
    return object;
  }
};

class WindowsMessages : public ui::MessageService {
 public:
  ui::MessageAnswer Show(const std::string& text, const std::string& title, ui::MessageIcon icon,
                         ui::MessageButtons buttons) override {
    UINT style = MB_TASKMODAL;
    switch (icon) {
      case ui::MessageIcon::Critical: style |= MB_ICONSTOP; break;
      case ui::MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
      case ui::MessageIcon::Question: style |= MB_ICONQUESTION; break;
      case ui::MessageIcon::Information: style |= MB_ICONINFORMATION; break;
      case ui::MessageIcon::None: break;
    }
    style |= buttons == ui::MessageButtons::OkCancel ? MB_OKCANCEL : buttons == ui::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    switch (MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), style)) {
      case IDCANCEL: return ui::MessageAnswer::Cancel;
      case IDYES: return ui::MessageAnswer::Yes;
      case IDNO: return ui::MessageAnswer::No;
      default: return ui::MessageAnswer::Ok;
    }
  }
};

// The user's decimal separator, as Windows has it now: part names and dimension labels use it.
void TakeUserDecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 0 && separator[0] > 0 &&
      separator[0] < 0x80 && separator[1] == 0) {
    runtime::SetUserDecimalSeparator(static_cast<char>(separator[0]));
  }
}

class EnvironmentScope {
 public:
  EnvironmentScope() : creator_(creatorInstance), messages_(messagesInstance), presenter_(presenterInstance) {
    TakeUserDecimalSeparator();
  }

 private:
  static inline ComCreator creatorInstance;
  static inline WindowsMessages messagesInstance;
  static inline win32::Win32Presenter presenterInstance;
  automation::ScopedObjectCreator creator_;
  ui::ScopedMessageService messages_;
  ui::ScopedFormPresenter presenter_;
};

class Hosted : public automation::Object {
 public:
  explicit Hosted(automation::ObjectRef inner) : inner_(std::move(inner)) {}
  const void* Identity() const override { return inner_->Identity(); }
  std::string ClassName() const override { return inner_->ClassName(); }
  automation::Variant Invoke(std::string_view member, automation::CallKind kind,
                             std::span<automation::Variant> args) override {
    EnvironmentScope scope;
    return inner_->Invoke(member, kind, args);
  }

 private:
  automation::ObjectRef inner_;
};

}  // namespace

automation::ObjectRef InWindowsEnvironment(automation::ObjectRef component) {
  return std::make_shared<Hosted>(std::move(component));
}

}  // namespace zembrati::com
