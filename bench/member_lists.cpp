#include "member_lists.h"

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

}  // namespace zembrati::bench
