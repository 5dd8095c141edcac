// Prints what IFC++ reads of an IFC file as JSON, for tests outside C++ (FreeCAD's) to check an
// exported file with a reader this project did not write.
#include <iostream>
#include <nlohmann/json.hpp>

#include "ifc_reading.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zembrati_ifc_summary FILE.ifc\n";
    return 2;
  }
  const zembrati::testing::IfcFileRead file = zembrati::testing::ReadIfcWithIfcpp(argv[1]);
  nlohmann::json out = {{"entities", file.entities}, {"counts", file.counts}, {"products", nlohmann::json::array()}};
  for (const auto& product : file.products) {
    out["products"].push_back({{"entity", product.entity},
                               {"name", product.name},
                               {"tag", product.tag},
                               {"global_id", product.globalId},
                               {"type", product.typeName},
                               {"material", product.material},
                               {"profile", product.profileEntity},
                               {"volume_mm3", product.volumeMm3},
                               {"quantities", product.quantities},
                               {"properties", product.properties}});
  }
  std::cout << out.dump(1) << "\n";
  return file.entities > 0 ? 0 : 1;
}
