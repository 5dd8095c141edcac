// The paths the installer writes relative to "ApplDir": appended to it as the add-in appends them,
// they must name the installed folders, whatever folder the host keeps.
#include "install_paths.h"

#include <gtest/gtest.h>

namespace {

using zembrati::setup::PathRelativeTo;
using zembrati::setup::WithoutClosingSeparator;

TEST(PathRelativeTo, ReachesTheInstalledFoldersFromTheHostsFolderOrTheInstallFolder) {
  EXPECT_EQ(PathRelativeTo("C:\\Program Files\\Vantrex\\", "C:\\Program Files\\Zembrati\\catalogue\\en\\"),
            "..\\Zembrati\\catalogue\\en\\");
  EXPECT_EQ(PathRelativeTo("C:\\Program Files\\Zembrati\\", "C:\\Program Files\\Zembrati\\catalogue\\en\\"),
            "catalogue\\en\\");
  EXPECT_EQ(PathRelativeTo("C:\\Program Files\\Zembrati\\", "C:\\ProgramData\\Zembrati\\preferences.txt"),
            "..\\..\\ProgramData\\Zembrati\\preferences.txt");
  EXPECT_EQ(PathRelativeTo("C:\\", "C:\\Program Files\\Zembrati\\catalogue\\us\\"), "Program Files\\Zembrati\\catalogue\\us\\");
  EXPECT_EQ(PathRelativeTo("C:\\Program Files\\Zembrati\\", "C:\\Program Files\\Zembrati\\"), "");
}

TEST(PathRelativeTo, FollowsTheHostsSpellingOfItsFolder) {
  // Folder names compare as Windows compares them, without regard to case.
  EXPECT_EQ(PathRelativeTo("c:\\PROGRAM FILES\\vantrex\\", "C:\\Program Files\\Zembrati\\catalogue\\en\\"),
            "..\\Zembrati\\catalogue\\en\\");
  // Plain concatenation: a folder without its closing backslash needs one before the rest.
  EXPECT_EQ(PathRelativeTo("C:\\Program Files\\Vantrex", "C:\\Program Files\\Zembrati\\catalogue\\en\\"),
            "\\..\\Zembrati\\catalogue\\en\\");
  EXPECT_EQ(PathRelativeTo("C:/Tools/Vantrex/", "C:\\Tools\\Zembrati\\"), "..\\Zembrati\\");
  // A folder name that merely begins like the other is a different folder.
  EXPECT_EQ(PathRelativeTo("C:\\Program Files\\Zem\\", "C:\\Program Files\\Zembrati\\"), "..\\Zembrati\\");
}

TEST(PathRelativeTo, RefusesWhatNoTextAppendedCanReach) {
  EXPECT_EQ(PathRelativeTo("D:\\Vantrex\\", "C:\\Program Files\\Zembrati\\"), std::nullopt);
  EXPECT_EQ(PathRelativeTo("\\\\server\\tools\\Vantrex\\", "\\\\server\\apps\\Zembrati\\"), std::nullopt);
  EXPECT_EQ(PathRelativeTo("\\\\server\\tools\\Vantrex\\", "\\\\server\\tools\\Zembrati\\"), "..\\Zembrati\\");
  EXPECT_EQ(PathRelativeTo("Vantrex\\", "C:\\Program Files\\Zembrati\\"), std::nullopt);
  EXPECT_EQ(PathRelativeTo("", "C:\\Program Files\\Zembrati\\"), std::nullopt);
  EXPECT_EQ(PathRelativeTo("C:\\Vantrex\\", ""), std::nullopt);
}

TEST(WithoutClosingSeparator, KeepsADrivesRoot) {
  EXPECT_EQ(WithoutClosingSeparator("C:\\Program Files\\Zembrati\\"), "C:\\Program Files\\Zembrati");
  EXPECT_EQ(WithoutClosingSeparator("C:\\Program Files\\Zembrati"), "C:\\Program Files\\Zembrati");
  EXPECT_EQ(WithoutClosingSeparator("C:\\"), "C:\\");
}

}  // namespace
