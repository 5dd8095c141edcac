#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of an ISO 10303-21 exchange structure (the "STEP physical file" that IFC files are):
// numbered entity instances, and the forms of the values their attributes hold.
namespace zembrati::ifc {

// An entity instance's number, as "#12" refers to it.
using EntityId = std::uint32_t;

class SpfWriter {
 public:
  // Adds the instance `entity(attributes)` and returns its number.
  EntityId Add(std::string_view entity, std::string_view attributes);
  // The whole file: header (description, file name, schema) and data section.
  std::string Text(const std::string& description, const std::string& fileName, const std::string& timeStamp,
                   const std::string& schema) const;
  std::size_t Count() const { return next_ - 1; }

 private:
  std::string data_;
  EntityId next_ = 1;
};

// Attribute values as the exchange structure writes them.
std::string Ref(EntityId id);                          // #12
std::string Real(double value);                        // 1.5, 10., -2.5E-07: always with its point
std::string Length(double mm);                         // a length rounded to a nanometre, as a real
std::string String(std::string_view utf8);             // 'it''s', non-ASCII as \X2\00E9\X0\ ...
std::string OptionalString(std::string_view utf8);     // $ for an empty text
std::string Enum(std::string_view name);               // .DIFFERENCE.
std::string Bool(bool value);                          // .T. or .F.
std::string Refs(const std::vector<EntityId>& ids);    // (#1,#2)
std::string Point(double x, double y, double z);       // (1.,2.,3.)
std::string Point(double x, double y);                 // (1.,2.)
std::string Typed(std::string_view type, std::string_view value);  // IFCLABEL('x')

}  // namespace zembrati::ifc
