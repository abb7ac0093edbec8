// The session document without a window: the answers the operator gives are
// handed in, and the files written in a working folder of its own are
// checked, with every message recorded.

#include "app/core/session_document.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tallimo::app {
namespace {

using namespace session;
using testing::RecordedMessage;

const RecordedMessage kSessionError{kSessionFileErrorCaption, kSessionFileErrorText};

class SessionDocumentTest : public ::testing::Test {
protected:
    SessionDocumentTest() {
        std::filesystem::create_directories(folder / "Private");
        FleetLayout fleet;
        fleet.categoryNames = {"Adultes", "", "", "", ""};
        for (int k = 0; k < 3; ++k)
            fleet.kartIds[0][k] = KartLabelFor(0, k);
        BuildSessionFromFleet(document.live().session, fleet);
        categories[0].name = "Adultes";
        for (int k = 0; k < 3; ++k)
            categories[0].karts[k] = {KartLabelFor(0, k), "00010" + std::to_string(k)};
    }

    SessionKart& book(int slot, const char* driver, TrackState state) {
        SessionKart& kart = document.live().session.kart(0, slot);
        kart.usage = KartUsage::InSession;
        kart.trackState = state;
        kart.driverName = driver;
        kart.transponder = "00010" + std::to_string(slot);
        kart.lapCount = 3;
        return kart;
    }

    // The save dialog's answer: a name in the folder, the proposed wildcard
    // as it stands, or nothing when cancelled.
    ChooseSaveFile answering(const char* name) {
        const std::string answer =
            *name == '\0' || *name == '*' ? std::string(name) : user(name).string();
        return [this, answer] {
            ++dialogsShown;
            return answer;
        };
    }

    std::filesystem::path user(const char* name) const { return folder / name; }

    RentalSession reread(const std::filesystem::path& path) const {
        RentalSession session;
        SessionHeader header;
        EXPECT_TRUE(LoadSessionFileFrom(path, session, header)) << path;
        return session;
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::RecordingMessageSink messages;
    SessionDocument document{root, messages};
    databases::CategoryTable categories{};
    int dialogsShown = 0;
};

// The three questions that offer to save first: which answers save, which
// ask for a file, and what is left in the operator's file.
struct SaveFirstRow {
    const char* name;
    bool fileKnown;
    SaveFirst answer;
    const char* chosen; // what the save dialog answers
    bool proceeds;      // the new session starts / the window closes
    int dialogs;        // save dialogs shown
    bool userFileWritten;
};

class NewSessionAnswers : public SessionDocumentTest,
                          public ::testing::WithParamInterface<SaveFirstRow> {};

TEST_P(NewSessionAnswers, SaveWhenAskedThenClearTheKarts) {
    const SaveFirstRow& row = GetParam();
    book(0, "Martin", TrackState::Timing);
    if (row.fileKnown) {
        ASSERT_TRUE(document.saveAs(user("known.rent").string()));
    }
    std::filesystem::remove(user("known.rent"));
    dialogsShown = 0;

    const bool started = document.startNew(row.answer, answering(row.chosen));

    EXPECT_EQ(started, row.proceeds);
    EXPECT_EQ(dialogsShown, row.dialogs);
    const std::filesystem::path written =
        row.fileKnown || *row.chosen == '\0' ? user("known.rent") : user(row.chosen);
    EXPECT_EQ(std::filesystem::exists(written), row.userFileWritten);
    if (row.userFileWritten) {
        const SessionKart saved = reread(written).kart(0, 0);
        EXPECT_EQ(saved.driverName, "Martin");
        EXPECT_EQ(saved.trackState, TrackState::Finished) << "a run still timing ends when saved";
    }
    const SessionKart& kart = document.live().session.kart(0, 0);
    if (row.proceeds) {
        EXPECT_TRUE(document.userFile().empty());
        EXPECT_EQ(kart.driverName, "");
        EXPECT_EQ(kart.kartLabel, "K1");
        EXPECT_EQ(kart.transponder, "000100") << "the fleet's transponder stays";
    } else {
        EXPECT_EQ(kart.driverName, "Martin");
        EXPECT_EQ(document.userFile().empty(), !row.fileKnown);
    }
    EXPECT_TRUE(messages.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NewSessionAnswers,
    ::testing::Values(
        SaveFirstRow{"CancelKeepsEverything", false, SaveFirst::Cancel, "x.rent", false, 0, false},
        SaveFirstRow{"NoSavesNothing", false, SaveFirst::No, "x.rent", true, 0, false},
        SaveFirstRow{"YesAsksForAFileAndAddsTheExtension", false, SaveFirst::Yes, "samedi", true, 1,
                     false},
        SaveFirstRow{"YesWithTheFileChosen", false, SaveFirst::Yes, "samedi.rent", true, 1, true},
        SaveFirstRow{"YesWithTheDialogCancelledStillStarts", false, SaveFirst::Yes, "", true, 1,
                     false},
        SaveFirstRow{"YesOnTheProposedWildcardSavesNothing", false, SaveFirst::Yes, "*.rent", true,
                     1, false},
        SaveFirstRow{"YesWithAFileKnownAsksNothing", true, SaveFirst::Yes, "", true, 0, true}),
    [](const ::testing::TestParamInfo<SaveFirstRow>& test) { return test.param.name; });

TEST_F(SessionDocumentTest, YesWithoutExtensionWritesTheNameWithRentAdded) {
    book(0, "Martin", TrackState::Reserved);
    ASSERT_TRUE(document.startNew(SaveFirst::Yes, answering("samedi")));
    EXPECT_EQ(reread(user("samedi.rent")).kart(0, 0).driverName, "Martin");
}

class QuitAnswers : public SessionDocumentTest,
                    public ::testing::WithParamInterface<SaveFirstRow> {};

TEST_P(QuitAnswers, LeaveOnlyWhenTheSessionIsWhereTheOperatorWantedIt) {
    const SaveFirstRow& row = GetParam();
    book(0, "Martin", TrackState::Reserved);
    if (row.fileKnown) {
        ASSERT_TRUE(document.saveAs(user("known.rent").string()));
    }
    std::filesystem::remove(user("known.rent"));
    dialogsShown = 0;

    EXPECT_EQ(document.quit(row.answer, answering(row.chosen)), row.proceeds);
    EXPECT_EQ(dialogsShown, row.dialogs);
    const std::filesystem::path written =
        row.fileKnown || *row.chosen == '\0' ? user("known.rent") : user(row.chosen);
    EXPECT_EQ(std::filesystem::exists(written), row.userFileWritten);
    EXPECT_TRUE(messages.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QuitAnswers,
    ::testing::Values(
        SaveFirstRow{"CancelStays", false, SaveFirst::Cancel, "x.rent", false, 0, false},
        SaveFirstRow{"NoLeavesWithoutSaving", false, SaveFirst::No, "x.rent", true, 0, false},
        SaveFirstRow{"YesSavesAsTheChosenFile", false, SaveFirst::Yes, "x.rent", true, 1, true},
        SaveFirstRow{"YesWithTheDialogCancelledStays", false, SaveFirst::Yes, "", false, 1, false},
        SaveFirstRow{"YesWithAFileKnownSavesThere", true, SaveFirst::Yes, "", true, 0, true}),
    [](const ::testing::TestParamInfo<SaveFirstRow>& test) { return test.param.name; });

TEST_F(SessionDocumentTest, SavingWithoutAFileOfTheOperatorsWritesNothing) {
    book(0, "Martin", TrackState::Timing);
    document.saveToUserFile();
    EXPECT_FALSE(std::filesystem::exists(root.path(kSessionFileName)));
    EXPECT_EQ(document.live().session.kart(0, 0).trackState, TrackState::Timing);
    EXPECT_EQ(document.title(), "Tallimo");
}

TEST_F(SessionDocumentTest, ASessionWindowsEditsComeBackAndTheRunsOnTrackGoOn) {
    SessionKart& timing = book(0, "Martin", TrackState::Timing);
    timing.runtime.startTime = 123456;
    timing.runtime.sessionBestHolder = 1;
    document.beforeSessionWindow();

    // The window edits the file: a second kart booked, the first renamed.
    RentalSession edited;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(root, edited, header));
    EXPECT_EQ(edited.kart(0, 0).trackState, TrackState::Timing) << "the run is not ended";
    edited.kart(0, 0).driverName = "Dupont";
    edited.kart(0, 1).usage = KartUsage::InSession;
    edited.kart(0, 1).trackState = TrackState::Reserved;
    header.selectedTreeItem = 2;
    ASSERT_TRUE(SaveSessionFile(root, edited, header));

    document.afterSessionWindow();
    const SessionKart& kart = document.live().session.kart(0, 0);
    EXPECT_EQ(kart.driverName, "Dupont");
    EXPECT_EQ(kart.runtime.startTime, 123456);
    EXPECT_EQ(kart.runtime.sessionBestHolder, 1);
    EXPECT_EQ(document.live().session.kart(0, 1).trackState, TrackState::Reserved);
    EXPECT_EQ(document.live().header.selectedTreeItem, 2);
    EXPECT_EQ(document.live().boardRowCount, 4) << "two headings, the reserved and the timing kart";
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SessionDocumentTest, AnUnwritableSessionFileIsReportedOnceEachAndMemoryKept) {
    testing::TemporaryFolder other;
    other.write("plain-file", "");
    SessionDocument unwritable{common::WorkingFolder{other / "plain-file"}, messages};
    unwritable.live() = document.live();
    SessionKart& kart = unwritable.live().session.kart(0, 0);
    kart.driverName = "Martin";
    kart.runtime.startTime = 99;

    unwritable.beforeSessionWindow();
    unwritable.afterSessionWindow();

    EXPECT_EQ(messages.messages(), (std::vector{kSessionError, kSessionError}))
        << "one report for the save, one for the reload";
    EXPECT_EQ(kart.driverName, "Martin");
    EXPECT_EQ(kart.runtime.startTime, 99);
}

TEST_F(SessionDocumentTest, OpeningAMissingFileKeepsTheOperatorsFile) {
    ASSERT_TRUE(document.saveAs(user("known.rent").string()));
    EXPECT_FALSE(document.open(user("none.rent").string(), SaveFirst::No, {}, categories));
    EXPECT_EQ(messages.messages(), std::vector{kSessionError});
    EXPECT_EQ(document.userFile(), user("known.rent").string());
}

TEST_F(SessionDocumentTest, OpeningTakesTheFileAndItsDrivers) {
    book(1, "Martin", TrackState::Reserved);
    ASSERT_TRUE(document.saveAs(user("samedi.rent").string()));
    ASSERT_TRUE(document.startNew(SaveFirst::No, {}));
    ASSERT_TRUE(document.open(user("samedi.rent").string(), SaveFirst::No, {}, categories));
    EXPECT_EQ(document.userFile(), user("samedi.rent").string());
    EXPECT_EQ(document.title(), "Tallimo:   " + user("samedi.rent").string());
    EXPECT_EQ(document.live().session.kart(0, 1).driverName, "Martin");
    EXPECT_TRUE(messages.messages().empty());
}

struct BreakdownRow {
    const char* name;
    KartUsage usage;
    TrackState trackState;
    bool allowed;
};

class BreakdownRule : public SessionDocumentTest,
                      public ::testing::WithParamInterface<BreakdownRow> {};

TEST_P(BreakdownRule, OnlyAFreeKartMayBeDeclaredBrokenDown) {
    const BreakdownRow& row = GetParam();
    SessionKart& kart = book(1, "", row.trackState);
    kart.usage = row.usage;
    EXPECT_EQ(document.mayDeclareBrokenDown(0, 1), row.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BreakdownRule,
    ::testing::Values(BreakdownRow{"Free", KartUsage::InSession, TrackState::Free, true},
                      BreakdownRow{"Reserved", KartUsage::InSession, TrackState::Reserved, false},
                      BreakdownRow{"Timing", KartUsage::InSession, TrackState::Timing, false},
                      BreakdownRow{"Finished", KartUsage::InSession, TrackState::Finished, false}),
    [](const ::testing::TestParamInfo<BreakdownRow>& test) { return test.param.name; });

TEST_F(SessionDocumentTest, ABreakdownClearsOnlyThatKartAndIsSaved) {
    SessionKart& timing = book(0, "Martin", TrackState::Timing);
    timing.runtime.startTime = 500;
    SessionKart& broken = book(1, "", TrackState::Free);
    broken.durationMinutes = 10;
    broken.passingTimes[1] = 40000;
    broken.runtime.startTime = 700;

    document.declareBrokenDown(0, 1);

    const SessionKart& kart = document.live().session.kart(0, 1);
    EXPECT_EQ(kart.usage, KartUsage::BrokenDown);
    EXPECT_EQ(kart.trackState, TrackState::Finished);
    EXPECT_EQ(kart.kartLabel, "K2");
    EXPECT_EQ(kart.transponder, "000101");
    EXPECT_EQ(kart.lapCount, 0);
    EXPECT_EQ(kart.durationMinutes, 0);
    EXPECT_EQ(kart.passingTimes[1], 0);
    EXPECT_EQ(kart.runtime.startTime, 0);
    const SessionKart& other = document.live().session.kart(0, 0);
    EXPECT_EQ(other.trackState, TrackState::Timing);
    EXPECT_EQ(other.lapCount, 3);
    EXPECT_EQ(other.runtime.startTime, 500);
    EXPECT_EQ(reread(root.path(kSessionFileName)).kart(0, 1).usage, KartUsage::BrokenDown);
    EXPECT_TRUE(messages.messages().empty());
}

// What the reservation windows leave in the working file, and how the
// document settles it: a cancelled or freed booking frees the kart, a new
// one reserves it, and only the karts concerned change.
TEST_F(SessionDocumentTest, AfterTheReservationWindowsTheKartsAreFreedOrReserved) {
    SessionKart& timing = book(0, "Martin", TrackState::Timing);
    timing.runtime.startTime = 500;
    book(1, "Durand", TrackState::Finished).lastLapIndex = 4;
    book(2, "", TrackState::Free);
    document.beforeSessionWindow();

    RentalSession edited;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(root, edited, header));
    // The single window freed the finished run: no driver, booking cleared,
    // the laps still in the file.
    edited.kart(0, 1).driverName.clear();
    edited.kart(0, 1).durationMinutes = 0;
    edited.kart(0, 1).spareText = "note";
    ASSERT_TRUE(SaveSessionFile(root, edited, header));
    document.afterReservation("K2");

    const SessionKart& freed = document.live().session.kart(0, 1);
    EXPECT_EQ(freed.trackState, TrackState::Free);
    EXPECT_EQ(freed.lapCount, 0);
    EXPECT_EQ(freed.lastLapIndex, 0);
    EXPECT_EQ(freed.spareText, "");
    EXPECT_EQ(freed.transponder, "000101") << "the kart stays timeable";
    EXPECT_EQ(document.live().session.kart(0, 0).runtime.startTime, 500) << "others run on";
    EXPECT_EQ(reread(root.path(kSessionFileName)).kart(0, 1).trackState, TrackState::Free);

    // The group window booked two drivers on free karts of the category.
    ASSERT_TRUE(LoadSessionFile(root, edited, header));
    edited.kart(0, 1).driverName = "Petit";
    edited.kart(0, 2).driverName = "Roux";
    edited.kart(0, 2).elapsedMinutes = 7;
    ASSERT_TRUE(SaveSessionFile(root, edited, header));
    document.afterGroupReservation(0);

    for (int slot : {1, 2}) {
        const SessionKart& kart = document.live().session.kart(0, slot);
        EXPECT_EQ(kart.trackState, TrackState::Reserved) << slot;
        EXPECT_EQ(kart.elapsedMinutes, 0) << slot;
    }
    EXPECT_EQ(document.live().session.kart(0, 0).trackState, TrackState::Timing);
    EXPECT_EQ(document.live().session.kart(0, 0).driverName, "Martin");
    EXPECT_EQ(reread(root.path(kSessionFileName)).kart(0, 2).trackState, TrackState::Reserved);

    // A kept booking stays as it is.
    document.beforeSessionWindow();
    document.afterReservation("K3");
    EXPECT_EQ(document.live().session.kart(0, 2).trackState, TrackState::Reserved);
    EXPECT_EQ(document.live().session.kart(0, 2).driverName, "Roux");
    EXPECT_TRUE(messages.messages().empty());
}

// Timing goes on while a window is open: the laps counted meanwhile stay,
// and the window's own changes come back, also on the kart that laps.
TEST_F(SessionDocumentTest, LapsCountedWhileAWindowIsOpenAreKept) {
    SessionKart& timing = book(0, "Martin", TrackState::Timing);
    timing.passingTimes[3] = 90000;
    document.beforeSessionWindow();

    RentalSession edited;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(root, edited, header));
    edited.kart(0, 0).paid = 1;
    edited.kart(0, 1).usage = KartUsage::InSession;
    edited.kart(0, 1).trackState = TrackState::Reserved;
    edited.kart(0, 1).driverName = "Roux";
    ASSERT_TRUE(SaveSessionFile(root, edited, header));
    // Meanwhile the decoder reported a lap of kart 0.
    timing.lapCount = 4;
    timing.lastLapIndex = 4;
    timing.passingTimes[4] = 120000;

    document.afterSessionWindow();
    const SessionKart& kart = document.live().session.kart(0, 0);
    EXPECT_EQ(kart.lapCount, 4);
    EXPECT_EQ(kart.passingTimes[3], 90000);
    EXPECT_EQ(kart.passingTimes[4], 120000);
    EXPECT_EQ(kart.paid, 1);
    EXPECT_EQ(document.live().session.kart(0, 1).driverName, "Roux");
    EXPECT_EQ(document.live().session.kart(0, 1).trackState, TrackState::Reserved);
    EXPECT_TRUE(messages.messages().empty());
}

} // namespace
} // namespace tallimo::app
