#pragma once

// Where the program keeps its data on this platform, and the first start
// that fills an empty working folder from the installed resources.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::app {

inline constexpr const char* kWorkingFolderVariable = "TALLIMO_WORKING_FOLDER";
inline constexpr const char* kWorkingFolderOption = "--working-folder";
inline constexpr const char* kProgramFolderName = "Tallimo Pistara";

struct Environment {
    std::optional<std::string> workingFolder; // TALLIMO_WORKING_FOLDER
    std::optional<std::string> dataHome;      // XDG_DATA_HOME
    std::optional<std::string> home;          // HOME
};

Environment ReadEnvironment();

// The option wins over the variable, the variable over the default: the
// user's data folder followed by "Tallimo Pistara"
// (~/.local/share/Tallimo Pistara when XDG_DATA_HOME is not set).
std::filesystem::path ResolveWorkingFolder(const std::optional<std::string>& option,
                                           const Environment& environment);

// The installed resources (images/, sons/, Translation/, Guides/) beside the
// program: <prefix>/share/tallimo for <prefix>/bin/tallimo, which is also
// where a build tree puts them.
std::filesystem::path ResourceFolderFor(const std::filesystem::path& executable);

struct FirstStartReport {
    std::vector<std::string> copied; // relative paths written
    std::vector<std::string> failed; // relative paths that could not be
};

// Copies every resource file the working folder lacks and creates the
// folders the program writes into. An operator's own files (edited
// translations, pictures) are never replaced.
FirstStartReport FillWorkingFolder(const std::filesystem::path& resources,
                                   const std::filesystem::path& workingFolder);

} // namespace tallimo::app
