#pragma once

#include <string>

#include "automation/variant.h"
#include "geometry/section_types.h"

namespace zembrati::parts {

using automation::ObjectRef;

// The one implementation behind the twelve part classes: five properties and the operations
// that make a part of the class's section type, read a part's stored choices back, and name the
// class's handler. The classes differ only in their section type.
class ProfilePart {
 public:
  explicit ProfilePart(const geometry::SectionType& type) : type_(type) {}

  double lung = 0;           // the length
  std::string Normativa;     // the standard
  std::string Codice;        // the size
  std::string MaterialCode;  // the material
  std::string FileData;      // the size table's path

  const geometry::SectionType& type() const { return type_; }
  std::string ProgId() const { return "Zembrati." + std::string(type_.className); }

  // Builds a new part under the root of the session's page, placed where the session's drop
  // placement says, drawn from the dimension array, named from the standard's name format, with
  // its part data. `parent` is accepted and not used. Returns the new part's shape; when any step
  // fails, the shape is taken out of the scene again and the error goes on to the caller.
  ObjectRef Create(const ObjectRef& parent);
  // Reads a part's stored family, type, standard, size, material and length into the session.
  void GetPartData(const ObjectRef& shape);
  std::string GetHandlerId() const;
  void WritePartVariables(const ObjectRef& shape, const std::string& nameTemplate) const;

 private:
  // Everything after the part's shape was added: placement, body, name, data, page update.
  void Build(const ObjectRef& part);

  const geometry::SectionType& type_;
};

}  // namespace zembrati::parts
