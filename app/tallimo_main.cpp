// The program: the main window on the working folder, or with --demo on a
// demo folder with a simulated decoder on COM7.

#include "app/core/demo_working_folder.h"
#include "app/core/first_start.h"
#include "app/core/program_folders.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_sound_player.h"
#include "app/gui/timing_board_widget.h"
#include "common/core/cp1252.h"
#include "common/core/system_clocks.h"
#include "common/gui/operator_dialogs.h"
#include "common/gui/text_conversion.h"
#include "decoder/gui/qt_serial_port.h"
#include "decoder/sim/decoder_simulator_host.h"
#include "printing/gui/freeimage_picture_library.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

namespace {

using namespace tallimo;

std::string FromQt(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::unique_ptr<decoder::sim::DecoderSimulatorHost> StartDemoDecoder(const std::filesystem::path& folder)
{
    decoder::sim::DecoderSimulatorHostConfig config;
    config.decoder.model = decoder::sim::DecoderModel::Vela2Usb;
    config.decoder.identity = 4321;
    // The session's karts set off when it starts, so every lap is on the
    // board; the spare karts are out before, for the fleet scan.
    config.decoder.trafficStart = decoder::sim::TrafficStart::OnClockReset;
    for (const app::DemoKart& kart : app::DemoKarts())
        config.decoder.karts.push_back({kart.transponder, kart.meanLapMs, kart.spreadMs, kart.spare});
    config.workingFolder = folder;
    config.port = app::kDemoPort;
    auto host = std::make_unique<decoder::sim::DecoderSimulatorHost>(std::move(config));
    if (!host->start()) {
        std::cerr << "tallimo: the demo decoder could not start: " << host->lastError() << "\n";
        return nullptr;
    }
    return host;
}

// Answers every message box with its default, for unattended runs.
class AnsweringDialogs final : public common::OperatorDialogs {
public:
    common::DialogAnswer ask(QWidget*, const std::string& caption, const std::string& text, common::DialogIcon,
                             common::DialogButtons buttons) override
    {
        std::cout << "[" << common::Cp1252ToUtf8(caption) << "] " << common::Cp1252ToUtf8(text) << "\n";
        return buttons == common::DialogButtons::Ok ? common::DialogAnswer::Ok : common::DialogAnswer::No;
    }
};

void PrintTickFigures(const std::vector<std::int64_t>& tickNanoseconds)
{
    if (tickNanoseconds.empty())
        return;
    std::vector<std::int64_t> sorted = tickNanoseconds;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double fraction) {
        return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(fraction * sorted.size()))] / 1000.0;
    };
    std::printf("ticks %zu: median %.1f us, 99th percentile %.1f us, longest %.1f us\n", sorted.size(),
                at(0.5), at(0.99), sorted.back() / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tallimo Pistara");
    const printing::FreeImageSession freeImage;
    printing::FreeImagePictureLibrary pictures;

    QCommandLineParser parser;
    parser.setApplicationDescription("Timing and counter software for rental go-kart tracks.");
    parser.addHelpOption();
    const QCommandLineOption folderOption("working-folder", "The data folder (default: $TALLIMO_WORKING_FOLDER, "
                                                            "else the user's data folder).", "folder");
    const QCommandLineOption demoOption("demo", "Run on a demo folder with a simulated decoder on COM7.");
    const QCommandLineOption startOption("start", "Press \"Départ\" once the decoder is identified.");
    const QCommandLineOption quitOption("quit-after", "Leave after this many seconds, without questions, "
                                                      "printing the tick figures.", "seconds");
    const QCommandLineOption screenshotOption("screenshot", "Before leaving, save the window as a PNG.", "file");
    const QCommandLineOption unattendedOption("unattended", "Answer every message box with its default.");
    const QCommandLineOption sizeOption("window-size", "Show the window at this size instead of maximised, "
                                                       "the board laid out for such a screen.", "WIDTHxHEIGHT");
    parser.addOptions({folderOption, demoOption, startOption, quitOption, screenshotOption, unattendedOption,
                       sizeOption});
    parser.process(application);

    const bool demo = parser.isSet(demoOption);
    std::optional<std::string> folderArgument;
    if (parser.isSet(folderOption))
        folderArgument = FromQt(parser.value(folderOption));
    app::Environment environment = app::ReadEnvironment();
    std::filesystem::path root = app::ResolveWorkingFolder(folderArgument, environment);
    if (demo && !folderArgument)
        root = root.parent_path() / app::kDemoFolderName;

    const std::filesystem::path resources =
        app::ResourceFolderFor(std::filesystem::path(FromQt(QCoreApplication::applicationFilePath())));
    const app::FirstStartReport filled = app::FillWorkingFolder(resources, root);
    for (const std::string& failed : filled.failed)
        std::cerr << "tallimo: could not copy " << failed << " into " << root << "\n";
    const common::WorkingFolder folder(root);
    std::unique_ptr<decoder::sim::DecoderSimulatorHost> simulator;
    if (demo) {
        app::WriteDemoWorkingFolder(folder);
        simulator = StartDemoDecoder(root);
    }
    app::CreateMissingDataFiles(folder);

    common::SystemTickSource ticks;
    common::SystemHighResCounter counter;
    decoder::QtSerialPort port(folder);
    app::QtSoundPlayer sounds(folder);
    common::QtOperatorDialogs interactiveDialogs;
    AnsweringDialogs answeringDialogs;
    common::OperatorDialogs& dialogs =
        parser.isSet(unattendedOption) ? static_cast<common::OperatorDialogs&>(answeringDialogs) : interactiveDialogs;

    app::MainWindowServices services{folder, port, ticks, counter, sounds, dialogs, {}, {}};
    services.chooseSessionFile = [root](QWidget* parent, bool save) {
        const QString filter = QString::fromUtf8("Fichier session (.rent) (*.rent)");
        const QString start = QString::fromStdString((root / "*.rent").string());
        const QString chosen = save ? QFileDialog::getSaveFileName(parent, QString(), start, filter)
                                    : QFileDialog::getOpenFileName(parent, QString(), QString::fromStdString(root.string()), filter);
        return FromQt(chosen);
    };
    services.pictures = &pictures;
    if (demo)
        services.afterSessionRebuild = [](session::LiveTiming& live) { app::BookDemoDrivers(live.session); };

    app::MainWindow window(services);
    const QStringList size = parser.value(sizeOption).split('x');
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0) {
        const QSize screen(size[0].toInt(), size[1].toInt());
        window.board()->setScreenSize(screen);
        window.resize(screen);
        window.show();
    } else {
        window.showMaximized();
    }
    QTimer::singleShot(0, &window, [&] {
        window.connectDecoderAndStartTimer();
        if (parser.isSet(startOption))
            window.clock().StartPressed();
    });

    if (parser.isSet(quitOption)) {
        const int seconds = parser.value(quitOption).toInt();
        QTimer::singleShot(std::max(1, seconds) * 1000, &window, [&] {
            if (parser.isSet(screenshotOption))
                window.grab().save(parser.value(screenshotOption), "PNG");
            PrintTickFigures(window.tickNanoseconds());
            window.clock().PausePressed(false);
            window.leaveWithoutQuestions();
        });
    }
    const int code = QApplication::exec();
    if (simulator)
        simulator->stop();
    return code;
}
