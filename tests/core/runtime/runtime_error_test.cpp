#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include "runtime/status.h"

namespace zembrati::runtime {
namespace {

TEST(RuntimeErrorTest, StandardDescriptionsOfTheErrorsTheSystemMeets) {
  const std::pair<int, const char*> expected[] = {
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {55, "File already open"},
      {57, "Device I/O error"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {67, "Too many files"},
      {68, "Device unavailable"},
      {70, "Permission denied"},
      {71, "Disk not ready"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {380, "Invalid property value"},
      {424, "Object required"},
      {438, "Object doesn't support this property or method"},
  };
  for (const auto& [number, text] : expected) {
    EXPECT_EQ(ErrorDescription(number), text) << number;
    EXPECT_EQ(RuntimeError(number).description(), text) << number;
  }
  EXPECT_EQ(ErrorDescription(31999), "Application-defined or object-defined error");
}

TEST(RuntimeErrorTest, TrapTurnsEveryEscapeIntoAStatus) {
  EXPECT_TRUE(Trap([] {}).ok());

  const Status raised = Trap([] { Raise(error::kFileNotFound); });
  EXPECT_EQ(raised.number, 53);
  EXPECT_EQ(raised.description, "File not found");

  const Status host = Trap([] { throw RuntimeError(-2147467259, "Unspecified error"); });
  EXPECT_EQ(host.number, -2147467259);
  EXPECT_EQ(host.description, "Unspecified error");

  EXPECT_EQ(Trap([] { throw std::bad_alloc(); }).number, 7);
  const Status foreign = Trap([] { throw std::logic_error("boom"); });
  EXPECT_EQ(foreign.number, 51);
  EXPECT_NE(foreign.description.find("boom"), std::string::npos);
  EXPECT_EQ(Trap([] { throw 42; }).number, 51);
}

}  // namespace
}  // namespace zembrati::runtime
