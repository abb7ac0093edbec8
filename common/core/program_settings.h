#pragma once

// The program's own settings, kept apart from the data files of the
// original layout: "Private/Tallimo.ini" in the working folder, UTF-8 text,
// one "key=value" per line. Blanks around keys and values are dropped;
// lines starting with '#' or ';', blank lines and keys this version does
// not know are kept as they are, so a newer program's settings survive a
// save by an older one. A missing file means every setting has its default.
//
// Keys:
//   mailing.formBase  Scheme, host and path under which the web mailing
//                     form's pages live ("https://example.org/mailing/").
//                     Empty (the default): no form is configured and no
//                     promotional e-mail can be previewed or sent.
//   liveBoard.screen  Name of the screen the drivers' board window opens
//                     on. Empty or unknown (the default): a screen other
//                     than the operator's, when there is one.
//   liveBoard.web     1: the drivers' board is served on the local network;
//                     0 or anything else (the default): it is not.
//   liveBoard.port    Port of that web board, 1024..65535; out of range or
//                     not a number: 8080 (the default).

#include "common/core/working_folder.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallimo::common {

inline constexpr const char* kProgramSettingsFileName = "Private/Tallimo.ini";
inline constexpr std::string_view kMailingFormBaseKey = "mailing.formBase";

class ProgramSettings {
public:
    static ProgramSettings parse(std::string_view text);
    // LF-ended lines, the file's own lines first in their order, keys set
    // since then after them.
    std::string format() const;

    // The value of the last line with this key; empty when there is none.
    std::string value(std::string_view key) const;
    // Replaces the value of every line with this key, or appends one. Line
    // breaks in the value would start a new line, so they become blanks. A
    // key that could not be read back (empty, holding '=', starting as a
    // comment) is ignored.
    void setValue(std::string_view key, std::string_view value);

    std::string mailingFormBase() const { return value(kMailingFormBaseKey); }

private:
    // A line as read: `key` is empty for a comment, blank or malformed line,
    // which is written back from `raw`.
    struct Line {
        std::string key;
        std::string value;
        std::string raw;
    };
    std::vector<Line> m_lines;
};

// False when the file cannot be read; `settings` is then empty (defaults).
bool LoadProgramSettings(const WorkingFolder& folder, ProgramSettings& settings);
// Writes the whole file atomically, creating "Private/" when missing.
bool SaveProgramSettings(const WorkingFolder& folder, const ProgramSettings& settings);

} // namespace tallimo::common
