#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zembrati::cli {

// A standards family read through the system's own catalogue readers, as the dialog would read
// it entry by entry: every type's standards, every standard's sizes (with their dimensions and
// thickness lists) and materials. What the readers would have shown the user as messages is
// collected with the place it came from.
struct CatalogueSize {
  std::string name;
  int line = 0;  // in the size table, from 1
  std::array<double, 21> dims{};
  std::string partNumber;
  std::vector<std::string> thicknesses;
  int fieldCount = 0;  // numeric fields on the line: after every bar, but the part number and named fields
  std::string text;    // the size line as read
};

struct CatalogueStandard {
  std::string name, description, designation, nameFormat;
  int line = 0;  // in the index file
  std::string sizeFile, materialsFile;
  std::vector<CatalogueSize> sizes;
  std::vector<std::string> materials;
};

struct CatalogueType {
  std::int16_t code = 0;
  std::vector<CatalogueStandard> standards;
};

struct CatalogueMessage {
  std::string where;  // family, type, standard, size
  std::string text;
};

struct CatalogueFamily {
  std::string name;
  std::string indexPath;
  std::string dataDir;
  std::vector<CatalogueType> types;
  std::vector<CatalogueMessage> messages;
};

CatalogueFamily ReadFamily(const std::string& name, const std::string& indexPath, const std::string& dataDir);

}  // namespace zembrati::cli
