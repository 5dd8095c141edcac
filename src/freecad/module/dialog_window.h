#pragma once

#include <cstdint>
#include <string>

#include "dialog/dialog.h"

namespace zembrati::freecad {

// The selection dialog as the workbench's Qt widgets see it: everything they show, as one JSON
// text read after every action, and the user's actions, each raised as the control event a
// window raises (an error in its handling is shown as every front end shows it, the dialog left
// open). The widgets hold no state of their own. A window outlives its dialog only detached:
// then it reads as closed and its actions do nothing.
class DialogWindow {
 public:
  explicit DialogWindow(dialog::Dialog& dialog) : dialog_(&dialog) {}

  // Captions, tabs, the type chosen, the four lists (entries, selection, enabled, visible), the
  // description, the length box, the buttons, which panel shows, and the dimension panel with
  // its picture's loops in mm.
  std::string StateJson() const;

  void ChooseFamily(int index);
  void ChooseType(int index);
  // `list` is "standard", "size", "thickness" or "material".
  void Select(const std::string& list, int index);
  void TypeLength(const std::string& text);
  // `button` is "ok", "cancel" or "dimensions"; a disabled button does nothing.
  void Press(const std::string& button);
  // The window was closed by the user: nothing is confirmed.
  void Close();

  bool Closed() const { return dialog_ == nullptr || dialog_->Unloaded(); }
  void Detach() { dialog_ = nullptr; }

 private:
  ui::ListControl* ListNamed(const std::string& list) const;
  dialog::Dialog* dialog_;
};

}  // namespace zembrati::freecad
