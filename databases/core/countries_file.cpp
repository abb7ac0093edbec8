#include "databases/core/countries_file.h"

#include "common/core/data_file.h"

#include <algorithm>

namespace tallimo::databases {

std::vector<std::string> ParseCountriesFile(std::string_view bytes) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < bytes.size() && names.size() < static_cast<std::size_t>(kMaxCountries)) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        // A copy that went through a Windows text mode keeps its CR.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // A TAB would break the subscriber line the name is stored in.
        std::string name(line.substr(0, kCountryNameChars));
        std::replace(name.begin(), name.end(), '\t', ' ');
        names.push_back(std::move(name));
        pos = end + 1;
    }
    return names;
}

std::string FormatCountriesFile(const std::vector<std::string>& names) {
    std::string bytes;
    const std::size_t count = std::min(names.size(), static_cast<std::size_t>(kMaxCountries));
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = names[i].substr(0, kCountryNameChars);
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; },
            ' ');
        bytes += name;
        bytes += '\n';
    }
    return bytes;
}

bool LoadCountryNames(const std::filesystem::path& path, std::vector<std::string>& names) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    names = ParseCountriesFile(bytes);
    return true;
}

bool SaveCountryNames(const std::filesystem::path& path, const std::vector<std::string>& names) {
    return common::WriteFileAtomically(path, FormatCountriesFile(names));
}

bool LoadCountriesDatabase(const common::WorkingFolder& folder, std::vector<std::string>& names,
                           common::MessageSink& messages) {
    names.clear();
    if (LoadCountryNames(folder.path(kCountriesFileName), names))
        return true;
    messages.show(kCountriesErrorCaption, kCountriesFileErrorText);
    return false;
}

} // namespace tallimo::databases
