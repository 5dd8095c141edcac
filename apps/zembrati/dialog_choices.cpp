#include "dialog_choices.h"

#include "cli_support.h"

namespace zembrati::cli {

void AddDialogChoiceOptions(CLI::App& command, DialogChoices& choices) {
  command.add_option("--family", choices.family, "Standards family: its tab name or index from 0");
  command.add_option("--type", choices.type, "Section type: 1..12 or HE, IPN, UPN, L, T, TARR, TUBO, RETTCAVO, "
                                             "QUADCAVO, PIATTO, TONDO, QUADRO");
  command.add_option("--standard", choices.standard, "Standard, as the list shows it (HEA, IPN, ...)");
  command.add_option("--size", choices.size, "Size, as the list shows it (200, 80x80x8, ...)");
  command.add_option("--thickness", choices.thickness, "Thickness of a tube, hollow section or flat");
  command.add_option("--material", choices.material, "Material (S235JR, S355J2, ...)");
  command.add_option("--length", choices.length, "Length in mm, typed into the length box");
  command.add_flag("--cancel", choices.cancel, "Press Cancel instead of OK");
}

void CheckChoices(const DialogChoices& choices) {
  RequirePlainText(choices.family, "--family");
  RequirePlainText(choices.type, "--type");
  RequirePlainText(choices.standard, "--standard");
  RequirePlainText(choices.size, "--size");
  RequirePlainText(choices.thickness, "--thickness");
  RequirePlainText(choices.material, "--material");
  if (choices.length) ParseLength(*choices.length, "--length");
}

}  // namespace zembrati::cli
