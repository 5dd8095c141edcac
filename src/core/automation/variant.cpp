#include "automation/variant.h"

#include <cctype>
#include <charconv>

#include "automation/object.h"
#include "runtime/integer_conversion.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace zembrati::automation {
namespace {

using runtime::error::kObjectRequired;
using runtime::error::kTypeMismatch;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A text converts to a number only when all of it is one: optional sign, digits with "." or the
// user's decimal separator, optional exponent. Anything else is a type mismatch.
double NumberFromText(std::string_view text) {
  std::string number(Trimmed(text));
  const char separator = runtime::UserDecimalSeparator();
  if (separator != '.') {
    for (char& c : number) {
      if (c == separator) c = '.';
    }
  }
  bool negative = false;
  std::size_t start = 0;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    negative = number[0] == '-';
    start = 1;
  }
  if (start >= number.size() || !(std::isdigit(static_cast<unsigned char>(number[start])) ||
                                  number[start] == '.')) {
    runtime::Raise(kTypeMismatch);
  }
  double value = 0.0;
  const char* end = number.data() + number.size();
  const auto result = std::from_chars(number.data() + start, end, value);
  if (result.ec == std::errc::result_out_of_range) runtime::Raise(runtime::error::kOverflow);
  if (result.ec != std::errc{} || result.ptr != end) runtime::Raise(kTypeMismatch);
  return negative ? -value : value;
}

bool BooleanFromText(std::string_view text) {
  const std::string_view trimmed = Trimmed(text);
  if (NamesEqual(trimmed, "True")) return true;
  if (NamesEqual(trimmed, "False")) return false;
  return NumberFromText(trimmed) != 0.0;
}

}  // namespace

VariantType Variant::type() const {
  switch (value_.index()) {
    case 0:
      return VariantType::Empty;
    case 1:
      return VariantType::Integer;
    case 2:
      return VariantType::Long;
    case 3:
      return VariantType::Double;
    case 4:
      return VariantType::Boolean;
    case 5:
      return VariantType::Text;
    case 6:
      return std::get<ObjectRef>(value_) ? VariantType::Object : VariantType::Nothing;
    default:
      return VariantType::Null;
  }
}

double Variant::ToDouble() const {
  switch (type()) {
    case VariantType::Empty:
      return 0.0;
    case VariantType::Integer:
      return std::get<std::int16_t>(value_);
    case VariantType::Long:
      return std::get<std::int32_t>(value_);
    case VariantType::Double:
      return std::get<double>(value_);
    case VariantType::Boolean:
      return std::get<bool>(value_) ? -1.0 : 0.0;
    case VariantType::Text:
      return NumberFromText(std::get<std::string>(value_));
    case VariantType::Null:
      runtime::Raise(runtime::error::kInvalidUseOfNull);
    default:
      runtime::Raise(kTypeMismatch);
  }
}

std::int16_t Variant::ToInteger() const { return runtime::RoundToInteger(ToDouble()); }

std::int32_t Variant::ToLong() const { return runtime::RoundToLong(ToDouble()); }

bool Variant::ToBoolean() const {
  if (const auto* text = TryGet<std::string>()) return BooleanFromText(*text);
  if (const auto* flag = TryGet<bool>()) return *flag;
  return ToDouble() != 0.0;
}

std::string Variant::ToText() const {
  switch (type()) {
    case VariantType::Empty:
      return {};
    case VariantType::Integer:
      return runtime::IntegerText(std::get<std::int16_t>(value_));
    case VariantType::Long:
      return runtime::IntegerText(std::get<std::int32_t>(value_));
    case VariantType::Double:
      return runtime::GeneralForm(std::get<double>(value_), runtime::UserDecimalSeparator());
    case VariantType::Boolean:
      return std::get<bool>(value_) ? "True" : "False";
    case VariantType::Text:
      return std::get<std::string>(value_);
    case VariantType::Null:
      runtime::Raise(runtime::error::kInvalidUseOfNull);
    default:
      runtime::Raise(kTypeMismatch);
  }
}

ObjectRef Variant::ToObject() const {
  if (const auto* object = TryGet<ObjectRef>()) return *object;
  runtime::Raise(kObjectRequired);
}

std::string Variant::Describe() const {
  switch (type()) {
    case VariantType::Empty:
      return "Empty";
    case VariantType::Nothing:
      return "Nothing";
    case VariantType::Null:
      return "Null";
    case VariantType::Integer:
      return "I2 " + runtime::IntegerText(std::get<std::int16_t>(value_));
    case VariantType::Long:
      return "I4 " + runtime::IntegerText(std::get<std::int32_t>(value_));
    case VariantType::Double:
      return "R8 " + runtime::GeneralForm(std::get<double>(value_));
    case VariantType::Boolean:
      return std::get<bool>(value_) ? "B True" : "B False";
    case VariantType::Text:
      return "S \"" + std::get<std::string>(value_) + "\"";
    case VariantType::Object:
      return "Object " + std::get<ObjectRef>(value_)->ClassName();
  }
  return "?";
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.value_.index() != b.value_.index()) return false;
  if (a.IsObject()) return SameObject(std::get<ObjectRef>(a.value_), std::get<ObjectRef>(b.value_));
  return a.value_ == b.value_;
}

std::string_view TypeName(VariantType type) {
  switch (type) {
    case VariantType::Empty:
      return "Empty";
    case VariantType::Nothing:
      return "Nothing";
    case VariantType::Null:
      return "Null";
    case VariantType::Integer:
      return "Integer";
    case VariantType::Long:
      return "Long";
    case VariantType::Double:
      return "Double";
    case VariantType::Boolean:
      return "Boolean";
    case VariantType::Text:
      return "String";
    case VariantType::Object:
      return "Object";
  }
  return "?";
}

}  // namespace zembrati::automation
