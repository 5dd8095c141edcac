#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace zembrati::cli {

// The choices a command makes in the selection dialog, applied in this order through the
// dialog's own events; unset ones are left as the dialog shows them.
struct DialogChoices {
  std::string family, type, standard, size, thickness, material;
  std::optional<std::string> length;
  bool cancel = false;
};
void AddDialogChoiceOptions(CLI::App& command, DialogChoices& choices);
// Refuses choices that no user could type into the dialog (a line break in a name) and a length
// that is not one (as set-length does): a UsageError before anything is loaded.
void CheckChoices(const DialogChoices& choices);

}  // namespace zembrati::cli
