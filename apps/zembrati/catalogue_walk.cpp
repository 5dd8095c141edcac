#include "catalogue_walk.h"

#include "catalogue/catalogue_readers.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file.h"
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

int FieldCount(const std::string& path, int lineIndex) {
  try {
    runtime::TextFileReader file(path);
    std::string line;
    for (int i = 0; i <= lineIndex; ++i) line = file.ReadLine();
    return static_cast<int>(std::count(line.begin(), line.end(), '|'));
  } catch (const runtime::RuntimeError&) {
    return 0;
  }
}

void ReadSizes(CatalogueStandard& standard, ui::ListControl& sizes, std::int16_t typeCode) {
  for (std::int16_t i = 0; i < sizes.ListCount(); ++i) {
    sizes.SetListIndex(i);
    CatalogueSize size;
    size.name = sizes.List(i);
    size.line = sizes.ItemData(i) + 1;
    catalogue::QMisura(sizes, size.dims, size.partNumber);
    if (typeCode >= 7 && typeCode <= 10) {
      ui::ListControl thicknesses;
      catalogue::QSpessori(sizes, thicknesses);
      for (std::int16_t t = 0; t < thicknesses.ListCount(); ++t) size.thicknesses.push_back(thicknesses.List(t));
    }
    size.fieldCount = FieldCount(sizes.Tag(), sizes.ItemData(i));
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
