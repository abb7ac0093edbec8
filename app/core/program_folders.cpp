#include "app/core/program_folders.h"

#include "common/core/data_file.h"

#include <cstdlib>
#include <system_error>

namespace tallimo::app {
namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

const char* const kResourceFolders[] = {"images", "sons", "Translation", "Guides", "FirstNames"};
const char* const kWorkFolders[] = {"Private", "Runs", "ports"};

} // namespace

Environment ReadEnvironment() {
    return {Variable(kWorkingFolderVariable), Variable("XDG_DATA_HOME"), Variable("HOME")};
}

std::filesystem::path ResolveWorkingFolder(const std::optional<std::string>& option,
                                           const Environment& environment) {
    if (option && !option->empty())
        return Utf8Path(*option);
    if (environment.workingFolder)
        return Utf8Path(*environment.workingFolder);
    std::filesystem::path data;
    if (environment.dataHome)
        data = Utf8Path(*environment.dataHome);
    else if (environment.home)
        data = Utf8Path(*environment.home) / ".local" / "share";
    else
        data = std::filesystem::temp_directory_path();
    return data / kProgramFolderName;
}

std::filesystem::path ResourceFolderFor(const std::filesystem::path& executable) {
    return executable.parent_path().parent_path() / "share" / "tallimo";
}

FirstStartReport FillWorkingFolder(const std::filesystem::path& resources,
                                   const std::filesystem::path& workingFolder) {
    FirstStartReport report;
    std::error_code error;
    std::filesystem::create_directories(workingFolder, error);
    for (const char* folder : kWorkFolders)
        std::filesystem::create_directories(workingFolder / folder, error);

    for (const char* folder : kResourceFolders) {
        const std::filesystem::path from = resources / folder;
        if (!std::filesystem::is_directory(from, error))
            continue;
        for (auto it = std::filesystem::recursive_directory_iterator(from, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (!it->is_regular_file(error))
                continue;
            const std::filesystem::path relative =
                std::filesystem::relative(it->path(), resources, error);
            const std::filesystem::path to = workingFolder / relative;
            if (std::filesystem::exists(to, error))
                continue;
            std::filesystem::create_directories(to.parent_path(), error);
            const std::u8string name = relative.generic_u8string();
            std::string text(reinterpret_cast<const char*>(name.data()), name.size());
            if (common::CopyFileReplacing(it->path(), to))
                report.copied.push_back(std::move(text));
            else
                report.failed.push_back(std::move(text));
        }
    }
    return report;
}

} // namespace tallimo::app
