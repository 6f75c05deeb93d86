#include "platform/user_folders.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "support/unwritable.h"

namespace chronell {
namespace {

using test::TempFolder;

TEST(UserFolders, FileExistsAndFolderWritable)
{
    TempFolder folder;
    const std::string file = folder.write("Settings.ini", "");
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(folder.file("missing.ini")));
    EXPECT_TRUE(folderWritable(folder.string()));
    EXPECT_FALSE(folderWritable(folder.file("missing")));
    EXPECT_FALSE(folderWritable(""));
}

TEST(UserFolders, FolderThatTakesNoNewFilesIsNotWritable)
{
    TempFolder folder;
    const test::Unwritable unwritable(folder.string());
    if (!unwritable.made()) GTEST_SKIP() << "this file system cannot make a folder unwritable for root";
    EXPECT_FALSE(folderWritable(folder.string()));
}

} // namespace
} // namespace chronell
