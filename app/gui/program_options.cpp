#include "app/gui/program_options.h"

#include <QStringList>

#include <algorithm>

namespace tallimo::app {

namespace {

const QString kFolder = QStringLiteral("working-folder");
const QString kDemo = QStringLiteral("demo");
const QString kStart = QStringLiteral("start");
const QString kQuitAfter = QStringLiteral("quit-after");
const QString kScreenshot = QStringLiteral("screenshot");
const QString kUnattended = QStringLiteral("unattended");
const QString kNoJournal = QStringLiteral("no-journal");
const QString kNoDemoDecoder = QStringLiteral("no-demo-decoder");
const QString kWindowSize = QStringLiteral("window-size");

std::string FromQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace

void DescribeProgramOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Timing and counter software for rental go-kart tracks."));
    parser.addHelpOption();
    parser.addOptions({
        {kFolder,
         QStringLiteral(
             "The data folder (default: $TALLIMO_WORKING_FOLDER, else the user's data folder)."),
         QStringLiteral("folder")},
        {kDemo, QStringLiteral("Run on a demo folder with a simulated decoder on COM7.")},
        {kStart, QStringLiteral("Press \"Départ\" once the decoder is identified.")},
        {kQuitAfter,
         QStringLiteral(
             "Leave after this many seconds, without questions, printing the tick figures."),
         QStringLiteral("seconds")},
        {kScreenshot, QStringLiteral("Before leaving, save the window as a PNG."),
         QStringLiteral("file")},
        {kUnattended, QStringLiteral("Answer every message box with its default.")},
        {kNoJournal,
         QStringLiteral("Keep no passing journal (for measured runs; a crash then loses the laps "
                        "since the last save).")},
        {kNoDemoDecoder,
         QStringLiteral("With --demo: play no decoder; the demo's port is timed from whatever "
                        "decoder is on it, e.g. a tallimo-decoder-sim of its own.")},
        {kWindowSize,
         QStringLiteral("Show the window at this size instead of maximised, the board laid out for "
                        "such a screen."),
         QStringLiteral("WIDTHxHEIGHT")},
    });
}

ProgramOptions ProgramOptionsFrom(const QCommandLineParser& parser) {
    ProgramOptions options;
    if (parser.isSet(kFolder))
        options.workingFolder = FromQt(parser.value(kFolder));
    options.demo = parser.isSet(kDemo);
    options.start = parser.isSet(kStart);
    options.unattended = parser.isSet(kUnattended);
    options.noJournal = parser.isSet(kNoJournal);
    options.noDemoDecoder = parser.isSet(kNoDemoDecoder);
    if (parser.isSet(kQuitAfter))
        options.quitAfterMs = std::max(1, parser.value(kQuitAfter).toInt()) * 1000;
    if (parser.isSet(kScreenshot))
        options.screenshot = parser.value(kScreenshot);
    const QStringList size = parser.value(kWindowSize).split(QLatin1Char('x'));
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0)
        options.windowSize = QSize(size[0].toInt(), size[1].toInt());
    return options;
}

} // namespace tallimo::app
