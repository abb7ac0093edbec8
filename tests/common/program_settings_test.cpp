#include "common/core/program_settings.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::common {
namespace {

TEST(ProgramSettingsTest, KeepsUnknownKeysAndCommentsAndReplacesInPlace) {
    ProgramSettings settings = ProgramSettings::parse("\xEF\xBB\xBF# mine\r\n"
                                                      "  mailing.formBase = http://old/ \r\n"
                                                      "\n"
                                                      "future.key=a=b\n"
                                                      "no equals sign");
    EXPECT_EQ(settings.mailingFormBase(), "http://old/");
    EXPECT_EQ(settings.value("future.key"), "a=b");
    settings.setValue(kMailingFormBaseKey, "https://m.example/\nforms/");
    settings.setValue("other", "1");
    settings.setValue("bad=key", "x");
    EXPECT_EQ(settings.format(), "# mine\n"
                                 "mailing.formBase=https://m.example/ forms/\n"
                                 "\n"
                                 "future.key=a=b\n"
                                 "no equals sign\n"
                                 "other=1\n");
}

TEST(ProgramSettingsTest, MissingFileMeansDefaultsAndSaveCreatesThePrivateFolder) {
    tallimo::testing::TemporaryFolder folder;
    const WorkingFolder working(folder.path());
    ProgramSettings settings;
    EXPECT_FALSE(LoadProgramSettings(working, settings));
    EXPECT_EQ(settings.mailingFormBase(), "");

    settings.setValue(kMailingFormBaseKey, "https://m.example/");
    ASSERT_TRUE(SaveProgramSettings(working, settings));
    EXPECT_EQ(folder.read("Private/Tallimo.ini"), "mailing.formBase=https://m.example/\n");
    ProgramSettings reread;
    ASSERT_TRUE(LoadProgramSettings(working, reread));
    EXPECT_EQ(reread.mailingFormBase(), "https://m.example/");
}

} // namespace
} // namespace tallimo::common
