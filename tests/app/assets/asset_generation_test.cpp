#include "app/assets/asset_generation.h"

#include "tests/app/assets/expected_assets.h"
#include "tests/app/assets/riff_wave_parsing.h"
#include "tests/support/temporary_folder.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace tallimo::app::assets {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::set<fs::path> expectedFiles() {
    std::set<fs::path> files;
    for (const auto& picture : testing::kExpectedPictures)
        files.insert(fs::path("images") / picture.fileName);
    for (const auto& sound : testing::kExpectedSounds)
        files.insert(fs::path("sons") / sound.fileName);
    files.insert(fs::path(testing::kGuideFile));
    return files;
}

std::set<fs::path> filesUnder(const fs::path& root) {
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), root));
    return files;
}

// One test, as generating is the slow part: the files the program looks for
// and nothing else, each well-formed, and the same bytes from a second run.
TEST(AssetGeneration, WritesExactlyTheExpectedWellFormedFilesTheSameEveryRun) {
    tallimo::testing::TemporaryFolder folder, other;
    const fs::path root = folder / "share";
    const GenerationResult result = generateAssets(root);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(std::set<fs::path>(result.written.begin(), result.written.end()), expectedFiles());
    EXPECT_EQ(filesUnder(root), expectedFiles());

    for (const auto& row : testing::kExpectedPictures) {
        const fs::path path = root / "images" / row.fileName;
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(path.string()), "BMP")) << path;
        EXPECT_EQ(image.size(), QSize(row.width, row.height)) << path;
    }
    for (const auto& row : testing::kExpectedSounds) {
        std::string why;
        EXPECT_TRUE(testing::parseRiffWave(readBytes(root / "sons" / row.fileName), why))
            << row.fileName << ": " << why;
    }
    const std::vector<std::uint8_t> guide = readBytes(root / testing::kGuideFile);
    EXPECT_EQ(std::string(guide.begin(), guide.begin() + std::min<std::size_t>(5, guide.size())),
              "%PDF-");

    const GenerationResult again = generateAssets(other.path());
    ASSERT_TRUE(again.ok) << again.error;
    for (const fs::path& file : expectedFiles())
        EXPECT_EQ(readBytes(root / file), readBytes(other.path() / file)) << file;
}

TEST(AssetGeneration, RootThatIsAFileIsReportedNotThrown) {
    tallimo::testing::TemporaryFolder folder;
    folder.write("occupied", "not a folder");
    const GenerationResult result = generateAssets(folder / "occupied");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("occupied"), std::string::npos) << result.error;
    EXPECT_TRUE(result.written.empty());
}

} // namespace
} // namespace tallimo::app::assets
