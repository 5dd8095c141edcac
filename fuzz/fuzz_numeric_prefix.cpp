// The numeric-prefix reader and the code-page conversion, given any text: a number or a runtime
// error, never undefined behaviour; every byte of the code page survives a round trip.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input_file.h"
#include "runtime/code_page.h"
#include "runtime/numeric_prefix.h"
#include "runtime/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const double value = zembrati::runtime::NumericPrefixValue(text);
    if (!std::isfinite(value)) zembrati::fuzz::Finding("the numeric prefix gave a value that is not finite");
  } catch (const zembrati::runtime::RuntimeError& error) {
    if (error.number() != zembrati::runtime::error::kOverflow) zembrati::fuzz::Finding("an error other than overflow");
  }
  if (zembrati::runtime::Utf8ToWindows1252(zembrati::runtime::Windows1252ToUtf8(text)) != text) {
    zembrati::fuzz::Finding("a code-page text did not survive the round trip");
  }
  const std::string bytes = zembrati::runtime::Utf8ToWindows1252(text);
  if (bytes.size() > text.size()) zembrati::fuzz::Finding("the conversion made more bytes than characters");
  return 0;
}
