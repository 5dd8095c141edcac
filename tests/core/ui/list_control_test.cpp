#include "ui/list_control.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

namespace zembrati::ui {
namespace {

TEST(ListControlTest, AProgramSelectionRaisesTheSameClickAsAUsers) {
  ListControl list;
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  list.AddItem("HEA");
  list.AddItem("HEB");
  EXPECT_EQ(list.NewIndex(), 1);
  list.SetItemData(list.NewIndex(), 7);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  list.SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.Text(), "HEB");
  EXPECT_EQ(list.ItemData(1), 7);
  EXPECT_EQ(testing::ErrorNumberOf([&] { list.SetListIndex(2); }), 380);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(testing::ErrorNumberOf([&] { list.ItemData(5); }), 381);
  list.Clear();
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(clicks, 1);  // clearing is no click
}

}  // namespace
}  // namespace zembrati::ui
