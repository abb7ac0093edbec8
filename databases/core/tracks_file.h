#pragma once

// The tracks database: up to ten tracks with their length, protection time,
// lap record and picture. The table has one slot more than it can list: slot
// 10 always stays empty and stands for "no track" (what `FindTrack` returns
// when a name is not there). The listed tracks are always the first slots,
// without gaps; the adding and deleting functions keep it so. Text fields
// hold Windows-1252 bytes and never exceed the capacities below.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::databases {

constexpr int kTrackSlots = 11;
constexpr int kMaxTracks = 10;
constexpr int kNoTrack = 10;

// Characters each field holds (the terminator of the fixed-width fields is
// not counted).
constexpr std::size_t kTrackNameChars = 19;
constexpr std::size_t kTrackLengthChars = 4;
constexpr std::size_t kTrackProtectionChars = 3;
constexpr std::size_t kRecordTimeChars = 14;
constexpr std::size_t kRecordNameChars = 24;
constexpr std::size_t kRecordFirstNameChars = 19;
constexpr std::size_t kRecordDateChars = 19;
constexpr std::size_t kTrackPictureChars = 259;

// UTF-8, for `WorkingFolder::path`.
inline constexpr const char* kTracksFileName = "BaseDonn\xC3\xA9"
                                               "esPistes.bd1";
inline constexpr std::string_view kTracksExportExtension = ".bdt2";

inline const char* const kTracksErrorCaption = "Error";
inline const char* const kTracksFileErrorText = "Error: 'Race tracks' database file not found";
inline const char* const kTracksImportErrorText = "Error : Import file 'Race Tracks' not found";
inline const char* const kTracksExportErrorText = "Error : Export file 'Race tracks' not found";

struct Track {
    std::string name;       // empty = free slot
    std::string length;     // metres, as typed
    std::string protection; // seconds, as typed
    std::string recordTime; // as displayed; a track has a record when it is not empty
    std::string recordName;
    std::string recordFirstName;
    std::string recordDate;
    std::string picture; // full path of a BMP or JPEG, empty when none
    std::int32_t recordMilliseconds = 0;
    // Belong to the record but are never stored: always 0 after loading.
    std::array<std::int32_t, 3> recordExtras{};

    bool hasRecord() const { return !recordTime.empty(); }
    friend bool operator==(const Track&, const Track&) = default;
};

using TrackTable = std::array<Track, kTrackSlots>;

void ClearTracks(TrackTable& table);

// The number of listed tracks: the used slots before the first free one.
int CountTracks(const TrackTable& table);

// The bytes of the first `count` slots (cut to the ten that can be listed).
std::string FormatTracksFile(const TrackTable& table, int count);

// Clears the table and fills it from `bytes`. A line without a name would
// leave a gap in the list that the window could neither show nor save, so
// such lines are passed over; at most ten tracks are taken.
void ParseTracksFile(std::string_view bytes, TrackTable& table);

// False when the file cannot be opened; the table is then left as it was,
// so a failed import does not throw away the tracks being edited (callers
// that want an empty table on failure clear it first).
bool LoadTracks(TrackTable& table, const std::filesystem::path& path);

// Writes the first `count` slots. False when the file cannot be written; the
// previous file then stays whole.
bool SaveTracks(const TrackTable& table, int count, const std::filesystem::path& path);

// The ten first slots in case-insensitive (ASCII) alphabetical order, free
// slots at the end; among equal names the later slot comes first.
void SortTracks(TrackTable& table);

// The slot whose name is exactly `name`, or `kNoTrack`. An empty name is
// never found.
int FindTrack(const TrackTable& table, std::string_view name);

// The operator's "Ajouter": the name (cut to 19 characters) gets '_' for
// every '-' and is refused without a message when empty, blank-led, already
// there ignoring case, or when ten tracks are listed. True when added; the
// table is then sorted.
bool AddTrack(TrackTable& table, std::string_view typedName);

// Clears every track named exactly `name` and sorts the table, which moves
// the freed slots to the end. True when a track was deleted.
bool DeleteTrack(TrackTable& table, std::string_view name);

// Clears the lap record (texts and the four numbers) of slot `index`.
void ClearTrackRecord(TrackTable& table, int index);

// The tracks database of the working folder, reported through `messages`:
// on a failed load the table is empty and "Ok" will create the file.
bool LoadTracksDatabase(const common::WorkingFolder& folder, TrackTable& table,
                        common::MessageSink& messages);
// Writes the listed tracks.
bool SaveTracksDatabase(const common::WorkingFolder& folder, const TrackTable& table,
                        common::MessageSink& messages);

} // namespace tallimo::databases
