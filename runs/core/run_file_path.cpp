#include "runs/core/run_file_path.h"

#include "common/core/cp1252.h"

namespace tallimo::runs {
namespace {

bool IsUnsafeInFileName(unsigned char c) {
    if (c < 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string RunFileNamePart(std::string_view name) {
    std::string part(name);
    for (char& c : part) {
        if (IsUnsafeInFileName(static_cast<unsigned char>(c)))
            c = '-';
    }
    return part;
}

std::string RunFileName(std::string_view name, std::string_view firstName) {
    return "Runs/" + RunFileNamePart(name) + "_" + RunFileNamePart(firstName) + ".bdr";
}

std::filesystem::path RunFilePath(const common::WorkingFolder& folder, std::string_view name,
                                  std::string_view firstName) {
    // The file system takes UTF-8; no separator is left inside the names.
    return folder.path(common::Cp1252ToUtf8(RunFileName(name, firstName)));
}

} // namespace tallimo::runs
