#include "catalogue/reader_messages.h"

#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "ui/message_box.h"

namespace zembrati::catalogue {
namespace {

constexpr const char* kCr = "\r";
constexpr const char* kCrLf = "\r\n";

std::string NumberText(std::int32_t number) {
  return (number >= 0 ? " " : "") + runtime::IntegerText(number);
}

}  // namespace

std::string ReaderMessageText(std::int32_t number, const ReaderTexts& texts, const std::string& path) {
  if (number == runtime::error::kInputPastEndOfFile) {
    return "Error Reading " + path + kCr + texts.tail1;
  }
  if (number == runtime::error::kFileNotFound) {
    return std::string(texts.head) + kCrLf + kCrLf + path + kCrLf + kCrLf + texts.notFound + kCr + texts.tail2;
  }
  return "Error " + NumberText(number) + " " + std::string(runtime::ErrorDescription(number)) + kCrLf +
         texts.tail1;
}

void ShowReaderError(std::int32_t number, const ReaderTexts& texts, const std::string& path) {
  const ui::MessageIcon icon =
      number == runtime::error::kFileNotFound ? ui::MessageIcon::Exclamation : ui::MessageIcon::Critical;
  ui::ShowMessage(ReaderMessageText(number, texts, path), ui::kApplicationTitle, icon, ui::MessageButtons::Ok);
}

}  // namespace zembrati::catalogue
