// The passing journal as the program keeps it: a document that times laps
// and then stops without a save (a crash), and the next start on the same
// working folder.

#include "app/core/demo_working_folder.h"
#include "app/core/session_document.h"
#include "common/core/data_file.h"
#include "session/core/lap_timing.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/session/recording_notifications.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace tallimo::app {
namespace {

using namespace session;

std::string FileBytes(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_TRUE(common::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

class SessionJournalTest : public ::testing::Test {
protected:
    SessionJournalTest() {
        std::filesystem::create_directories(folder / "Private");
        categories[0].name = "Adultes";
        for (int k = 0; k < 3; ++k)
            categories[0].karts[k] = {KartLabelFor(0, k), "00010" + std::to_string(k)};
    }

    // A program start on the folder: the journal, then the start-up, which
    // books two drivers only when nothing was restored.
    std::unique_ptr<SessionDocument> start() {
        auto document = std::make_unique<SessionDocument>(root, messages);
        document->useJournal(MakePosixJournalFile());
        document->startUp(categories, [](LiveTiming& live) {
            for (int slot = 0; slot < 2; ++slot) {
                SessionKart& kart = live.session.kart(0, slot);
                kart.usage = KartUsage::InSession;
                kart.trackState = TrackState::Reserved;
                kart.driverName = slot == 0 ? "Martin" : "Roux";
                kart.durationMinutes = 10;
            }
        });
        return document;
    }

    // What the decoder's side does with a passing: journalled, then timed.
    void pass(SessionDocument& document, const char* transponder, std::int32_t timeMs) {
        const common::Passing passing{transponder, timeMs, false, 0};
        document.journal()->append(PassingRecord{passing, {}});
        ProcessPassing(document.live(), passing, {}, sounds, notifications);
        document.journalTick(static_cast<std::uint32_t>(timeMs));
    }

    void expectSameKarts(const LiveTiming& expected, const LiveTiming& actual) {
        for (int slot = 0; slot < 3; ++slot) {
            const SessionKart& a = expected.session.kart(0, slot);
            const SessionKart& b = actual.session.kart(0, slot);
            EXPECT_EQ(a.driverName, b.driverName) << slot;
            EXPECT_EQ(a.trackState, b.trackState) << slot;
            EXPECT_EQ(a.lapCount, b.lapCount) << slot;
            EXPECT_EQ(a.totalTime, b.totalTime) << slot;
            EXPECT_EQ(a.bestLap, b.bestLap) << slot;
            EXPECT_EQ(a.lapTimes, b.lapTimes) << slot;
            EXPECT_EQ(a.passingTimes, b.passingTimes) << slot;
        }
        EXPECT_EQ(expected.bestLapMark, actual.bestLapMark);
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::RecordingMessageSink messages;
    testing::RecordingSoundPlayer sounds;
    testing::RecordingNotifications notifications;
    databases::CategoryTable categories{};
};

TEST_F(SessionJournalTest, ACrashLosesNoLapAndTheFileBeforeIsKept) {
    auto crashed = start();
    pass(*crashed, "000100", 1000);
    pass(*crashed, "000101", 1500);
    pass(*crashed, "000100", 41000);
    pass(*crashed, "000101", 44250);
    pass(*crashed, "000100", 80500);
    const std::string fileBeforeCrash = FileBytes(folder / kSessionFileName);
    messages.clear();

    // The process dies: nothing more is written. The next start finds the
    // journal beside the file.
    auto restarted = start();
    ASSERT_TRUE(restarted->restored());
    expectSameKarts(crashed->live(), restarted->live());
    EXPECT_EQ(restarted->live().session.kart(0, 0).lapCount, 2);
    EXPECT_EQ(restarted->restored()->report.laps, 3);
    EXPECT_EQ(restarted->restored()->report.karts, 2);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, kSessionRestoredCaption);
    EXPECT_NE(messages.messages()[0].text.find("3 laps on 2 karts, timed from 0:00:41 to 0:01:20"),
              std::string::npos)
        << messages.messages()[0].text;

    // Written whole before anything else; the crash copy holds the file as
    // it was, and the journal starts again from the restored session.
    EXPECT_EQ(FileBytes(folder / kCrashCopyFileName), fileBeforeCrash);
    RentalSession written;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(root, written, header));
    EXPECT_EQ(written.kart(0, 0).lapCount, 2);
    const JournalReadResult journal = ReadJournal(FileBytes(folder / kJournalFileName));
    EXPECT_EQ(journal.records.size(), 1u);
    EXPECT_EQ(journal.identity, IdentityOf(FileBytes(folder / kSessionFileName)));

    // Killed again at once: the journal holds only its baseline, which
    // still brings back everything, laps and drivers.
    restarted.reset();
    auto third = start();
    ASSERT_TRUE(third->restored());
    EXPECT_EQ(third->restored()->report.laps, 0);
    expectSameKarts(crashed->live(), third->live());
}

TEST_F(SessionJournalTest, StoppedBetweenAWholeSaveAndItsJournalNothingIsLost) {
    auto crashed = start();
    pass(*crashed, "000100", 1000);
    pass(*crashed, "000100", 41000);
    const std::string journalBeforeSave = FileBytes(folder / kJournalFileName);
    crashed->storeTreeSelection(3); // a whole save
    pass(*crashed, "000101", 45000);

    // As if the program died after writing the file, before the next
    // journal took the place of the previous one.
    std::filesystem::rename(folder / kJournalFileName, folder / kNextJournalFileName);
    ASSERT_TRUE(common::WriteFileAtomically(folder / kJournalFileName, journalBeforeSave));
    auto restarted = start();
    ASSERT_TRUE(restarted->restored());
    expectSameKarts(crashed->live(), restarted->live());
    EXPECT_EQ(restarted->live().header.selectedTreeItem, 3);
}

TEST_F(SessionJournalTest, ChangesOutsideLapTimingComeBackInTheirOrder) {
    auto crashed = start();
    pass(*crashed, "000100", 1000);
    pass(*crashed, "000100", 41000);
    // Written whole: the journal starts afresh and still holds what follows.
    crashed->declareBrokenDown(0, 2);
    pass(*crashed, "000100", 82000);
    crashed->live().header.boardFrozen = 0;
    crashed->journalHeader();
    ASSERT_TRUE(crashed->startNew(SaveFirst::No, {}));
    pass(*crashed, "000100", 120000); // no driver any more: not timed

    auto restarted = start();
    ASSERT_TRUE(restarted->restored());
    expectSameKarts(crashed->live(), restarted->live());
    // The new session came last: the laps before it are gone, as live.
    EXPECT_TRUE(restarted->live().session.kart(0, 0).driverName.empty());
    EXPECT_EQ(restarted->live().session.kart(0, 0).lapCount, 0);
}

TEST_F(SessionJournalTest, NothingIsRestoredAfterAChosenQuitOrOntoAnotherFile) {
    {
        auto quit = start();
        pass(*quit, "000100", 1000);
        pass(*quit, "000100", 41000);
        quit->endJournal();
        EXPECT_FALSE(std::filesystem::exists(folder / kJournalFileName));
    }
    auto afterQuit = start();
    EXPECT_FALSE(afterQuit->restored());
    pass(*afterQuit, "000100", 1000);
    pass(*afterQuit, "000100", 41000);

    // Another program rewrote the session file meanwhile: the journal
    // follows the file it was started on, never this one.
    RentalSession other;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(root, other, header));
    other.kart(0, 1).driverName = "Petit";
    ASSERT_TRUE(SaveSessionFile(root, other, header));
    messages.clear();
    auto restarted = start();
    EXPECT_FALSE(restarted->restored());
    for (const auto& message : messages.messages())
        EXPECT_NE(message.caption, kSessionRestoredCaption);
}

TEST_F(SessionJournalTest, TheDemoLeavesTheSessionALeftJournalFollows) {
    const common::LocalDateTime today{2026, 12, 8, 10, 0, 0};
    ASSERT_TRUE(WriteDemoWorkingFolder(root, today));
    auto crashed = start();
    pass(*crashed, "000100", 1000);
    const std::string followed = FileBytes(folder / kSessionFileName);
    ASSERT_TRUE(WriteDemoWorkingFolder(root, today));
    EXPECT_EQ(FileBytes(folder / kSessionFileName), followed);

    crashed->endJournal();
    ASSERT_TRUE(WriteDemoWorkingFolder(root, today));
    EXPECT_NE(FileBytes(folder / kSessionFileName), followed) << "a chosen quit: fresh demo";
}

TEST(SessionRestoredText, SaysWhatCameBackAndHowToGoOn) {
    SessionRestore restore;
    restore.report.laps = 1;
    restore.report.karts = 1;
    restore.report.firstLapTime = 3723000;
    restore.report.lastLapTime = 3723000;
    restore.report.clockStartedOnce = true;
    restore.lastWrite = "14:02:09";
    EXPECT_EQ(SessionRestoredText(restore),
              "The session was restored after the program stopped unexpectedly: 1 lap on 1 kart, "
              "timed from 1:02:03 to 1:02:03 of the session (last recorded at 14:02:09). The "
              "session file as it was before is kept as 'PcCrashFile.rent'. Press the start "
              "button to go on timing.");
    restore.report.laps = 0;
    restore.report.clockStartedOnce = false;
    restore.lastWrite.clear();
    EXPECT_EQ(SessionRestoredText(restore),
              "The session was restored after the program stopped unexpectedly: it is back as it "
              "stood, with no lap timed since it was last saved. The session file as it was "
              "before is kept as 'PcCrashFile.rent'.");
}

} // namespace
} // namespace tallimo::app
