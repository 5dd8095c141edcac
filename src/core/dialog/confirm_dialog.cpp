#include "dialog/dialog_procedures.h"

namespace zembrati::dialog {

// OK: the choices are remembered and the dialog closes. Making the part from them comes before
// this once the part classes are in place.
void ConfirmDialog(Dialog& dialog) {
  WritePrefs(dialog);
  dialog.Unload();
}

}  // namespace zembrati::dialog
