// Program folder and the folder for the files the program writes.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/plot/ProgramFolder.h"

namespace vorla {
namespace {

TEST(ProgramFolderTest, IsTheExecutablesFolderWithSeparator) {
  const std::string& folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(folder + "vorla_plot_tests"));
  // The test folder is writable, so the settings stay beside the program.
  EXPECT_EQ(SettingsFolder(), folder);
  EXPECT_EQ(HelpFilePath(), folder + "VORLA.HLP");
  EXPECT_FALSE(InstalledProgram()) << "the build's bin/ holds its manual";
}

}  // namespace
}  // namespace vorla
