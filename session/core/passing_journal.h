#pragma once

// The passing journal: "Private/Session.journal", an append-only record of
// everything that changed the live session since the session file was last
// written whole, so that a crash or a power cut loses no lap. Owned by the
// main window beside its LiveTiming; it starts afresh (restart) every time
// the session file is written whole, so it only ever holds what came after
// that file, and it names that file by its size and checksum so that it is
// never replayed onto any other.
//
// Format (integers little-endian, CRC-32 as in zip/PNG):
//   header, 32 bytes:
//     8  magic "TLMJRNL\n"
//     4  version (1)
//     4  reserved, 0
//     8  size of the session file it follows
//     4  CRC-32 of that file's bytes
//     4  CRC-32 of the 28 bytes above
//   then records, one after the other:
//     4  payload length n (at most kMaxJournalPayload)
//     1  record type
//     n  payload
//     4  CRC-32 of the length, type and payload bytes
// A record cut at any byte, or damaged, fails its length or its CRC: the
// reader keeps every whole record before it and ignores the rest. Texts in
// payloads are a 2-byte length and the bytes (Windows-1252, as in memory).
//
// The first record after the header is always a baseline: the whole live
// session as it was when the file was written, including what the file
// does not hold, so that replay starts from exactly the live state. Lap
// time arrays are written without their trailing zeros.

#include "common/core/passing.h"
#include "common/core/sound_player.h"
#include "session/core/lap_timing.h"
#include "session/core/live_timing.h"
#include "session/core/session_clock.h"
#include "session/core/session_notifications.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tallimo::session {

inline constexpr const char* kJournalFileName = "Private/Session.journal";
// The journal that will follow the session file being written whole; it
// replaces the journal once the file is in place.
inline constexpr const char* kNextJournalFileName = "Private/Session.journal.next";
inline constexpr std::uint32_t kJournalVersion = 1;
inline constexpr std::size_t kJournalHeaderSize = 32;
// Larger than any record (a whole session is about 170 KB); a length above
// it is damage, not a record.
inline constexpr std::uint32_t kMaxJournalPayload = 1u << 20;

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

// Which session file a journal follows.
struct JournalIdentity {
    std::uint64_t sessionFileSize = 0;
    std::uint32_t sessionFileCrc = 0;
    bool operator==(const JournalIdentity&) const = default;
};
JournalIdentity IdentityOf(std::string_view sessionFileBytes);

// The whole live session when the journal started. The session file does
// not hold all of it (lap timing's working fields, every lap time but the
// last, the best-lap mark), and a reload keeps those in memory, so replay
// starts from this rather than from the file alone.
struct BaselineRecord {
    std::int32_t bestLapMark = kInitialBestLapMark;
    std::shared_ptr<const RentalSession> session;
    SessionHeader header;
};

// A passing handed to ProcessPassing while the clock ran, with the time
// base it was timed with.
struct PassingRecord {
    common::Passing passing;
    CounterTimeBase base;
};

// A start, resume or pause of the session clock, or the clock's state when
// the journal starts afresh; each carries the session's bases (the tick and
// the counter at its first start), which a restart after a crash takes up.
enum class ClockEvent : std::uint8_t { FirstStart = 1, Resume = 2, Pause = 3 };
struct ClockRecord {
    ClockEvent event = ClockEvent::FirstStart;
    std::uint32_t tickMs = 0; // the session's start tick
    std::int64_t counterBase = 0;
};

// The clock's display reached a new minute: every timing kart counts one.
struct MinuteEndRecord {
    std::uint32_t tickMs = 0;
};

// Why a kart slot changed outside lap timing; replay does not depend on it.
enum class KartChange : std::uint8_t { Booked = 1, Freed = 2, BrokenDown = 3, Edited = 4 };
// A kart slot's whole new state. Large states are shared, not held, so
// that a record list costs a few dozen bytes a passing.
struct KartRecord {
    KartChange change = KartChange::Edited;
    int category = 0;
    int slot = 0;
    std::shared_ptr<const SessionKart> kart;
};

struct HeaderRecord {
    SessionHeader header;
};

// A new or opened session replaces every category; the best-lap mark stays.
struct SessionRecord {
    std::shared_ptr<const RentalSession> session;
    SessionHeader header;
};

using JournalRecord = std::variant<BaselineRecord, PassingRecord, ClockRecord, MinuteEndRecord,
                                   KartRecord, HeaderRecord, SessionRecord>;

// A record as it is written: length, type, payload, CRC.
std::string EncodeJournalRecord(const JournalRecord& record);
std::string EncodeJournalHeader(const JournalIdentity& identity);
BaselineRecord BaselineOf(const LiveTiming& live);

enum class JournalStatus { Read, Empty, NotAJournal };

struct JournalReadResult {
    JournalStatus status = JournalStatus::Empty;
    JournalIdentity identity;
    std::vector<JournalRecord> records;
    // Bytes after the last whole record: a write cut short or damage.
    bool tailCut = false;
    std::size_t wholeBytes = 0;
};
JournalReadResult ReadJournal(std::string_view bytes);

// What replay restored, for the operator's one message.
struct RecoveryReport {
    int records = 0;
    int laps = 0;
    int karts = 0;
    // Session times (ms) of the first and last lap restored.
    std::int64_t firstLapTime = 0;
    std::int64_t lastLapTime = 0;
    // The last clock record: whether the clock ran when the journal ended.
    bool clockWasRunning = false;
    bool clockStartedOnce = false;
    std::uint32_t sessionStartTick = 0;
    std::int64_t counterBase = 0;
};

// Applies the records in order with the functions live timing uses, in
// silence (no sound, no redraw). `live` holds the session file's state.
RecoveryReport ReplayJournal(LiveTiming& live, const std::vector<JournalRecord>& records);

enum class RecoveryStatus { Restored, NothingToRestore, NotThisSession, DamagedSessionFile };
struct RecoveryResult {
    RecoveryStatus status = RecoveryStatus::NothingToRestore;
    RecoveryReport report;
    bool tailCut = false;
};
// The start-up step: the saved session file's bytes into `live`, then the
// journal's records on top when the journal follows exactly that file.
// `live` keeps the file's state alone when the journal is refused.
RecoveryResult RecoverSession(LiveTiming& live, std::string_view sessionFileBytes,
                              std::string_view journalBytes);

// The journal's file, behind an interface so tests can fail it.
class JournalFile {
public:
    virtual ~JournalFile() = default;
    // Opens for writing, emptied.
    virtual bool openTruncated(const std::string& path) = 0;
    // Appends every byte or reports failure (some may have been written).
    virtual bool append(std::string_view bytes) = 0;
    virtual bool truncate(std::uint64_t size) = 0;
    virtual bool sync() = 0;
    virtual void close() = 0;
};
std::unique_ptr<JournalFile> MakePosixJournalFile();
// Runs `file`'s sync on a thread of its own, so that the tick never waits
// for the disk (fdatasync takes from a fraction of a millisecond to tens of
// milliseconds under load). sync() asks for one and returns at once; a
// failed one is reported by the next sync() call, which asks again. Opening and closing wait
// for the sync under way.
std::unique_ptr<JournalFile> SyncInBackground(std::unique_ptr<JournalFile> file);

// Appends records in memory; flush writes them (each tick), sync makes them
// durable (the caller decides when, at most every 100 ms). A failed write
// is cut back to the last whole record and retried at the next flush, so a
// failure never leaves a torn record in the middle of the file.
class PassingJournal {
public:
    explicit PassingJournal(std::unique_ptr<JournalFile> file);
    ~PassingJournal();
    PassingJournal(const PassingJournal&) = delete;
    PassingJournal& operator=(const PassingJournal&) = delete;

    // Starts the journal afresh after the session file was written whole:
    // header and baseline, written and synced at once.
    bool open(const std::string& path, const JournalIdentity& identity, const LiveTiming& live);
    bool restart(const JournalIdentity& identity, const LiveTiming& live);
    void close();

    // Returns the bytes waiting for the next flush.
    std::size_t append(const JournalRecord& record);
    bool flush();
    bool sync();
    // Syncs when something was flushed since the last sync and at least
    // `intervalMs` passed; `nowMs` is the tick counter.
    bool syncIfDue(std::uint32_t nowMs, std::uint32_t intervalMs = 100);

    bool isOpen() const { return m_open; }
    std::size_t pendingBytes() const { return m_pending.size(); }
    std::uint64_t writtenBytes() const { return m_written; }

private:
    std::unique_ptr<JournalFile> m_file;
    std::string m_path;
    std::string m_pending;
    std::uint64_t m_written = 0;
    bool m_open = false;
    bool m_unsynced = false;
    std::uint32_t m_lastSync = 0;
};

} // namespace tallimo::session
