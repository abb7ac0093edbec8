#include "app/gui/program_options.h"

#include <gtest/gtest.h>

namespace tallimo::app {
namespace {

ProgramOptions Parse(QStringList arguments) {
    arguments.prepend("tallimo");
    QCommandLineParser parser;
    DescribeProgramOptions(parser);
    EXPECT_TRUE(parser.parse(arguments)) << parser.errorText().toStdString();
    return ProgramOptionsFrom(parser);
}

TEST(ProgramOptionsTest, NothingGivenIsAnInteractiveMaximisedRunOnTheUsualFolder) {
    const ProgramOptions options = Parse({});
    EXPECT_FALSE(options.workingFolder);
    EXPECT_FALSE(options.demo || options.start || options.unattended);
    EXPECT_FALSE(options.quitAfterMs);
    EXPECT_FALSE(options.screenshot);
    EXPECT_FALSE(options.windowSize);
}

TEST(ProgramOptionsTest, TheHeadlessDemoRun) {
    const ProgramOptions options =
        Parse({"--demo", "--unattended", "--start", "--window-size", "1600x900", "--quit-after",
               "8", "--screenshot", "/tmp/x.png"});
    EXPECT_TRUE(options.demo && options.start && options.unattended);
    EXPECT_EQ(options.windowSize, QSize(1600, 900));
    EXPECT_EQ(options.quitAfterMs, 8000);
    EXPECT_EQ(options.screenshot, QString("/tmp/x.png"));
}

TEST(ProgramOptionsTest, TheWorkingFolderIsKeptInUtf8) {
    EXPECT_EQ(Parse({"--working-folder", QString::fromUtf8("/data/Piste \xC3\xA9t\xC3\xA9")})
                  .workingFolder,
              "/data/Piste \xC3\xA9t\xC3\xA9");
}

TEST(ProgramOptionsTest, AWindowSizeNeedsTwoPositiveSides) {
    const struct {
        const char* given;
        std::optional<QSize> size;
    } rows[]{
        {"1600x900", QSize(1600, 900)}, {"1x1", QSize(1, 1)},
        {"0x900", std::nullopt},        {"1600x0", std::nullopt},
        {"-1600x900", std::nullopt},    {"1600", std::nullopt},
        {"1600x900x2", std::nullopt},   {"1600X900", std::nullopt},
        {"widexhigh", std::nullopt},    {"", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Parse({QStringLiteral("--window-size"), QString::fromUtf8(row.given)}).windowSize,
                  row.size)
            << row.given;
}

TEST(ProgramOptionsTest, TheRunLeavesAfterAtLeastASecond) {
    const struct {
        const char* given;
        int ms;
    } rows[]{
        {"8", 8000}, {"1", 1000}, {"0", 1000}, {"-5", 1000}, {"soon", 1000}, {"2.5", 1000},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Parse({QStringLiteral("--quit-after"), QString::fromUtf8(row.given)}).quitAfterMs,
                  row.ms)
            << row.given;
}

} // namespace
} // namespace tallimo::app
