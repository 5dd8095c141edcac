#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace zembrati::automation {

class Object;
using ObjectRef = std::shared_ptr<Object>;

enum class VariantType { Empty, Nothing, Integer, Long, Double, Boolean, Text, Object, Null };

// A value of the late-bound object model: what arguments, property values and results are.
// It keeps the exact type it was made with (a 16-bit 0 is not a 32-bit 0), because hosts store
// and compare values with their types. Construction is explicit about types: plain `int` is the
// 32-bit Long, and types without a counterpart (64-bit integers, float, char) do not convert.
class Variant {
 public:
  Variant() = default;  // Empty
  Variant(std::int16_t value) : value_(value) {}
  Variant(std::int32_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(bool value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(std::string_view value) : value_(std::string(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ObjectRef value) : value_(std::move(value)) {}  // a null reference is Nothing

  Variant(long) = delete;
  Variant(long long) = delete;
  Variant(unsigned) = delete;
  Variant(unsigned long) = delete;
  Variant(unsigned long long) = delete;
  Variant(float) = delete;
  Variant(char) = delete;
  Variant(std::nullptr_t) = delete;

  static Variant Nothing() { return Variant(ObjectRef{}); }
  // The automation model's Null: no valid data. Converting it to a number or a text is error 94
  // (invalid use of Null), to an object error 424.
  static Variant Null() {
    Variant null;
    null.value_ = NullValue{};
    return null;
  }

  VariantType type() const;
  bool IsEmpty() const { return type() == VariantType::Empty; }
  bool IsObject() const { return std::holds_alternative<ObjectRef>(value_); }
  bool IsNothing() const { return type() == VariantType::Nothing; }
  bool IsNull() const { return std::holds_alternative<NullValue>(value_); }

  // Exact access: the value when the Variant holds exactly that type, else nullptr.
  template <typename T>
  const T* TryGet() const {
    return std::get_if<T>(&value_);
  }

  // Conversions by the runtime's coercion rules. A value that cannot be converted raises
  // error 13 (type mismatch); a number out of the target's range raises error 6.
  double ToDouble() const;
  std::int16_t ToInteger() const;
  std::int32_t ToLong() const;
  bool ToBoolean() const;
  std::string ToText() const;
  // The object held (null for Nothing); any other value raises error 424 (object required).
  ObjectRef ToObject() const;

  // "I2 5", "I4 23", "R8 2.5", "B True", "S \"HEA\"", "Empty", "Nothing", "Null", "Object <class>".
  std::string Describe() const;

  // Same type and same value; objects are equal when they are the same object.
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct EmptyValue {
    bool operator==(const EmptyValue&) const = default;
  };
  struct NullValue {
    bool operator==(const NullValue&) const = default;
  };
  std::variant<EmptyValue, std::int16_t, std::int32_t, double, bool, std::string, ObjectRef, NullValue> value_;
};

std::string_view TypeName(VariantType type);

}  // namespace zembrati::automation
