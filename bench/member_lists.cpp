#include "member_lists.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zembrati::bench {

void WriteWindowLists(int count, std::ostream& members, std::ostream& joints) {
  members << "mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n";
  joints << "mark,end,kind,to,gap\n";
  for (int w = 0; w < count / 4; ++w) {
    const int x = 1500 * (w % 50), z = 1000 * (w / 50);
    const int corners[4][2] = {{x, z}, {x + 1000, z}, {x + 1000, z + 600}, {x, z + 600}};
    for (int side = 0; side < 4; ++side) {
      const auto& from = corners[side];
      const auto& to = corners[(side + 1) % 4];
      members << "W" << w << "S" << side << ",QUADCAVO,SHS EN 10210,100,5," << from[0] << ",0," << from[1] << "," << to[0]
              << ",0," << to[1] << ",0\n";
      joints << "W" << w << "S" << side << ",end,mitre,W" << w << "S" << (side + 1) % 4 << ",\n";
    }
  }
}

namespace {

// The rows of a list below its comments and header, split into fields (an empty last field
// kept).
std::vector<std::vector<std::string>> Rows(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  bool header = true;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      header = false;
      continue;
    }
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
      fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    rows.push_back(fields);
  }
  return rows;
}

std::string Joined(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
  return line;
}

}  // namespace

void WritePortalLists(int bays, std::ostream& members, std::ostream& joints) {
  const auto memberRows = Rows(ZEMBRATI_DOCS_DIR "/portal-frame.csv");
  const auto jointRows = Rows(ZEMBRATI_DOCS_DIR "/portal-joints.csv");
  members << "mark,type,standard,size,thickness,material,x1,y1,z1,x2,y2,z2,roll\n";
  joints << "mark,end,kind,to,gap,plane\n";
  for (int bay = 0; bay < bays; ++bay) {
    const std::string suffix = "_" + std::to_string(bay);
    for (std::vector<std::string> row : memberRows) {
      row[0] += suffix;
      for (const std::size_t y : {7u, 10u}) row[y] = std::to_string(std::stod(row[y]) + 20000.0 * bay);
      members << Joined(row) << "\n";
    }
    for (std::vector<std::string> row : jointRows) {
      row[0] += suffix;
      row[3] += suffix;
      joints << Joined(row) << "\n";
    }
  }
}

void WriteColumnList(int count, bool distinct, std::ostream& members) {
  members << "mark,type,standard,size,material,x1,y1,z1,x2,y2,z2,roll\n";
  for (int i = 0; i < count; ++i) {
    const int x = 1000 * (i % 100), y = 1000 * (i / 100);
    members << "C" << i << ",HE,HEA,200,S235JR," << x << "," << y << ",0," << x << "," << y << "," << 3000 + (distinct ? i : 0)
            << ",0\n";
  }
}

}  // namespace zembrati::bench
