#include "app/gui/program_options.h"

#include <QStringList>

#include <algorithm>

namespace tallimo::app {

namespace {

const QString kFolder = "working-folder";
const QString kDemo = "demo";
const QString kStart = "start";
const QString kQuitAfter = "quit-after";
const QString kScreenshot = "screenshot";
const QString kUnattended = "unattended";
const QString kWindowSize = "window-size";

std::string FromQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace

void DescribeProgramOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription("Timing and counter software for rental go-kart tracks.");
    parser.addHelpOption();
    parser.addOptions({
        {kFolder,
         "The data folder (default: $TALLIMO_WORKING_FOLDER, else the user's data folder).",
         "folder"},
        {kDemo, "Run on a demo folder with a simulated decoder on COM7."},
        {kStart, "Press \"Départ\" once the decoder is identified."},
        {kQuitAfter, "Leave after this many seconds, without questions, printing the tick figures.",
         "seconds"},
        {kScreenshot, "Before leaving, save the window as a PNG.", "file"},
        {kUnattended, "Answer every message box with its default."},
        {kWindowSize,
         "Show the window at this size instead of maximised, the board laid out for such a screen.",
         "WIDTHxHEIGHT"},
    });
}

ProgramOptions ProgramOptionsFrom(const QCommandLineParser& parser) {
    ProgramOptions options;
    if (parser.isSet(kFolder))
        options.workingFolder = FromQt(parser.value(kFolder));
    options.demo = parser.isSet(kDemo);
    options.start = parser.isSet(kStart);
    options.unattended = parser.isSet(kUnattended);
    if (parser.isSet(kQuitAfter))
        options.quitAfterMs = std::max(1, parser.value(kQuitAfter).toInt()) * 1000;
    if (parser.isSet(kScreenshot))
        options.screenshot = parser.value(kScreenshot);
    const QStringList size = parser.value(kWindowSize).split('x');
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0)
        options.windowSize = QSize(size[0].toInt(), size[1].toInt());
    return options;
}

} // namespace tallimo::app
