#include "runs/core/run_file.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "runs/core/run_file_path.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace tallimo::runs {
namespace {

struct Slot {
    std::size_t begin = 0;     // the LF before the title line
    std::size_t dataBegin = 0; // the data line (the end of the file when it is missing)
    std::size_t end = 0;       // just past the LF that ends the data line
    std::string title;
};

struct RunFileLayout {
    std::size_t headerBegin = 0;
    std::size_t headerEnd = 0; // just past its LF
    int savingFlag = 0;
    int fullFlag = 0;
    std::vector<Slot> slots;
    // Where a new slot goes: the end of the file, or the start of a title
    // line left without its data line by a cut file (it holds no run).
    std::size_t appendAt = 0;
};

std::size_t LineEnd(std::string_view bytes, std::size_t pos) {
    const std::size_t end = bytes.find('\n', pos);
    return end == std::string_view::npos ? bytes.size() : end;
}

std::size_t SkipLineFeeds(std::string_view bytes, std::size_t pos) {
    while (pos < bytes.size() && bytes[pos] == '\n')
        ++pos;
    return pos;
}

std::string FirstField(std::string_view line) {
    line = line.substr(0, line.find('\t'));
    return std::string(line.substr(0, kRunTitleFieldChars));
}

// A flag is one digit; anything else reads as 0.
int ReadFlag(common::TabFieldReader& in) {
    const std::string field = in.readText(2);
    return field.size() == 1 && field[0] >= '0' && field[0] <= '9' ? field[0] - '0' : 0;
}

RunFileLayout ParseLayout(std::string_view bytes) {
    RunFileLayout layout;
    layout.headerBegin = SkipLineFeeds(bytes, 0);
    const std::size_t headerLineEnd = LineEnd(bytes, layout.headerBegin);
    layout.headerEnd = std::min(headerLineEnd + 1, bytes.size());
    common::TabFieldReader header(
        bytes.substr(layout.headerBegin, headerLineEnd - layout.headerBegin));
    layout.savingFlag = ReadFlag(header);
    layout.fullFlag = ReadFlag(header);

    layout.appendAt = bytes.size();
    std::size_t pos = layout.headerEnd;
    while (true) {
        pos = SkipLineFeeds(bytes, pos);
        if (pos >= bytes.size())
            break;
        Slot slot;
        slot.begin = pos - 1;
        const std::size_t titleEnd = LineEnd(bytes, pos);
        slot.title = FirstField(bytes.substr(pos, titleEnd - pos));
        pos = SkipLineFeeds(bytes, std::min(titleEnd + 1, bytes.size()));
        if (pos >= bytes.size()) {
            layout.appendAt = slot.begin;
            break;
        }
        slot.dataBegin = pos;
        const std::size_t dataEnd = LineEnd(bytes, pos);
        slot.end = std::min(dataEnd + 1, bytes.size());
        pos = slot.end;
        layout.slots.push_back(std::move(slot));
    }
    return layout;
}

const Slot* FindSlot(const RunFileLayout& layout, std::string_view title) {
    for (const Slot& slot : layout.slots) {
        if (slot.title == title)
            return &slot;
    }
    return nullptr;
}

int CountRuns(const RunFileLayout& layout) {
    return static_cast<int>(
        std::count_if(layout.slots.begin(), layout.slots.end(), [](const Slot& slot) {
            return !slot.title.empty() && slot.title != kFreeRunTitle;
        }));
}

// The "1\t" pairs a data line is laid down with, from its first character.
char FillerAt(std::size_t offset) {
    return offset % 2 == 0 ? '1' : '\t';
}

void AppendFiller(std::string& out, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        out += FillerAt(i);
}

// Writes `content` over the slot [begin, end). A shorter content leaves
// empty lines behind (a run with a 29-character title in the free slot of a
// 30-character one leaves that slot's last LF). A longer one takes the empty
// lines that follow (a 30-character title in a 29-character free slot takes
// the next slot's empty line) and otherwise makes room, so the next slot's
// text is never written over.
void PlaceInSlot(std::string& bytes, std::size_t begin, std::size_t end,
                 const std::string& content) {
    const std::size_t length = end - begin;
    if (content.size() <= length) {
        bytes.replace(begin, content.size(), content);
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(begin + content.size()),
                  bytes.begin() + static_cast<std::ptrdiff_t>(end), '\n');
        return;
    }
    std::size_t taken = 0;
    while (taken < content.size() - length && end + taken < bytes.size() &&
           bytes[end + taken] == '\n')
        ++taken;
    bytes.replace(begin, length + taken, content);
}

std::string CleanText(std::string_view text, std::size_t capacity) {
    std::string clean(text.substr(0, capacity));
    for (char& c : clean) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    return clean;
}

// The data line without its LF; nothing when the fields do not fit.
std::optional<std::string> FormatDataLine(const DriverRun& run, const RunDetails& details) {
    std::string fields;
    for (const std::string& text : {CleanText(run.driverName, kRunDriverNameChars),
                                    CleanText(run.driverFirstName, kRunFirstNameChars),
                                    CleanText(details.categoryName, kRunCategoryChars),
                                    CleanText(details.trackName, kRunTrackChars)})
        fields += text + '\t';
    const RunWhen& when = details.when;
    const int last = UsableLastLap(run);
    for (const int number :
         {when.year, when.month, when.day, when.hour, when.minute, when.second, last})
        fields += std::to_string(number) + '\t';
    for (int i = 0; i <= last; ++i)
        fields += std::to_string(run.passingTimes[i]) + '\t';
    if (fields.size() > kRunDataLineChars)
        return std::nullopt;
    AppendFiller(fields, fields.size(), kRunDataLineChars);
    return fields;
}

// A title that can be found again, and that no free slot or data line can
// be taken for.
bool IsStorableTitle(std::string_view title) {
    return !title.empty() && title.size() < kRunTitleFieldChars && title != kFreeRunTitle &&
           title.find_first_of("\t\n\r") == std::string_view::npos;
}

std::string HeaderLine(int savingFlag, int fullFlag) {
    return std::to_string(savingFlag) + '\t' + std::to_string(fullFlag) + "\t\n";
}

std::string DriverNames(const DriverRun& run) {
    return run.driverName + " " + run.driverFirstName;
}

} // namespace

std::string RunTitle(const RunWhen& when) {
    char title[96];
    std::snprintf(title, sizeof title, "Run %d / %02d / %02d  (%d:%02d:%02d)", when.year,
                  when.month, when.day, when.hour, when.minute, when.second);
    return title;
}

SaveRunOutcome SaveRunTo(const std::filesystem::path& path, const DriverRun& run,
                         std::string_view title, const RunDetails& details,
                         common::MessageSink& messages) {
    if (run.driverName.empty() || run.driverFirstName.empty() || run.lastLapIndex <= 0 ||
        !IsStorableTitle(title))
        return SaveRunOutcome::NotSaved;
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes)) {
        messages.show(kRunErrorCaption, kRunFileNotFoundText);
        return SaveRunOutcome::FileNotFound;
    }
    RunFileLayout layout = ParseLayout(bytes);
    if (layout.savingFlag != 1)
        return SaveRunOutcome::SavingOff;
    const std::optional<std::string> dataLine = FormatDataLine(run, details);
    if (!dataLine)
        return SaveRunOutcome::TooLong;

    const std::string slotBytes = "\n" + std::string(title) + "\t\n" + *dataLine + "\n";
    if (const Slot* same = FindSlot(layout, title)) {
        PlaceInSlot(bytes, same->begin, same->end, slotBytes);
    } else if (layout.fullFlag == 1) {
        messages.show(kRunsFullCaption, "Le run n'a pas \xE9t\xE9 sauvegard\xE9 !\n La base de "
                                        "donn\xE9"
                                        "es 'Runs' de " +
                                            DriverNames(run) + " est d\xE9j\xE0 pleine");
        return SaveRunOutcome::Full;
    } else if (const Slot* free = FindSlot(layout, kFreeRunTitle)) {
        PlaceInSlot(bytes, free->begin, free->end, slotBytes);
    } else {
        PlaceInSlot(bytes, layout.appendAt, bytes.size(), slotBytes);
    }

    layout = ParseLayout(bytes);
    const bool becameFull = layout.fullFlag == 0 && CountRuns(layout) >= kMaxStoredRuns;
    if (becameFull)
        bytes.replace(layout.headerBegin, layout.headerEnd - layout.headerBegin,
                      HeaderLine(layout.savingFlag, 1));
    if (!common::WriteFileAtomically(path, bytes)) {
        messages.show(kRunErrorCaption, kRunFileNotFoundText);
        return SaveRunOutcome::FileNotFound;
    }
    if (becameFull)
        messages.show(kRunsFullCaption, "Attention !\n La base de donn\xE9"
                                        "es 'Runs' de " +
                                            DriverNames(run) + " est maintenant pleine");
    return SaveRunOutcome::Saved;
}

SaveRunOutcome SaveRun(const common::WorkingFolder& folder, const DriverRun& run,
                       std::string_view title, const RunDetails& details,
                       common::MessageSink& messages) {
    if (run.driverName.empty() || run.driverFirstName.empty())
        return SaveRunOutcome::NotSaved;
    return SaveRunTo(RunFilePath(folder, run.driverName, run.driverFirstName), run, title, details,
                     messages);
}

RunFileOutcome RemoveRun(const std::filesystem::path& path, std::string_view title,
                         common::MessageSink& messages) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return RunFileOutcome::FileNotFound;
    const RunFileLayout layout = ParseLayout(bytes);
    const Slot* slot = title == kFreeRunTitle ? nullptr : FindSlot(layout, title);
    if (slot == nullptr) {
        messages.show(kRunErrorCaption, kRunToRemoveNotFoundText);
        return RunFileOutcome::RunNotFound;
    }
    // Filler up to the LF that ends the slot; a free slot's data line is
    // never empty, or the line after it would be taken for its data.
    const bool endsWithLineFeed = bytes[slot->end - 1] == '\n';
    std::string freed = "\n" + std::string(kFreeRunTitle) + "\t\n";
    const std::size_t slotLength = slot->end - slot->begin;
    const std::size_t fixed = freed.size() + (endsWithLineFeed ? 1 : 0);
    AppendFiller(freed, 0, slotLength > fixed ? slotLength - fixed : 1);
    if (endsWithLineFeed)
        freed += '\n';
    PlaceInSlot(bytes, slot->begin, slot->end, freed);
    if (!common::WriteFileAtomically(path, bytes))
        return RunFileOutcome::FileNotFound;
    return RunFileOutcome::Done;
}

RunFileOutcome LoadRun(const std::filesystem::path& path, std::string_view title, DriverRun& run,
                       RunDetails& details, common::MessageSink& messages) {
    run = DriverRun{};
    details = RunDetails{};
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return RunFileOutcome::FileNotFound;
    const RunFileLayout layout = ParseLayout(bytes);
    const Slot* slot = title == kFreeRunTitle ? nullptr : FindSlot(layout, title);
    if (slot == nullptr) {
        messages.show(kRunErrorCaption, kRunToLoadNotFoundText);
        return RunFileOutcome::RunNotFound;
    }
    const std::string_view data = std::string_view(bytes).substr(
        slot->dataBegin, LineEnd(bytes, slot->dataBegin) - slot->dataBegin);
    common::TabFieldReader in(data);
    run.driverName = in.readText(kRunDriverNameChars);
    run.driverFirstName = in.readText(kRunFirstNameChars);
    details.categoryName = in.readText(kRunCategoryChars);
    details.trackName = in.readText(kRunTrackChars);
    RunWhen& when = details.when;
    std::int32_t numbers[6] = {};
    for (std::int32_t& number : numbers)
        in.readInt(number);
    when = {numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    in.readInt(run.lastLapIndex);
    // The passing table ends at lap 99, whatever a hand-edited file says.
    run.lastLapIndex = UsableLastLap(run);
    for (int i = 0; i <= run.lastLapIndex; ++i)
        in.readInt(run.passingTimes[i]);
    ComputeLapTimes(run);
    return RunFileOutcome::Done;
}

bool ListRunTitles(const std::filesystem::path& path, RunTitleList& list) {
    list = RunTitleList{};
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    const RunFileLayout layout = ParseLayout(bytes);
    list.savingFlag = layout.savingFlag;
    list.fullFlag = layout.fullFlag;
    for (const Slot& slot : layout.slots) {
        if (!slot.title.empty() && slot.title != kFreeRunTitle)
            list.titles.push_back(slot.title);
    }
    return true;
}

void SortRunTitles(std::vector<std::string>& titles) {
    std::stable_sort(titles.begin(), titles.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    });
}

bool WriteRunFileFlags(const std::filesystem::path& path, int savingFlag, int fullFlag) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    const RunFileLayout layout = ParseLayout(bytes);
    // A header without its LF (a cut file) gets one, or it would run into
    // the first slot.
    bytes.replace(layout.headerBegin, layout.headerEnd - layout.headerBegin,
                  HeaderLine(std::clamp(savingFlag, 0, 9), std::clamp(fullFlag, 0, 9)));
    return common::WriteFileAtomically(path, bytes);
}

FillRate RunFillRate(int runCount) {
    FillRate rate;
    rate.text = std::to_string(runCount) + " %";
    if (runCount < 80) {
        rate.green = 200;
    } else if (runCount < 99) {
        rate.red = 250;
        rate.green = 150;
    } else {
        rate.red = 200;
        rate.text += " saturation";
    }
    return rate;
}

} // namespace tallimo::runs
