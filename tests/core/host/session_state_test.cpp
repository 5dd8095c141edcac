#include "host/session_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace zembrati::host {
namespace {

TEST(SessionStateTest, StartsZeroedOnEveryThread) {
  SessionState seen;
  seen.TypeCode = 99;
  std::thread([&] { seen = Session(); }).join();
  EXPECT_EQ(seen.TypeCode, 0);
  EXPECT_FALSE(seen.EditMode);
  EXPECT_EQ(seen.LangBase, 0);
  EXPECT_EQ(seen.DropPlacement, nullptr);
  EXPECT_TRUE(seen.NormeDir.empty());
  for (const double d : seen.Dims) EXPECT_EQ(d, 0.0);
  EXPECT_EQ(seen.Dims.size(), 21u);
}

TEST(SessionStateTest, FieldsPersistAcrossCallsOnOneThread) {
  std::thread([] {
    Session().TypeCode = 7;
    Session().Dims[1] = 1500;
    EXPECT_EQ(Session().TypeCode, 7);
    EXPECT_EQ(Session().Dims[1], 1500);
  }).join();
  std::thread([] { EXPECT_EQ(Session().TypeCode, 0); }).join();
}

}  // namespace
}  // namespace zembrati::host
