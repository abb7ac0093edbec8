#include "runs/core/run_file_header.h"
#include "runs/core/run_file_path.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::runs {
namespace {

TEST(RunFilePathTest, NamesGiveOneFileDirectlyInRuns) {
    const struct {
        const char* why;
        std::string name, firstName, expected;
    } cases[] = {
        {"plain letters", "Dupont", "Jean", "Runs/Dupont_Jean.bdr"},
        {"accents, blanks, underscores kept", "Lef\xE8vre_Roy", "Ren\xE9 A",
         "Runs/Lef\xE8vre_Roy_Ren\xE9 A.bdr"},
        {"slash cannot climb", "../../etc", "x", "Runs/..-..-etc_x.bdr"},
        {"backslash cannot climb", "..\\..\\Windows", "x", "Runs/..-..-Windows_x.bdr"},
        {"dot names stay a file", ".", "..", "Runs/._...bdr"},
        {"refused file system characters", "a:b*c?d\"e", "<f>|g", "Runs/a-b-c-d-e_-f--g.bdr"},
        {"control characters and NUL", std::string("a\tb\x01\0", 5), "c\x7F", "Runs/a-b--_c-.bdr"},
    };
    const common::WorkingFolder folder("/root");
    for (const auto& c : cases) {
        EXPECT_EQ(RunFileName(c.name, c.firstName), c.expected) << c.why;
        const std::filesystem::path path = RunFilePath(folder, c.name, c.firstName);
        EXPECT_EQ(path.parent_path(), std::filesystem::path("/root/Runs")) << c.why;
    }
}

TEST(RunFilePathTest, CreatesHeaderOnlyFileAndDeletesIt) {
    testing::TemporaryFolder root;
    std::filesystem::create_directory(root / "Runs");
    const auto path = RunFilePath(common::WorkingFolder(root.path()), "Dupont", "Ren\xE9");
    ASSERT_TRUE(CreateRunFile(path));
    EXPECT_EQ(root.read("Runs/Dupont_Ren\xC3\xA9.bdr"), "0\t0\t\n");
    EXPECT_TRUE(DeleteRunFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace tallimo::runs
