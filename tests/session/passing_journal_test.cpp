#include "session/core/passing_journal.h"
#include "session/core/session_file.h"
#include "tests/session/recording_notifications.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tallimo::session {
namespace {

using testing::RecordingNotifications;
using testing::RecordingSoundPlayer;
using testing::TemporaryFolder;

SessionKart BookedKart(int category, int slot, const char* transponder, int minutes) {
    SessionKart kart;
    kart.kartLabel = KartLabelFor(category, slot);
    kart.transponder = transponder;
    kart.driverName = "Martin";
    kart.driverFirstName = "L\xE9"
                           "a";
    kart.usage = KartUsage::InSession;
    kart.trackState = TrackState::Reserved;
    kart.durationMinutes = minutes;
    kart.price = 18;
    return kart;
}

PassingRecord Framed(const char* transponder, std::int64_t ms) {
    PassingRecord record;
    record.passing.transponder = transponder;
    record.passing.timeMs = ms;
    return record;
}

// One record of each type with values away from their defaults.
std::vector<JournalRecord> OneOfEachType() {
    auto before = std::make_shared<RentalSession>();
    before->kart(1, 7) = BookedKart(1, 7, "000017", 20);
    before->kart(1, 7).runtime.startTime = 5000;
    before->kart(1, 7).runtime.lastPassingCounter = -7;
    before->kart(5, 29).runtime.sessionBestHolder = 1;
    const BaselineRecord baseline{41234, before, SessionHeader{}};

    PassingRecord counted;
    counted.passing.transponder = "000456";
    counted.passing.timedByCounter = true;
    counted.passing.counter = 0x123456789A;
    counted.base = CounterTimeBase{1000000, 10000000};

    auto kart = std::make_shared<SessionKart>(BookedKart(2, 29, "065535", 15));
    kart->lapTimes[99] = -1;
    kart->passingTimes[0] = 2147483647;
    kart->runtime.passingTime = 1LL << 40;

    auto session = std::make_shared<RentalSession>();
    session->categories[5].categoryName = kPrivateCategoryName;
    session->kart(5, 3) = *kart;

    SessionHeader header;
    header.trackName = "Circuit d'\xC9t\xE9";
    header.minLapSeconds = 7;
    header.boardFrozen = 1;

    return {baseline,
            Framed("000123", 65432),
            counted,
            ClockRecord{ClockEvent::FirstStart, 0xFFFFFFF0u, 99},
            ClockRecord{ClockEvent::Pause, 12, 0},
            ClockRecord{ClockEvent::Resume, 13, 0},
            MinuteEndRecord{60001},
            KartRecord{KartChange::BrokenDown, 2, 29, kart},
            HeaderRecord{header},
            SessionRecord{session, header}};
}

std::string JournalBytes(const JournalIdentity& identity,
                         const std::vector<JournalRecord>& records) {
    std::string bytes = EncodeJournalHeader(identity);
    for (const JournalRecord& record : records)
        bytes += EncodeJournalRecord(record);
    return bytes;
}

TEST(PassingJournalFormat, EveryRecordTypeReadsBackAsWritten) {
    const JournalIdentity identity{123456789012ULL, 0xDEADBEEF};
    const std::vector<JournalRecord> records = OneOfEachType();
    const JournalReadResult read = ReadJournal(JournalBytes(identity, records));

    ASSERT_EQ(read.status, JournalStatus::Read);
    EXPECT_FALSE(read.tailCut);
    EXPECT_EQ(read.identity, identity);
    ASSERT_EQ(read.records.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(read.records[i].index(), records[i].index()) << "record " << i;
        EXPECT_EQ(EncodeJournalRecord(read.records[i]), EncodeJournalRecord(records[i]))
            << "record " << i;
    }
    // A few values read directly, so that a field written and read in the
    // same wrong place cannot pass.
    EXPECT_EQ(std::get<PassingRecord>(read.records[2]).passing.counter, 0x123456789A);
    EXPECT_TRUE(std::get<PassingRecord>(read.records[2]).passing.timedByCounter);
    EXPECT_EQ(std::get<ClockRecord>(read.records[3]).tickMs, 0xFFFFFFF0u);
    const SessionKart& kart = *std::get<KartRecord>(read.records[7]).kart;
    EXPECT_EQ(kart.driverFirstName, "L\xE9"
                                    "a");
    EXPECT_EQ(kart.lapTimes[99], -1);
    EXPECT_EQ(kart.runtime.passingTime, 1LL << 40);
    EXPECT_EQ(std::get<SessionRecord>(read.records[9]).session->kart(5, 3).transponder, "065535");
    EXPECT_EQ(std::get<BaselineRecord>(read.records[0]).session->kart(1, 7).runtime.startTime,
              5000);
}

// A power cut may end the file at any byte; damage may change any byte.
TEST(PassingJournalFormat, AJournalCutOrDamagedAnywhereKeepsEveryWholeRecordBefore) {
    // Small records, so that every byte can be tried in turn.
    std::vector<JournalRecord> records = OneOfEachType();
    records.pop_back();
    records.pop_back();
    std::vector<std::size_t> recordEnds;
    std::string bytes = EncodeJournalHeader({});
    for (const JournalRecord& record : records) {
        bytes += EncodeJournalRecord(record);
        recordEnds.push_back(bytes.size());
    }

    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        const JournalReadResult read = ReadJournal(std::string_view(bytes).substr(0, cut));
        std::size_t whole = 0;
        while (whole < recordEnds.size() && recordEnds[whole] <= cut)
            ++whole;
        ASSERT_EQ(read.records.size(), whole) << "cut at " << cut;
        EXPECT_EQ(read.tailCut, cut != 0 && (whole == 0 ? cut != kJournalHeaderSize
                                                        : cut != recordEnds[whole - 1]))
            << "cut at " << cut;
    }

    // Every byte of a middle record (the passing after the baseline) and
    // of the last one changed in turn.
    for (const std::size_t damaged : {std::size_t{1}, records.size() - 1}) {
        for (std::size_t at = recordEnds[damaged - 1]; at < recordEnds[damaged]; ++at) {
            std::string changed = bytes;
            changed[at] = static_cast<char>(changed[at] ^ 0x5A);
            const JournalReadResult read = ReadJournal(changed);
            ASSERT_EQ(read.records.size(), damaged) << "byte " << at;
            EXPECT_TRUE(read.tailCut);
        }
    }
}

struct RefusedJournalCase {
    const char* name;
    std::string journal;
};

class RefusedJournal : public ::testing::TestWithParam<RefusedJournalCase> {};

// Whatever the journal holds, the saved file's state alone is kept.
TEST_P(RefusedJournal, LeavesTheSavedSessionAsItWas) {
    LiveTiming saved;
    saved.session.kart(0, 0) = BookedKart(0, 0, "000123", 10);
    const std::string file = FormatSessionFile(saved.session, saved.header);

    LiveTiming live;
    const RecoveryResult result = RecoverSession(live, file, GetParam().journal);
    EXPECT_EQ(result.status, RecoveryStatus::NotThisSession);
    EXPECT_EQ(live.session.kart(0, 0).lapCount, 0);
    EXPECT_EQ(live.session.kart(0, 0).transponder, "000123");
}

std::string JournalOfALapFollowing(std::string_view fileBytes) {
    return JournalBytes(IdentityOf(fileBytes), {BaselineOf(LiveTiming{}), Framed("000123", 3000)});
}

std::string OtherSessionFile() {
    LiveTiming other;
    other.session.kart(0, 0) = BookedKart(0, 0, "000124", 10);
    return FormatSessionFile(other.session, other.header);
}

std::string WithWrongMagic() {
    std::string bytes = JournalOfALapFollowing("");
    bytes[0] = 'X';
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    PassingJournal, RefusedJournal,
    ::testing::Values(RefusedJournalCase{"FollowingAnotherSessionFile",
                                         JournalOfALapFollowing(OtherSessionFile())},
                      RefusedJournalCase{"FollowingNoFileAtAll", JournalOfALapFollowing("")},
                      RefusedJournalCase{"NotAJournal", WithWrongMagic()}),
    [](const auto& row) { return std::string(row.param.name); });

// Writes the journal through a string and fails where a test asks.
class FakeJournalFile final : public JournalFile {
public:
    explicit FakeJournalFile(std::string& bytes) : m_bytes(bytes) {}
    bool openTruncated(const std::string&) override {
        m_bytes.clear();
        return true;
    }
    bool append(std::string_view bytes) override {
        if (failNextAppendAfter >= 0) {
            // Half written, as a full disk leaves it.
            m_bytes.append(bytes.substr(0, static_cast<std::size_t>(failNextAppendAfter)));
            failNextAppendAfter = -1;
            return false;
        }
        m_bytes.append(bytes);
        return true;
    }
    bool truncate(std::uint64_t size) override {
        m_bytes.resize(size);
        return true;
    }
    bool sync() override {
        ++syncs;
        return !failSyncs;
    }
    void close() override { ++closes; }

    int failNextAppendAfter = -1;
    bool failSyncs = false;
    int syncs = 0;
    int closes = 0;

private:
    std::string& m_bytes;
};

TEST(PassingJournalWriting, AFailedWriteIsCutBackAndRetriedWithNothingLost) {
    std::string disk;
    auto file = std::make_unique<FakeJournalFile>(disk);
    FakeJournalFile& fake = *file;
    PassingJournal journal(std::move(file));
    ASSERT_TRUE(journal.open("Session.journal", JournalIdentity{5, 6}, LiveTiming{}));

    journal.append(Framed("000001", 1000));
    fake.failNextAppendAfter = 7;
    EXPECT_FALSE(journal.flush());
    EXPECT_FALSE(ReadJournal(disk).tailCut);
    journal.append(Framed("000002", 2000));
    EXPECT_TRUE(journal.flush());
    EXPECT_EQ(journal.pendingBytes(), 0u);

    const JournalReadResult read = ReadJournal(disk);
    EXPECT_FALSE(read.tailCut);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(std::get<PassingRecord>(read.records[1]).passing.transponder, "000001");
    EXPECT_EQ(std::get<PassingRecord>(read.records[2]).passing.transponder, "000002");
}

TEST(PassingJournalWriting, SyncsOnlyWhatWasFlushedAndNoMoreOftenThanAsked) {
    std::string disk;
    auto file = std::make_unique<FakeJournalFile>(disk);
    FakeJournalFile& fake = *file;
    PassingJournal journal(std::move(file));
    ASSERT_TRUE(journal.open("Session.journal", {}, LiveTiming{}));
    const int afterOpen = fake.syncs;

    journal.syncIfDue(1000);
    EXPECT_EQ(fake.syncs, afterOpen) << "nothing new to sync";
    journal.append(Framed("000001", 1000));
    journal.flush();
    journal.syncIfDue(1010);
    EXPECT_EQ(fake.syncs, afterOpen + 1);
    journal.append(Framed("000001", 4000));
    journal.flush();
    journal.syncIfDue(1060);
    EXPECT_EQ(fake.syncs, afterOpen + 1) << "within 100 ms of the last sync";
    journal.syncIfDue(1110);
    EXPECT_EQ(fake.syncs, afterOpen + 2);
}

TEST(PassingJournalWriting, ABackgroundSyncIsMadeBeforeClosingAndItsFailureReportedNext) {
    std::string disk;
    auto fake = std::make_unique<FakeJournalFile>(disk);
    FakeJournalFile& inner = *fake;
    inner.failSyncs = true;
    const std::unique_ptr<JournalFile> file = SyncInBackground(std::move(fake));
    ASSERT_TRUE(file->openTruncated("Session.journal"));
    ASSERT_TRUE(file->append("passing"));

    EXPECT_TRUE(file->sync()) << "asked for, not yet made";
    file->close();
    EXPECT_EQ(inner.syncs, 1);
    EXPECT_EQ(inner.closes, 1);
    inner.failSyncs = false;
    EXPECT_FALSE(file->sync()) << "the failed sync reported, and asked again";
    file->close();
    EXPECT_TRUE(file->sync());
    file->close();
    EXPECT_EQ(inner.syncs, 3);
}

void ExpectSameKart(const SessionKart& a, const SessionKart& b, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(a.kartLabel, b.kartLabel);
    EXPECT_EQ(a.transponder, b.transponder);
    EXPECT_EQ(a.driverName, b.driverName);
    EXPECT_EQ(a.driverFirstName, b.driverFirstName);
    EXPECT_EQ(a.spareText, b.spareText);
    EXPECT_EQ(a.usage, b.usage);
    EXPECT_EQ(a.trackState, b.trackState);
    EXPECT_EQ(a.durationMinutes, b.durationMinutes);
    EXPECT_EQ(a.elapsedMinutes, b.elapsedMinutes);
    EXPECT_EQ(a.price, b.price);
    EXPECT_EQ(a.loyaltyCode, b.loyaltyCode);
    EXPECT_EQ(a.paid, b.paid);
    EXPECT_EQ(a.lapCount, b.lapCount);
    EXPECT_EQ(a.totalTime, b.totalTime);
    EXPECT_EQ(a.bestLap, b.bestLap);
    EXPECT_EQ(a.lastLapIndex, b.lastLapIndex);
    EXPECT_EQ(a.passingTimes, b.passingTimes);
    EXPECT_EQ(a.lapTimes, b.lapTimes);
    const KartRuntime &ra = a.runtime, &rb = b.runtime;
    EXPECT_EQ(ra.startTime, rb.startTime);
    EXPECT_EQ(ra.passingTime, rb.passingTime);
    EXPECT_EQ(ra.lastPassingCounter, rb.lastPassingCounter);
    EXPECT_EQ(ra.currentLapTime, rb.currentLapTime);
    EXPECT_EQ(ra.lastBuzzAt, rb.lastBuzzAt);
    EXPECT_EQ(ra.sinceBuzz, rb.sinceBuzz);
    EXPECT_EQ(ra.lapJustDone, rb.lapJustDone);
    EXPECT_EQ(ra.newPersonalBest, rb.newPersonalBest);
    EXPECT_EQ(ra.sessionBestHolder, rb.sessionBestHolder);
}

// Live timing driven as the main window drives it, every change journaled
// on a real file; then a "crash": the session file as last saved plus the
// journal must give back exactly the live session.
class JournaledSession : public ::testing::Test {
protected:
    JournaledSession() : journal(MakePosixJournalFile()) {
        live.session.categories[0].categoryName = "Adultes";
        live.header.minLapSeconds = 2;
        live.session.kart(0, 0) = BookedKart(0, 0, "000123", 2);
        live.session.kart(0, 1) = BookedKart(0, 1, "000200", 10);
        // Two karts on one transponder are both timed.
        live.session.kart(1, 4) = BookedKart(1, 4, "000200", 10);
        live.session.kart(0, 2) = BookedKart(0, 2, "000300", 10);
    }

    void pass(const PassingRecord& record) {
        ProcessPassing(live, record.passing, record.base, sounds, notifications);
        journal.append(record);
        journal.flush();
    }
    void passCounted(const char* transponder, std::int64_t counter) {
        PassingRecord record;
        record.passing.transponder = transponder;
        record.passing.timedByCounter = true;
        record.passing.counter = counter;
        record.base = CounterTimeBase{500000, 1000000};
        pass(record);
    }
    void setKart(KartChange change, int category, int slot, const SessionKart& kart) {
        live.session.kart(category, slot) = kart;
        live.rebuildBoardRows();
        journal.append(KartRecord{change, category, slot, std::make_shared<SessionKart>(kart)});
        journal.flush();
    }
    void endMinute() {
        EndMinuteForTimingKarts(live);
        journal.append(MinuteEndRecord{});
        journal.flush();
    }
    void saveWhole() {
        savedFile = FormatSessionFile(live.session, live.header);
        if (journal.isOpen())
            ASSERT_TRUE(journal.restart(IdentityOf(savedFile), live));
        else
            ASSERT_TRUE(
                journal.open((folder / "Session.journal").string(), IdentityOf(savedFile), live));
    }
    std::string journalOnDisk() const {
        std::ifstream in(folder / "Session.journal", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    void expectSameAsLive(const LiveTiming& recovered) {
        EXPECT_EQ(recovered.bestLapMark, live.bestLapMark);
        EXPECT_EQ(recovered.header.minLapSeconds, live.header.minLapSeconds);
        EXPECT_EQ(recovered.header.trackName, live.header.trackName);
        EXPECT_EQ(recovered.boardRowCount, live.boardRowCount);
        for (int category = 0; category < kCategoryCount; ++category) {
            EXPECT_EQ(recovered.session.categories[category].categoryName,
                      live.session.categories[category].categoryName);
            for (int slot = 0; slot < kKartsPerCategory; ++slot)
                ExpectSameKart(recovered.session.kart(category, slot),
                               live.session.kart(category, slot), KartLabelFor(category, slot));
        }
    }

    TemporaryFolder folder;
    LiveTiming live;
    RecordingSoundPlayer sounds;
    RecordingNotifications notifications;
    PassingJournal journal;
    std::string savedFile;
};

TEST_F(JournaledSession, ReplayOntoTheSavedFileGivesBackTheLiveSession) {
    // Karts already running when the file is saved: their working fields
    // are not in the file, only in the journal's baseline.
    pass(Framed("000123", 1000));
    pass(Framed("000200", 1500));
    pass(Framed("000123", 31000));
    saveWhole();

    journal.append(ClockRecord{ClockEvent::FirstStart, 100, 500000});
    pass(Framed("000123", 61500));
    pass(Framed("000123", 62000)); // within the minimum lap: ignored
    pass(Framed("000123", 64500)); // a short lap: the warning only
    pass(Framed("000200", 45000));
    endMinute();
    pass(Framed("000200", 70250)); // both karts of the transponder
    passCounted("000300", 3500000);
    passCounted("000300", 33750000);
    journal.append(ClockRecord{ClockEvent::Pause, 100, 500000});
    setKart(KartChange::Booked, 0, 5, BookedKart(0, 5, "000555", 5));
    SessionHeader header = live.header;
    header.minLapSeconds = 20;
    live.header = header;
    journal.append(HeaderRecord{header});
    SessionKart broken;
    broken.kartLabel = "K2";
    broken.transponder = "000200";
    broken.usage = KartUsage::BrokenDown;
    setKart(KartChange::BrokenDown, 0, 1, broken);
    journal.append(ClockRecord{ClockEvent::Resume, 100, 500000});
    pass(Framed("000555", 80000));
    pass(Framed("000555", 95000)); // short under the new minimum
    pass(Framed("000555", 101000));
    endMinute();
    endMinute(); // K1 reaches its two minutes
    pass(Framed("000123", 130000));
    ASSERT_TRUE(journal.flush());

    // The crash: the process dies, the file is what the disk holds.
    LiveTiming recovered;
    const RecoveryResult result = RecoverSession(recovered, savedFile, journalOnDisk());
    ASSERT_EQ(result.status, RecoveryStatus::Restored);
    EXPECT_FALSE(result.tailCut);
    expectSameAsLive(recovered);
    // Eleven passings accepted since the save, two of them starting a run
    // (000300 and 000555): those are no laps.
    EXPECT_EQ(result.report.laps, static_cast<int>(notifications.acceptedLaps.size()) - 4 - 2);
    EXPECT_EQ(result.report.karts, 5);
    EXPECT_EQ(result.report.firstLapTime, 61500);
    EXPECT_EQ(result.report.lastLapTime, 130000);
    EXPECT_TRUE(result.report.clockWasRunning);
    EXPECT_EQ(result.report.counterBase, 500000);
    EXPECT_EQ(result.report.sessionStartTick, 100u);
}

TEST_F(JournaledSession, ANewSessionAndAWholeSaveStartTheJournalAfresh) {
    saveWhole();
    pass(Framed("000123", 1000));
    pass(Framed("000123", 40000));
    // A new session replaces every slot; the best-lap mark stays.
    auto fresh = std::make_shared<RentalSession>();
    fresh->kart(0, 0) = BookedKart(0, 0, "000777", 10);
    live.session = *fresh;
    live.rebuildBoardRows();
    journal.append(SessionRecord{fresh, live.header});
    pass(Framed("000777", 50000));
    pass(Framed("000777", 95000));
    journal.flush();

    LiveTiming recovered;
    ASSERT_EQ(RecoverSession(recovered, savedFile, journalOnDisk()).status,
              RecoveryStatus::Restored);
    expectSameAsLive(recovered);

    // Saved whole: the baseline alone still brings the live session back
    // (the journal exists only while the program runs), and the old file
    // no longer matches it.
    const std::string before = savedFile;
    saveWhole();
    LiveTiming afterSave;
    EXPECT_EQ(RecoverSession(afterSave, savedFile, journalOnDisk()).status,
              RecoveryStatus::Restored);
    expectSameAsLive(afterSave);
    LiveTiming stale;
    EXPECT_EQ(RecoverSession(stale, before, journalOnDisk()).status,
              RecoveryStatus::NotThisSession);
}

} // namespace
} // namespace tallimo::session
