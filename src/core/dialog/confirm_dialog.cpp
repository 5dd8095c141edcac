#include "catalogue/string_table.h"
#include "dialog/dialog_procedures.h"
#include "geometry/section_types.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts/name_template.h"
#include "parts/part_data.h"
#include "parts/profile_part.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "ui/message_box.h"

namespace zembrati::dialog {
namespace {

bool NothingChanged(const Dialog& dialog) {
  const host::SessionState& session = host::Session();
  const bool anyFlag = dialog.DimLen.changed || dialog.Misura.changed || dialog.Normativa.changed ||
                       dialog.Materiale.changed || dialog.Spessore.changed;
  return dialog.TabNorme.Current() == session.StoredTab && session.TypeCode == session.StoredType && !anyFlag;
}

// The rebuilt part takes over the edited one's name suffix and place. The old part is removed
// last, once nothing else can fail: until then a failure removes the new part instead, and the
// scene keeps the old part as it was.
void ReplaceEditedPart(const automation::ObjectRef& created) {
  const automation::ObjectRef& edited = host::Session().EditedPart;
  try {
    const std::string suffix = GetNameSuffix(edited);
    host::SetName(created, host::Name(created) + suffix);
    host::Update(created);
    parts::RemoveShape(edited);
  } catch (...) {
    parts::RemoveShapeAfterFailure(created);
    throw;
  }
}

}  // namespace

std::string GetNameSuffix(const automation::ObjectRef& part) {
  if (!parts::IsPart(part)) return {};
  return parts::UserSuffix(host::Name(part), parts::NameTemplateOf(part));
}

void CreatePartFromDialog(Dialog& dialog) {
  host::SessionState& session = host::Session();
  const geometry::SectionType* type = geometry::FindSectionType(session.TypeCode);
  if (type == nullptr) runtime::Raise(runtime::error::kInvalidProcedureCall);
  parts::ProfilePart part(*type);
  part.FileData = dialog.Misura.Tag();
  part.Codice = dialog.Misura.Text();
  part.Normativa = dialog.Normativa.Text();
  part.MaterialCode = dialog.Materiale.Text();
  part.lung = session.Dims[1];
  const automation::ObjectRef created = part.Create(session.ParentShape);
  if (session.EditMode) ReplaceEditedPart(created);
  WritePrefs(dialog);
}

void ConfirmDialog(Dialog& dialog) {
  if (host::Session().EditMode && NothingChanged(dialog)) {
    dialog.Unload();
    return;
  }
  try {
    CreatePartFromDialog(dialog);
  } catch (const runtime::RuntimeError& error) {
    // The dialog stays open with the choices as they were, to try again or cancel; the failed
    // creation has added nothing.
    ReportActionError(error);
    return;
  }
  dialog.Unload();
}

}  // namespace zembrati::dialog
