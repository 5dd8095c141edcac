#pragma once

#include "document.h"

// What the scene's JSON text is made of, shared by its writer and its reader.
namespace zembrati::scene::document_json {

inline constexpr const char* kFormat = "zembrati-scene";
inline constexpr int kVersion = 1;
// A scene with joints is written as version 2, so that a program that reads only version 1 refuses
// it rather than dropping its joints unseen; everything else is as in version 1.
inline constexpr int kVersionWithJoints = 2;
// How deeply the JSON of a scene may nest. A part at the root of a scene reaches about 22 levels
// and every shape nested inside another adds 4, so this allows about 60 levels of shapes in
// shapes; anything deeper is not a scene this host wrote, and refusing it early keeps every
// walk over the tree shallow.
inline constexpr int kMaxNesting = 256;

inline const char* RoleName(NodeRole role) {
  switch (role) {
    case NodeRole::Shape: return "shape";
    case NodeRole::Component: return "component";
    case NodeRole::Profile: return "profile";
    case NodeRole::Loop: return "loop";
  }
  return "shape";
}

}  // namespace zembrati::scene::document_json
