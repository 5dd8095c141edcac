#pragma once

#include <windows.h>

#include <functional>

#include "ui/form.h"

namespace zembrati::win32 {

// Control ids of the native selection dialog, for whoever drives it by its messages.
enum ControlId : int {
  kIdOk = IDOK,
  kIdCancel = IDCANCEL,
  kIdTabs = 100,
  kIdFirstType = 110,  // 110..121: the twelve type buttons
  kIdFrameData = 130,
  kIdLblNormativa = 140, kIdNormativa, kIdNormaDescr, kIdLblMisura, kIdMisura, kIdLblSpessore, kIdSpessore,
  kIdLblMateriale, kIdMateriale, kIdLblLunghezza, kIdDimLen,
  kIdFramePreview = 160,
  kIdFirstPreviewLabel = 161,  // 161..165: the dimension labels of the type shown
  kIdPreviewData = 168,        // area, mass per metre and second moments of the section shown
  kIdPreviewTitle = 166,
  kIdPreviewPicture = 167,
  kIdBtnMisura = 170,
};

// Shows the selection dialog as a native modal Win32 dialog over its form model: the model holds
// all state; the window mirrors it after every event and forwards the user's actions (a list
// selection, a type button, a tab, typed text, a button) as the model's control events.
class Win32Presenter : public ui::FormPresenter {
 public:
  // `onShown` runs once the window is up (tests use it to drive the dialog by its messages).
  Win32Presenter() = default;
  explicit Win32Presenter(std::function<void(HWND)> onShown) : onShown_(std::move(onShown)) {}
  void ShowModal(ui::Form& form) override;

 private:
  std::function<void(HWND)> onShown_;
};

}  // namespace zembrati::win32
