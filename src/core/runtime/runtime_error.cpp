#include "runtime/runtime_error.h"

#include <array>
#include <utility>

namespace zembrati::runtime {
namespace {

struct Described {
  std::int32_t number;
  std::string_view text;
};

constexpr std::array kDescriptions{
    Described{3, "Return without GoSub"},
    Described{5, "Invalid procedure call or argument"},
    Described{6, "Overflow"},
    Described{7, "Out of memory"},
    Described{9, "Subscript out of range"},
    Described{10, "This array is fixed or temporarily locked"},
    Described{11, "Division by zero"},
    Described{13, "Type mismatch"},
    Described{14, "Out of string space"},
    Described{16, "Expression too complex"},
    Described{17, "Can't perform requested operation"},
    Described{18, "User interrupt occurred"},
    Described{20, "Resume without error"},
    Described{28, "Out of stack space"},
    Described{35, "Sub or Function not defined"},
    Described{47, "Too many DLL application clients"},
    Described{48, "Error in loading DLL"},
    Described{49, "Bad DLL calling convention"},
    Described{51, "Internal error"},
    Described{52, "Bad file name or number"},
    Described{53, "File not found"},
    Described{54, "Bad file mode"},
    Described{55, "File already open"},
    Described{57, "Device I/O error"},
    Described{58, "File already exists"},
    Described{59, "Bad record length"},
    Described{61, "Disk full"},
    Described{62, "Input past end of file"},
    Described{63, "Bad record number"},
    Described{67, "Too many files"},
    Described{68, "Device unavailable"},
    Described{70, "Permission denied"},
    Described{71, "Disk not ready"},
    Described{74, "Can't rename with different drive"},
    Described{75, "Path/File access error"},
    Described{76, "Path not found"},
    Described{91, "Object variable or With block variable not set"},
    Described{92, "For loop not initialized"},
    Described{93, "Invalid pattern string"},
    Described{94, "Invalid use of Null"},
    Described{340, "Control array element does not exist"},
    Described{380, "Invalid property value"},
    Described{381, "Invalid property array index"},
    Described{383, "Property is read-only"},
    Described{394, "Property is write-only"},
    Described{424, "Object required"},
    Described{429, "ActiveX component can't create object"},
    Described{430, "Class does not support Automation or does not support expected interface"},
    Described{438, "Object doesn't support this property or method"},
    Described{440, "Automation error"},
    Described{445, "Object doesn't support this action"},
    Described{446, "Object doesn't support named arguments"},
    Described{448, "Named argument not found"},
    Described{449, "Argument not optional"},
    Described{450, "Wrong number of arguments or invalid property assignment"},
    Described{451, "Property let procedure not defined and property get procedure did not return an object"},
    Described{458, "Variable uses an Automation type not supported in Visual Basic"},
};

constexpr std::string_view kGenericDescription = "Application-defined or object-defined error";

}  // namespace

std::string_view ErrorDescription(std::int32_t number) {
  for (const auto& entry : kDescriptions) {
    if (entry.number == number) return entry.text;
  }
  return kGenericDescription;
}

RuntimeError::RuntimeError(std::int32_t number, std::string description)
    : number_(number), description_(std::move(description)) {}

RuntimeError::RuntimeError(std::int32_t number)
    : RuntimeError(number, std::string(ErrorDescription(number))) {}

void Raise(std::int32_t number) { throw RuntimeError(number); }

}  // namespace zembrati::runtime
