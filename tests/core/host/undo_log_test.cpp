#include "host/undo_log.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace zembrati::host {
namespace {

// Undo steps run newest first; one that fails does not stop the others, and the error that ended
// the operation is the one that comes out.
TEST(UndoLogTest, PutsBackNewestFirstPastAFailingStepAndKeepsTheFirstError) {
  std::string done = "abc";
  UndoLog undo;
  try {
    undo.RunOrUndo([&] {
      undo.Add([&] { done += "1"; });
      undo.Add([] { throw std::runtime_error("the undo step failed too"); });
      undo.Add([&] { done += "3"; });
      throw std::logic_error("the operation failed");
    });
    FAIL();
  } catch (const std::logic_error& error) {
    EXPECT_STREQ(error.what(), "the operation failed");
  }
  EXPECT_EQ(done, "abc31");
  undo.Undo();  // nothing is undone twice
  EXPECT_EQ(done, "abc31");
}

TEST(UndoLogTest, ASucceedingOperationKeepsWhatItDid) {
  int undone = 0;
  UndoLog undo;
  undo.RunOrUndo([&] { undo.Add([&] { ++undone; }); });
  EXPECT_EQ(undone, 0);
}

}  // namespace
}  // namespace zembrati::host
