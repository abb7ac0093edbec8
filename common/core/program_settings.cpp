#include "common/core/program_settings.h"

#include "common/core/data_file.h"

#include <filesystem>
#include <system_error>

namespace tallimo::common {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return line;
}

} // namespace

ProgramSettings ProgramSettings::parse(std::string_view text) {
    ProgramSettings settings;
    // A UTF-8 byte order mark left by a Windows editor.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        Line line;
        line.raw = std::string(raw);
        const std::string_view content = Trimmed(raw);
        const std::size_t equals = content.find('=');
        if (!content.empty() && content.front() != '#' && content.front() != ';' &&
            equals != std::string_view::npos) {
            line.key = std::string(Trimmed(content.substr(0, equals)));
            line.value = std::string(Trimmed(content.substr(equals + 1)));
        }
        settings.m_lines.push_back(std::move(line));
    }
    return settings;
}

std::string ProgramSettings::format() const {
    std::string text;
    for (const Line& line : m_lines) {
        if (line.key.empty())
            text += line.raw;
        else
            text += line.key + "=" + line.value;
        text += '\n';
    }
    return text;
}

std::string ProgramSettings::value(std::string_view key) const {
    std::string found;
    for (const Line& line : m_lines) {
        if (!line.key.empty() && line.key == key)
            found = line.value;
    }
    return found;
}

void ProgramSettings::setValue(std::string_view key, std::string_view value) {
    const std::string cleanKey(Trimmed(OneLine(key)));
    // Such a key could not be read back as the same key.
    if (cleanKey.empty() || cleanKey.find('=') != std::string::npos || cleanKey.front() == '#' ||
        cleanKey.front() == ';')
        return;
    const std::string cleanValue(Trimmed(OneLine(value)));
    bool replaced = false;
    for (Line& line : m_lines) {
        if (line.key == cleanKey) {
            line.value = cleanValue;
            replaced = true;
        }
    }
    if (!replaced)
        m_lines.push_back({cleanKey, cleanValue, {}});
}

bool LoadProgramSettings(const WorkingFolder& folder, ProgramSettings& settings) {
    settings = ProgramSettings{};
    std::string bytes;
    if (!ReadWholeFile(folder.path(kProgramSettingsFileName), bytes))
        return false;
    settings = ProgramSettings::parse(bytes);
    return true;
}

bool SaveProgramSettings(const WorkingFolder& folder, const ProgramSettings& settings) {
    const std::filesystem::path path = folder.path(kProgramSettingsFileName);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return WriteFileAtomically(path, settings.format());
}

} // namespace tallimo::common
