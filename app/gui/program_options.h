#pragma once

// The program's command line: the options it offers and what a parsed
// command line asks for.

#include <QCommandLineParser>
#include <QSize>
#include <QString>

#include <optional>
#include <string>

namespace tallimo::app {

struct ProgramOptions {
    std::optional<std::string> workingFolder; // UTF-8
    bool demo = false;
    bool start = false;
    bool unattended = false;
    // For measured runs only: the passing journal off.
    bool noJournal = false;
    // The demo's data and drivers, timed by whatever decoder is on its port
    // (a decoder simulator of its own that outlives the program).
    bool noDemoDecoder = false;
    // At least a second: a missing or bad number still leaves.
    std::optional<int> quitAfterMs;
    std::optional<QString> screenshot;
    // Only when both sides are positive whole numbers; otherwise maximised.
    std::optional<QSize> windowSize;
};

// The description, the help option and the program's options.
void DescribeProgramOptions(QCommandLineParser& parser);

ProgramOptions ProgramOptionsFrom(const QCommandLineParser& parser);

} // namespace tallimo::app
