#include "catalogue/string_table.h"

#include <array>
#include <string_view>

namespace zembrati::catalogue {
namespace {

constexpr std::string_view kUnits = "This tool was designed to be used with scene units of millimeters.";

using Language = std::array<std::string_view, 10>;

constexpr Language kItalian{"VantREX", "Normativa", "Misura", "Spessore", "Materiale",
                            "Lunghezza", "OK", "Annulla", "Misure", kUnits};
constexpr Language kEnglish{"VantREX", "Standard", "Type", "Thickness", "Material",
                            "Length", "OK", "Cancel", "Dimensions", kUnits};
constexpr Language kGerman{"VantREX", "Norm", "Typ", "Breite", "Mat.",
                           "L\u00e4nge", "OK", "Abbrechen", "Dimensions", kUnits};

}  // namespace

std::string LoadString(std::int32_t id) {
  const std::int32_t offset = id % 1000;
  if (offset < 0 || offset > 9) return {};
  switch (id / 1000) {
    case 1: return std::string(kItalian[static_cast<std::size_t>(offset)]);
    case 2: return std::string(kEnglish[static_cast<std::size_t>(offset)]);
    case 3: return std::string(kGerman[static_cast<std::size_t>(offset)]);
    default: return {};
  }
}

}  // namespace zembrati::catalogue
