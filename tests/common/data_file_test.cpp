#include "common/core/data_file.h"
#include "common/core/working_folder.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimo::common {
namespace {

using namespace std::chrono_literals;
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

// Reads on a thread. Should the read wait on the FIFO `fifo` (the fault
// this guards against), the FIFO's writing end is opened and closed so that
// the test fails instead of hanging.
bool ReadReleasingFifo(const std::filesystem::path& path, const std::filesystem::path& fifo,
                       bool& blocked) {
    std::string bytes;
    auto read = std::async(std::launch::async, [&] { return ReadWholeFile(path, bytes); });
    blocked = false;
    while (read.wait_for(blocked ? 10ms : 2s) == std::future_status::timeout) {
        blocked = true;
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return read.get();
}

TEST(DataFileTest, ReadsOnlyRegularFilesUpToTheCap) {
    TemporaryFolder folder;
    folder.write("data.bd1", "K1\t\n");
    std::filesystem::create_symlink("data.bd1", folder / "link.bd1");
    std::filesystem::create_directories(folder / "folder.bd1");
    ASSERT_EQ(::mkfifo((folder / "fifo.bd1").c_str(), 0600), 0);
    std::filesystem::create_symlink("fifo.bd1", folder / "link-to-fifo.bd1");
    std::filesystem::create_symlink("/dev/zero", folder / "link-to-zero.bd1");
    std::filesystem::create_symlink("loop.bd1", folder / "loop.bd1");
    // Sparse: neither takes room on the disk.
    folder.write("cap.bd1", "");
    std::filesystem::resize_file(folder / "cap.bd1", kMaxDataFileBytes);
    folder.write("over-cap.bd1", "");
    std::filesystem::resize_file(folder / "over-cap.bd1", kMaxDataFileBytes + 1);

    const struct {
        const char* name;
        std::filesystem::path path;
        bool readable;
    } rows[] = {
        {"a regular file", folder / "data.bd1", true},
        {"a link to a regular file", folder / "link.bd1", true},
        {"a file of exactly the cap", folder / "cap.bd1", true},
        {"a file one byte over the cap", folder / "over-cap.bd1", false},
        {"a folder", folder / "folder.bd1", false},
        {"a FIFO", folder / "fifo.bd1", false},
        {"a link to a FIFO", folder / "link-to-fifo.bd1", false},
        {"a device", "/dev/null", false},
        {"a link to an endless device", folder / "link-to-zero.bd1", false},
        {"a symbolic-link loop", folder / "loop.bd1", false},
        {"a name part over 255 characters", folder / std::string(256, 'n'), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        bool blocked = false;
        EXPECT_EQ(ReadReleasingFifo(row.path, folder / "fifo.bd1", blocked), row.readable);
        EXPECT_FALSE(blocked);
    }
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
