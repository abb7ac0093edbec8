#include "session/core/passing_journal.h"

#include "session/core/session_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tallimo::session {
namespace {

constexpr char kMagic[8] = {'T', 'L', 'M', 'J', 'R', 'N', 'L', '\n'};
// Length, type and CRC around every payload.
constexpr std::size_t kRecordFrame = 4 + 1 + 4;

enum class RecordType : std::uint8_t {
    Baseline = 1,
    Passing = 2,
    Clock = 3,
    MinuteEnd = 4,
    Kart = 5,
    Header = 6,
    Session = 7,
};

class Writer {
public:
    void u8(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }
    void u16(std::uint16_t value) { unsignedLe(value, 2); }
    void u32(std::uint32_t value) { unsignedLe(value, 4); }
    void u64(std::uint64_t value) { unsignedLe(value, 8); }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void i64(std::int64_t value) { u64(static_cast<std::uint64_t>(value)); }
    void text(const std::string& value) {
        // Fields are a few dozen bytes; a longer one is cut, never wrapped.
        const std::size_t size = std::min<std::size_t>(value.size(), 0xFFFF);
        u16(static_cast<std::uint16_t>(size));
        m_bytes.append(value, 0, size);
    }
    std::string& bytes() { return m_bytes; }

private:
    void unsignedLe(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i)
            m_bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    std::string m_bytes;
};

// Reads within bounds; once a read fails every later one fails too.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(unsignedLe(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(unsignedLe(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(unsignedLe(4)); }
    std::uint64_t u64() { return unsignedLe(8); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::int64_t i64() { return static_cast<std::int64_t>(u64()); }
    std::string text() {
        const std::size_t size = u16();
        if (!m_ok || m_bytes.size() - m_at < size) {
            m_ok = false;
            return {};
        }
        std::string value(m_bytes.substr(m_at, size));
        m_at += size;
        return value;
    }
    bool ok() const { return m_ok; }
    void fail() { m_ok = false; }
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    std::uint64_t unsignedLe(int count) {
        if (!m_ok || m_bytes.size() - m_at < static_cast<std::size_t>(count)) {
            m_ok = false;
            return 0;
        }
        std::uint64_t value = 0;
        for (int i = 0; i < count; ++i)
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(m_bytes[m_at + i]))
                     << (8 * i);
        m_at += count;
        return value;
    }
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

void WriteRuntime(Writer& out, const KartRuntime& run) {
    out.i32(run.startTime);
    out.i64(run.passingTime);
    out.i64(run.lastPassingCounter);
    out.i32(run.currentLapTime);
    out.i32(run.lastBuzzAt);
    out.i32(run.sinceBuzz);
    out.i32(run.lapJustDone);
    out.i32(run.newPersonalBest);
    out.i32(run.sessionBestHolder);
}

KartRuntime ReadRuntime(Reader& in) {
    KartRuntime run;
    run.startTime = in.i32();
    run.passingTime = in.i64();
    run.lastPassingCounter = in.i64();
    run.currentLapTime = in.i32();
    run.lastBuzzAt = in.i32();
    run.sinceBuzz = in.i32();
    run.lapJustDone = in.i32();
    run.newPersonalBest = in.i32();
    run.sessionBestHolder = in.i32();
    return run;
}

using Times = std::array<std::int32_t, kPassingCapacity>;

// Most slots hold no lap: only up to the last non-zero time is written.
void WriteTimes(Writer& out, const Times& times) {
    std::size_t count = times.size();
    while (count > 0 && times[count - 1] == 0)
        --count;
    out.u8(static_cast<std::uint8_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        out.i32(times[i]);
}

void ReadTimes(Reader& in, Times& times) {
    const std::size_t count = in.u8();
    if (count > times.size()) {
        in.fail();
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        times[i] = in.i32();
}

void WriteKart(Writer& out, const SessionKart& kart) {
    out.text(kart.kartLabel);
    out.text(kart.transponder);
    out.text(kart.driverName);
    out.text(kart.driverFirstName);
    out.text(kart.spareText);
    out.i32(UsageNumber(kart.usage));
    out.i32(TrackStateNumber(kart.trackState));
    out.i32(kart.durationMinutes);
    out.i32(kart.elapsedMinutes);
    out.i32(kart.price);
    out.i32(kart.loyaltyCode);
    out.i32(kart.paid);
    out.i32(kart.lapCount);
    out.i32(kart.totalTime);
    out.i32(kart.bestLap);
    out.i32(kart.lastLapIndex);
    WriteTimes(out, kart.passingTimes);
    WriteTimes(out, kart.lapTimes);
    WriteRuntime(out, kart.runtime);
}

SessionKart ReadKart(Reader& in) {
    SessionKart kart;
    kart.kartLabel = in.text();
    kart.transponder = in.text();
    kart.driverName = in.text();
    kart.driverFirstName = in.text();
    kart.spareText = in.text();
    kart.usage = KartUsageFromNumber(in.i32());
    kart.trackState = TrackStateFromNumber(in.i32());
    kart.durationMinutes = in.i32();
    kart.elapsedMinutes = in.i32();
    kart.price = in.i32();
    kart.loyaltyCode = in.i32();
    kart.paid = in.i32();
    kart.lapCount = in.i32();
    kart.totalTime = in.i32();
    kart.bestLap = in.i32();
    kart.lastLapIndex = in.i32();
    ReadTimes(in, kart.passingTimes);
    ReadTimes(in, kart.lapTimes);
    kart.runtime = ReadRuntime(in);
    return kart;
}

void WriteHeader(Writer& out, const SessionHeader& header) {
    out.i32(header.boardFrozen);
    out.i32(header.selectedTreeItem);
    out.text(header.trackName);
    out.i32(header.minLapSeconds);
}

SessionHeader ReadHeader(Reader& in) {
    SessionHeader header;
    header.boardFrozen = in.i32();
    header.selectedTreeItem = in.i32();
    header.trackName = in.text();
    header.minLapSeconds = in.i32();
    return header;
}

void WriteSession(Writer& out, const RentalSession* session, const SessionHeader& header) {
    WriteHeader(out, header);
    const RentalSession empty;
    for (const SessionCategory& category : (session ? *session : empty).categories) {
        out.text(category.categoryName);
        for (const SessionKart& kart : category.karts)
            WriteKart(out, kart);
    }
}

std::shared_ptr<const RentalSession> ReadSession(Reader& in, SessionHeader& header) {
    header = ReadHeader(in);
    auto session = std::make_shared<RentalSession>();
    for (SessionCategory& category : session->categories) {
        category.categoryName = in.text();
        for (SessionKart& kart : category.karts)
            kart = ReadKart(in);
    }
    return session;
}

struct PayloadWriter {
    Writer& out;

    RecordType operator()(const BaselineRecord& record) const {
        out.i32(record.bestLapMark);
        WriteSession(out, record.session.get(), record.header);
        return RecordType::Baseline;
    }
    RecordType operator()(const PassingRecord& record) const {
        out.text(record.passing.transponder);
        out.i64(record.passing.timeMs);
        out.u8(record.passing.timedByCounter ? 1 : 0);
        out.i64(record.passing.counter);
        out.i64(record.base.counterBase);
        out.i64(record.base.frequency);
        return RecordType::Passing;
    }
    RecordType operator()(const ClockRecord& record) const {
        out.u8(static_cast<std::uint8_t>(record.event));
        out.u32(record.tickMs);
        out.i64(record.counterBase);
        return RecordType::Clock;
    }
    RecordType operator()(const MinuteEndRecord& record) const {
        out.u32(record.tickMs);
        return RecordType::MinuteEnd;
    }
    RecordType operator()(const KartRecord& record) const {
        out.u8(static_cast<std::uint8_t>(record.change));
        out.u8(static_cast<std::uint8_t>(record.category));
        out.u8(static_cast<std::uint8_t>(record.slot));
        WriteKart(out, record.kart ? *record.kart : SessionKart{});
        return RecordType::Kart;
    }
    RecordType operator()(const HeaderRecord& record) const {
        WriteHeader(out, record.header);
        return RecordType::Header;
    }
    RecordType operator()(const SessionRecord& record) const {
        WriteSession(out, record.session.get(), record.header);
        return RecordType::Session;
    }
};

bool ValidSlot(int category, int slot) {
    return category >= 0 && category < kCategoryCount && slot >= 0 && slot < kKartsPerCategory;
}

// A payload whose CRC held but whose content does not parse (a newer
// version, or a bug) ends the reading like damage does.
bool DecodePayload(RecordType type, std::string_view payload, JournalRecord& record) {
    Reader in(payload);
    switch (type) {
    case RecordType::Baseline: {
        BaselineRecord baseline;
        baseline.bestLapMark = in.i32();
        baseline.session = ReadSession(in, baseline.header);
        record = std::move(baseline);
        break;
    }
    case RecordType::Passing: {
        PassingRecord passing;
        passing.passing.transponder = in.text();
        passing.passing.timeMs = in.i64();
        passing.passing.timedByCounter = in.u8() != 0;
        passing.passing.counter = in.i64();
        passing.base.counterBase = in.i64();
        passing.base.frequency = in.i64();
        record = std::move(passing);
        break;
    }
    case RecordType::Clock: {
        ClockRecord clock;
        const std::uint8_t event = in.u8();
        if (event < 1 || event > 3)
            return false;
        clock.event = static_cast<ClockEvent>(event);
        clock.tickMs = in.u32();
        clock.counterBase = in.i64();
        record = clock;
        break;
    }
    case RecordType::MinuteEnd:
        record = MinuteEndRecord{in.u32()};
        break;
    case RecordType::Kart: {
        KartRecord kart;
        kart.change = static_cast<KartChange>(in.u8());
        kart.category = in.u8();
        kart.slot = in.u8();
        if (!ValidSlot(kart.category, kart.slot))
            return false;
        kart.kart = std::make_shared<const SessionKart>(ReadKart(in));
        record = std::move(kart);
        break;
    }
    case RecordType::Header:
        record = HeaderRecord{ReadHeader(in)};
        break;
    case RecordType::Session: {
        SessionRecord whole;
        whole.session = ReadSession(in, whole.header);
        record = std::move(whole);
        break;
    }
    default:
        return false;
    }
    return in.ok() && in.atEnd();
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(std::string_view bytes, std::size_t at) {
    Reader in(bytes.substr(at, 4));
    return in.u32();
}

// Counts the laps replay restores; replay is silent otherwise.
class ReplayNotifications final : public SessionNotifications {
public:
    void redrawBoard() override {}
    void redrawClockArea() override {}
    void lapAccepted(const SessionKart& kart) override {
        karts.insert(&kart);
        // A run's first passing starts it: no lap yet.
        if (kart.lapCount == 0)
            return;
        if (laps == 0)
            firstLapTime = kart.runtime.passingTime;
        lastLapTime = kart.runtime.passingTime;
        ++laps;
    }
    void sessionCommandsEnabled(bool, bool) override {}

    int laps = 0;
    std::set<const SessionKart*> karts;
    std::int64_t firstLapTime = 0;
    std::int64_t lastLapTime = 0;
};

class SilentSounds final : public common::SoundPlayer {
public:
    void play(const std::string&, bool) override {}
};

class PosixJournalFile final : public JournalFile {
public:
    ~PosixJournalFile() override { close(); }

    bool openTruncated(const std::string& path) override {
        close();
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        return m_fd >= 0;
    }
    bool append(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t done = ::write(m_fd, bytes.data(), bytes.size());
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(done));
        }
        return true;
    }
    bool truncate(std::uint64_t size) override {
        const auto length = static_cast<off_t>(size);
        return ::ftruncate(m_fd, length) == 0 && ::lseek(m_fd, length, SEEK_SET) == length;
    }
    bool sync() override { return ::fdatasync(m_fd) == 0; }
    void close() override {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

class BackgroundSyncFile final : public JournalFile {
public:
    explicit BackgroundSyncFile(std::unique_ptr<JournalFile> file)
        : m_file(std::move(file)), m_worker([this] { run(); }) {}
    ~BackgroundSyncFile() override {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_worker.join();
        m_file->close();
    }

    bool openTruncated(const std::string& path) override {
        waitIdle();
        return m_file->openTruncated(path);
    }
    bool append(std::string_view bytes) override { return m_file->append(bytes); }
    bool truncate(std::uint64_t size) override { return m_file->truncate(size); }
    bool sync() override {
        const std::lock_guard lock(m_mutex);
        const bool earlierSynced = !m_failed;
        m_failed = false;
        m_requested = true;
        m_changed.notify_all();
        return earlierSynced;
    }
    void close() override {
        waitIdle();
        m_file->close();
    }

private:
    void waitIdle() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_requested && !m_busy; });
    }
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || m_requested; });
            // A sync asked for before the end is still made.
            if (!m_requested)
                return;
            m_requested = false;
            m_busy = true;
            lock.unlock();
            const bool synced = m_file->sync();
            lock.lock();
            m_busy = false;
            if (!synced)
                m_failed = true;
            m_changed.notify_all();
        }
    }

    std::unique_ptr<JournalFile> m_file;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_requested = false;
    bool m_busy = false;
    bool m_failed = false;
    bool m_stop = false;
    // Last, so that it starts once everything above is in place.
    std::thread m_worker;
};

} // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    crc = ~crc;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

JournalIdentity IdentityOf(std::string_view sessionFileBytes) {
    return JournalIdentity{sessionFileBytes.size(), Crc32(sessionFileBytes)};
}

std::string EncodeJournalHeader(const JournalIdentity& identity) {
    Writer out;
    out.bytes().append(kMagic, sizeof kMagic);
    out.u32(kJournalVersion);
    out.u32(0);
    out.u64(identity.sessionFileSize);
    out.u32(identity.sessionFileCrc);
    out.u32(Crc32(out.bytes()));
    return std::move(out.bytes());
}

std::string EncodeJournalRecord(const JournalRecord& record) {
    Writer out;
    out.u32(0); // the length, once known
    out.u8(0);  // the type, once known
    const RecordType type = std::visit(PayloadWriter{out}, record);
    std::string& bytes = out.bytes();
    PutU32(bytes, 0, static_cast<std::uint32_t>(bytes.size() - 5));
    bytes[4] = static_cast<char>(type);
    out.u32(Crc32(bytes));
    return std::move(bytes);
}

BaselineRecord BaselineOf(const LiveTiming& live) {
    return BaselineRecord{live.bestLapMark, std::make_shared<const RentalSession>(live.session),
                          live.header};
}

JournalReadResult ReadJournal(std::string_view bytes) {
    JournalReadResult result;
    if (bytes.empty())
        return result;
    // A header cut short is a journal whose creation was interrupted: there
    // is nothing in it yet.
    if (bytes.size() < kJournalHeaderSize) {
        result.tailCut = true;
        return result;
    }
    Reader header(bytes.substr(0, kJournalHeaderSize));
    const std::string_view magic = bytes.substr(0, sizeof kMagic);
    for (std::size_t i = 0; i < sizeof kMagic; ++i)
        header.u8();
    const std::uint32_t version = header.u32();
    header.u32();
    result.identity.sessionFileSize = header.u64();
    result.identity.sessionFileCrc = header.u32();
    const std::uint32_t headerCrc = header.u32();
    if (magic != std::string_view(kMagic, sizeof kMagic) || version != kJournalVersion ||
        headerCrc != Crc32(bytes.substr(0, kJournalHeaderSize - 4))) {
        result.status = JournalStatus::NotAJournal;
        return result;
    }

    result.status = JournalStatus::Read;
    std::size_t at = kJournalHeaderSize;
    while (bytes.size() - at >= kRecordFrame) {
        const std::uint32_t length = GetU32(bytes, at);
        if (length > kMaxJournalPayload || bytes.size() - at - kRecordFrame < length)
            break;
        const std::string_view framed = bytes.substr(at, 5 + length);
        if (GetU32(bytes, at + 5 + length) != Crc32(framed))
            break;
        JournalRecord record;
        if (!DecodePayload(static_cast<RecordType>(framed[4]), framed.substr(5), record))
            break;
        // Nothing replays without the baseline first.
        if (result.records.empty() != std::holds_alternative<BaselineRecord>(record))
            break;
        result.records.push_back(std::move(record));
        at += kRecordFrame + length;
    }
    result.wholeBytes = at;
    result.tailCut = at != bytes.size();
    return result;
}

RecoveryReport ReplayJournal(LiveTiming& live, const std::vector<JournalRecord>& records) {
    RecoveryReport report;
    ReplayNotifications notifications;
    SilentSounds sounds;
    for (const JournalRecord& record : records) {
        if (const auto* baseline = std::get_if<BaselineRecord>(&record)) {
            live.bestLapMark = baseline->bestLapMark;
            if (baseline->session)
                live.session = *baseline->session;
            live.header = baseline->header;
        } else if (const auto* passing = std::get_if<PassingRecord>(&record)) {
            ProcessPassing(live, passing->passing, passing->base, sounds, notifications);
        } else if (const auto* clock = std::get_if<ClockRecord>(&record)) {
            // Every clock record carries the session's bases: a journal
            // restarted after the first start still knows them.
            report.clockWasRunning = clock->event != ClockEvent::Pause;
            report.clockStartedOnce = true;
            report.sessionStartTick = clock->tickMs;
            report.counterBase = clock->counterBase;
        } else if (std::holds_alternative<MinuteEndRecord>(record)) {
            EndMinuteForTimingKarts(live);
        } else if (const auto* kart = std::get_if<KartRecord>(&record)) {
            if (kart->kart)
                live.session.kart(kart->category, kart->slot) = *kart->kart;
        } else if (const auto* header = std::get_if<HeaderRecord>(&record)) {
            live.header = header->header;
        } else if (const auto* whole = std::get_if<SessionRecord>(&record)) {
            if (whole->session)
                live.session = *whole->session;
            live.header = whole->header;
        }
        ++report.records;
    }
    live.rebuildBoardRows();
    report.laps = notifications.laps;
    report.karts = static_cast<int>(notifications.karts.size());
    report.firstLapTime = notifications.firstLapTime;
    report.lastLapTime = notifications.lastLapTime;
    return report;
}

RecoveryResult RecoverSession(LiveTiming& live, std::string_view sessionFileBytes,
                              std::string_view journalBytes) {
    RecoveryResult result;
    if (!ParseSessionFile(sessionFileBytes, live.session, live.header)) {
        result.status = RecoveryStatus::DamagedSessionFile;
        return result;
    }
    const JournalReadResult journal = ReadJournal(journalBytes);
    result.tailCut = journal.tailCut;
    if (journal.status == JournalStatus::NotAJournal ||
        (journal.status == JournalStatus::Read &&
         journal.identity != IdentityOf(sessionFileBytes))) {
        result.status = RecoveryStatus::NotThisSession;
        return result;
    }
    // A journal exists only while the program runs: even a baseline alone
    // says the program stopped unexpectedly, and it holds what the file
    // does not (lap timing's working fields, the best-lap mark).
    if (journal.records.empty()) {
        result.status = RecoveryStatus::NothingToRestore;
        return result;
    }
    result.report = ReplayJournal(live, journal.records);
    result.status = RecoveryStatus::Restored;
    return result;
}

std::unique_ptr<JournalFile> MakePosixJournalFile() {
    return std::make_unique<PosixJournalFile>();
}

std::unique_ptr<JournalFile> SyncInBackground(std::unique_ptr<JournalFile> file) {
    return std::make_unique<BackgroundSyncFile>(std::move(file));
}

PassingJournal::PassingJournal(std::unique_ptr<JournalFile> file) : m_file(std::move(file)) {}

PassingJournal::~PassingJournal() {
    close();
}

bool PassingJournal::open(const std::string& path, const JournalIdentity& identity,
                          const LiveTiming& live) {
    m_path = path;
    return restart(identity, live);
}

bool PassingJournal::restart(const JournalIdentity& identity, const LiveTiming& live) {
    m_pending.clear();
    m_written = 0;
    m_unsynced = false;
    m_open = m_file->openTruncated(m_path);
    if (!m_open)
        return false;
    append(BaselineOf(live));
    m_pending.insert(0, EncodeJournalHeader(identity));
    return flush() && sync();
}

void PassingJournal::close() {
    if (!m_open)
        return;
    flush();
    sync();
    m_file->close();
    m_open = false;
}

std::size_t PassingJournal::append(const JournalRecord& record) {
    if (m_open)
        m_pending += EncodeJournalRecord(record);
    return m_pending.size();
}

bool PassingJournal::flush() {
    if (!m_open)
        return false;
    if (m_pending.empty())
        return true;
    if (!m_file->append(m_pending)) {
        // Part of the bytes may be on disk: cut back to the last whole
        // record so that what follows is not hidden behind a torn one.
        m_file->truncate(m_written);
        return false;
    }
    m_written += m_pending.size();
    m_pending.clear();
    m_unsynced = true;
    return true;
}

bool PassingJournal::sync() {
    if (!m_open)
        return false;
    if (!m_file->sync())
        return false;
    m_unsynced = false;
    return true;
}

bool PassingJournal::syncIfDue(std::uint32_t nowMs, std::uint32_t intervalMs) {
    if (!m_unsynced || static_cast<std::uint32_t>(nowMs - m_lastSync) < intervalMs)
        return true;
    m_lastSync = nowMs;
    return sync();
}

} // namespace tallimo::session
