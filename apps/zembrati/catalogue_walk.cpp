#include "catalogue_walk.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "catalogue/catalogue_readers.h"
#include "catalogue/reader_messages.h"
#include "catalogue/size_lines.h"
#include "runtime/runtime_error.h"
#include "ui/message_box.h"

namespace zembrati::cli {
namespace {

// Collects the readers' messages instead of showing them, each with where the walk stood.
class MessageCollector : public ui::MessageService {
 public:
  explicit MessageCollector(CatalogueFamily& family) : family_(family), scope_(*this) {}
  ui::MessageAnswer Show(const std::string& text, const std::string&, ui::MessageIcon, ui::MessageButtons) override {
    std::string flat = text;
    for (char& c : flat) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    family_.messages.push_back({where, flat});
    return ui::MessageAnswer::Ok;
  }
  std::string where;

 private:
  CatalogueFamily& family_;
  ui::ScopedMessageService scope_;
};

// Every size of a standard, read as the size readers would read it when the user picks it, but
// from one reading of the table: a check of a table of n sizes takes time in proportion to n.
void ReadSizes(CatalogueStandard& standard, const ui::ListControl& sizes, std::int16_t typeCode) {
  const std::string& path = sizes.Tag();
  const bool hasThickness = typeCode >= 7 && typeCode <= 10;
  std::optional<catalogue::SizeTable> table;
  std::int32_t openError = 0;
  try {
    table.emplace(path);
  } catch (const runtime::RuntimeError& error) {
    openError = error.number();
  }
  const auto read = [&](const catalogue::ReaderTexts& texts, const std::function<void()>& reading) {
    try {
      if (openError != 0) runtime::Raise(openError);
      reading();
    } catch (const runtime::RuntimeError& error) {
      catalogue::ShowReaderError(error.number(), texts, path);
    }
  };
  for (std::int16_t i = 0; i < sizes.ListCount(); ++i) {
    CatalogueSize size;
    size.name = sizes.List(i);
    const std::int16_t lineIndex = sizes.ItemData(i);
    size.line = lineIndex + 1;
    read(catalogue::kQMisuraTexts, [&] { table->Size(lineIndex, size.dims, size.partNumber); });
    if (hasThickness) {
      ui::ListControl thicknesses;
      read(catalogue::kQSpessoriTexts, [&] { table->Thicknesses(lineIndex, thicknesses); });
      for (std::int16_t t = 0; t < thicknesses.ListCount(); ++t) size.thicknesses.push_back(thicknesses.List(t));
    }
    if (table && lineIndex >= 0 && lineIndex < table->LineCount()) {
      size.text = table->Line(lineIndex);
      size.fieldCount = catalogue::NumericFieldCount(size.text);
    }
    standard.sizes.push_back(std::move(size));
  }
}

}  // namespace

CatalogueFamily ReadFamily(const std::string& name, const std::string& indexPath, const std::string& dataDir) {
  CatalogueFamily family{name, indexPath, dataDir, {}, {}};
  MessageCollector messages(family);
  for (std::int16_t code = 1; code <= 12; ++code) {
    CatalogueType type{code, {}};
    ui::ListControl standards;
    messages.where = name + ", type " + std::to_string(code);
    catalogue::QNorma(indexPath, code, standards);
    for (std::int16_t s = 0; s < standards.ListCount(); ++s) {
      CatalogueStandard standard;
      standard.name = standards.List(s);
      standard.line = standards.ItemData(s);
      messages.where = name + ", type " + std::to_string(code) + ", standard " + standard.name;
      std::string work = indexPath;
      ui::ListControl sizes, materials;
      ui::Label description;
      catalogue::QData(work, dataDir, standards.ItemData(s), sizes, description, materials);
      standard.description = description.caption;
      standard.sizeFile = sizes.Tag();
      standard.materialsFile = materials.Tag();
      for (std::int16_t m = 0; m < materials.ListCount(); ++m) standard.materials.push_back(materials.List(m));
      catalogue::QDesignazione(indexPath, standards.ItemData(s), standard.nameFormat, standard.designation);
      ReadSizes(standard, sizes, code);
      type.standards.push_back(std::move(standard));
    }
    family.types.push_back(std::move(type));
  }
  return family;
}

}  // namespace zembrati::cli
