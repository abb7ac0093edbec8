#include "databases/core/tracks_file.h"

#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>
#include <vector>

namespace tallimo::databases {
namespace {

// Only ASCII letters are folded for the order, as the list has always shown it.
std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return lowered;
}

bool NotGreaterAsBytes(const std::string& a, const std::string& b) {
    return !std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
}

} // namespace

void ClearTracks(TrackTable& table) {
    table.fill(Track{});
}

int CountTracks(const TrackTable& table) {
    int count = 0;
    while (count < kMaxTracks && !table[count].name.empty())
        ++count;
    return count;
}

std::string FormatTracksFile(const TrackTable& table, int count) {
    count = std::clamp(count, 0, kMaxTracks);
    common::TabFieldWriter out;
    for (int i = 0; i < count; ++i) {
        const Track& track = table[i];
        out.text(track.name, kTrackNameChars);
        out.text(track.length, kTrackLengthChars);
        out.text(track.protection, kTrackProtectionChars);
        out.text(track.recordTime, kRecordTimeChars);
        out.number(track.recordMilliseconds);
        out.text(track.recordName, kRecordNameChars);
        out.text(track.recordFirstName, kRecordFirstNameChars);
        out.text(track.recordDate, kRecordDateChars);
        out.text(track.picture, kTrackPictureChars);
        out.endRecord();
    }
    return out.bytes();
}

void ParseTracksFile(std::string_view bytes, TrackTable& table) {
    ClearTracks(table);
    common::TabFieldReader in(bytes);
    int count = 0;
    while (count < kMaxTracks && !in.atEnd()) {
        Track track;
        track.name = in.readText(kTrackNameChars);
        track.length = in.readText(kTrackLengthChars);
        track.protection = in.readText(kTrackProtectionChars);
        track.recordTime = in.readText(kRecordTimeChars);
        in.readInt(track.recordMilliseconds);
        track.recordName = in.readText(kRecordNameChars);
        track.recordFirstName = in.readText(kRecordFirstNameChars);
        track.recordDate = in.readText(kRecordDateChars);
        track.picture = in.readText(kTrackPictureChars);
        in.skipLine();
        if (!track.name.empty())
            table[count++] = std::move(track);
    }
}

bool LoadTracks(TrackTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseTracksFile(bytes, table);
    return true;
}

bool SaveTracks(const TrackTable& table, int count, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatTracksFile(table, count));
}

void SortTracks(TrackTable& table) {
    // Selection of the smallest name, ten times; `<=` takes the later of
    // equal names. Used slots go first, free slots after them. A taken flag
    // rather than a high sentinel name keeps tracks whose names begin with
    // bytes above the sentinel's (ú, ü, ý, ÿ ...) from being lost.
    std::array<std::string, kMaxTracks> lowered;
    std::array<bool, kMaxTracks> taken{};
    for (int i = 0; i < kMaxTracks; ++i)
        lowered[i] = LowerAscii(table[i].name);

    std::array<Track, kMaxTracks> sorted;
    for (int out = 0; out < kMaxTracks; ++out) {
        int chosen = -1;
        for (int i = 0; i < kMaxTracks; ++i) {
            if (taken[i] || table[i].name.empty())
                continue;
            if (chosen < 0 || NotGreaterAsBytes(lowered[i], lowered[chosen]))
                chosen = i;
        }
        if (chosen < 0) {
            for (int i = 0; i < kMaxTracks; ++i) {
                if (!taken[i])
                    chosen = i;
            }
        }
        taken[chosen] = true;
        sorted[out] = std::move(table[chosen]);
    }
    std::move(sorted.begin(), sorted.end(), table.begin());
}

int FindTrack(const TrackTable& table, std::string_view name) {
    if (name.empty())
        return kNoTrack;
    for (int i = 0; i < kMaxTracks; ++i) {
        if (table[i].name == name)
            return i;
    }
    return kNoTrack;
}

bool AddTrack(TrackTable& table, std::string_view typedName) {
    const std::string name = common::ReplaceDashes(typedName.substr(0, kTrackNameChars));
    const int count = CountTracks(table);
    std::vector<std::string> existing;
    for (int i = 0; i < count; ++i)
        existing.push_back(table[i].name);
    if (!common::CanAddName(name, existing, kMaxTracks))
        return false;
    table[count] = Track{};
    table[count].name = name;
    SortTracks(table);
    return true;
}

bool DeleteTrack(TrackTable& table, std::string_view name) {
    if (name.empty())
        return false;
    bool deleted = false;
    for (int i = 0; i < kMaxTracks; ++i) {
        if (table[i].name == name) {
            table[i] = Track{};
            deleted = true;
        }
    }
    if (deleted)
        SortTracks(table);
    return deleted;
}

void ClearTrackRecord(TrackTable& table, int index) {
    if (index < 0 || index >= kTrackSlots)
        return;
    Track& track = table[index];
    track.recordTime.clear();
    track.recordName.clear();
    track.recordFirstName.clear();
    track.recordDate.clear();
    track.recordMilliseconds = 0;
    track.recordExtras.fill(0);
}

bool LoadTracksDatabase(const common::WorkingFolder& folder, TrackTable& table,
                        common::MessageSink& messages) {
    ClearTracks(table);
    if (LoadTracks(table, folder.path(kTracksFileName)))
        return true;
    messages.show(kTracksErrorCaption, kTracksFileErrorText);
    return false;
}

bool SaveTracksDatabase(const common::WorkingFolder& folder, const TrackTable& table,
                        common::MessageSink& messages) {
    if (SaveTracks(table, CountTracks(table), folder.path(kTracksFileName)))
        return true;
    messages.show(kTracksErrorCaption, kTracksFileErrorText);
    return false;
}

} // namespace tallimo::databases
