#include "common/core/data_file.h"
#include "common/core/working_folder.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::common {
namespace {

using testing::TemporaryFolder;

TEST(DataFileTest, WritesAndReplacesAFileWhole) {
    TemporaryFolder folder;
    const auto path = folder / "data.bd1";
    ASSERT_TRUE(WriteFileAtomically(path, "first\t\n"));
    ASSERT_TRUE(WriteFileAtomically(path, std::string("second\t\n\xFF", 9)));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, std::string("second\t\n\xFF", 9));
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(DataFileTest, AFailedWriteLeavesThePreviousFileIntact) {
    TemporaryFolder folder;
    const auto path = folder / "Private/Session.rent";
    folder.write("Private/Session.rent", "previous");
    // A folder where the temporary file cannot go: its parent is a file.
    EXPECT_FALSE(WriteFileAtomically(folder / "Private/Session.rent/inside", "new"));
    // The target is a folder: the rename fails and nothing changes.
    std::filesystem::create_directories(folder / "busy");
    folder.write("busy/keep", "x");
    EXPECT_FALSE(WriteFileAtomically(folder / "busy", "new"));
    EXPECT_EQ(folder.read("Private/Session.rent"), "previous");
    EXPECT_EQ(folder.read("busy/keep"), "x");
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
}

TEST(DataFileTest, CopyReplacesTheTargetAndFailsOnAMissingSource) {
    TemporaryFolder folder;
    folder.write("a", "new content");
    folder.write("b", "old");
    EXPECT_TRUE(CopyFileReplacing(folder / "a", folder / "b"));
    EXPECT_EQ(folder.read("b"), "new content");
    EXPECT_FALSE(CopyFileReplacing(folder / "missing", folder / "b"));
    EXPECT_EQ(folder.read("b"), "new content");
    std::string bytes;
    EXPECT_FALSE(ReadWholeFile(folder / "missing", bytes));
}

TEST(WorkingFolderTest, BuildsPathsFromTheRootWithEitherSeparator) {
    const WorkingFolder folder("/data/tallimo");
    EXPECT_EQ(folder.path("Private/Session.rent"),
              std::filesystem::path("/data/tallimo/Private/Session.rent"));
    EXPECT_EQ(folder.path("Guides\\HelpLocationKartingFR.pdf"),
              std::filesystem::path("/data/tallimo/Guides/HelpLocationKartingFR.pdf"));
    // Names are UTF-8 on disk.
    EXPECT_EQ(folder.path("RéglagesInterface2.rg").filename().string(), "RéglagesInterface2.rg");
}

} // namespace
} // namespace tallimo::common
