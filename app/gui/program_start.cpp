#include "app/gui/program_start.h"

#include "app/core/demo_decoder.h"
#include "app/core/demo_working_folder.h"
#include "app/core/first_start.h"
#include "app/core/program_folders.h"
#include "app/core/tick_figures.h"
#include "app/gui/main_window.h"
#include "app/gui/program_options.h"
#include "app/gui/qt_sound_player.h"
#include "app/gui/timing_board_widget.h"
#include "app/gui/unattended_dialogs.h"
#include "common/core/system_clocks.h"
#include "common/gui/operator_dialogs.h"
#include "decoder/gui/qt_serial_port.h"
#include "printing/gui/freeimage_picture_library.h"
#include "session/core/passing_journal.h"

#include <QCommandLineParser>
#include <QFileDialog>
#include <QTimer>

#include <iostream>
#include <memory>

namespace tallimo::app {

namespace {

std::string FromQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace

int RunProgram(QApplication& application) {
    QApplication::setApplicationName(QStringLiteral("Tallimo Pistara"));
    const printing::FreeImageSession freeImage;
    printing::FreeImagePictureLibrary pictures;

    QCommandLineParser parser;
    DescribeProgramOptions(parser);
    parser.process(application);
    const ProgramOptions options = ProgramOptionsFrom(parser);

    Environment environment = ReadEnvironment();
    std::filesystem::path root = ResolveWorkingFolder(options.workingFolder, environment);
    if (options.demo && !options.workingFolder)
        root = root.parent_path() / kDemoFolderName;
    // The serial port takes a relative device path for a name under /dev.
    std::error_code absoluteError;
    if (const std::filesystem::path absolute = std::filesystem::absolute(root, absoluteError);
        !absoluteError)
        root = absolute;

    const std::filesystem::path resources =
        ResourceFolderFor(std::filesystem::path(FromQt(QCoreApplication::applicationFilePath())));
    const FirstStartReport filled = FillWorkingFolder(resources, root);
    for (const std::string& failed : filled.failed)
        std::cerr << "tallimo: could not copy " << failed << " into " << root << "\n";
    const common::WorkingFolder folder(root);
    std::unique_ptr<decoder::sim::DecoderSimulatorHost> simulator;
    if (options.demo) {
        WriteDemoWorkingFolder(folder, common::SystemLocalClock().now());
        std::string error;
        if (!options.noDemoDecoder) {
            simulator = StartDemoDecoder(root, error);
            if (!simulator)
                std::cerr << "tallimo: the demo decoder could not start: " << error << "\n";
        }
    }
    CreateMissingDataFiles(folder);

    common::SystemTickSource ticks;
    common::SystemHighResCounter counter;
    decoder::QtSerialPort port(folder, &counter);
    QtSoundPlayer sounds(folder);
    common::QtOperatorDialogs interactiveDialogs;
    UnattendedDialogs unattendedDialogs(std::cout);
    common::OperatorDialogs& dialogs =
        options.unattended ? static_cast<common::OperatorDialogs&>(unattendedDialogs)
                           : interactiveDialogs;

    MainWindowServices services{folder, port, ticks, counter, sounds, dialogs, {}, {}};
    services.chooseSessionFile = [root](QWidget* parent, bool save) {
        const QString filter = QString::fromUtf8("Fichier session (.rent) (*.rent)");
        const QString start = QString::fromStdString((root / "*.rent").string());
        const QString chosen =
            save ? QFileDialog::getSaveFileName(parent, QString(), start, filter)
                 : QFileDialog::getOpenFileName(parent, QString(),
                                                QString::fromStdString(root.string()), filter);
        return FromQt(chosen);
    };
    services.pictures = &pictures;
    if (!options.noJournal)
        services.journalFile = [] {
            return session::SyncInBackground(session::MakePosixJournalFile());
        };
    if (options.demo)
        services.afterSessionRebuild = [](session::LiveTiming& live) {
            BookDemoDrivers(live.session);
        };

    MainWindow window(services);
    if (options.windowSize) {
        window.board()->setScreenSize(*options.windowSize);
        window.resize(*options.windowSize);
        window.show();
    } else {
        window.showMaximized();
    }
    QTimer::singleShot(0, &window, [&] {
        window.connectDecoderAndStartTimer();
        if (options.start)
            window.clock().StartPressed();
    });

    if (options.quitAfterMs) {
        QTimer::singleShot(*options.quitAfterMs, &window, [&] {
            if (options.screenshot)
                window.grab().save(*options.screenshot, "PNG");
            if (const std::optional<TickFigures> figures = SummariseTicks(window.tickNanoseconds()))
                std::cout << TickFiguresLine(*figures) << std::flush;
            window.clock().PausePressed(false);
            window.leaveWithoutQuestions();
        });
    }
    const int code = QApplication::exec();
    if (simulator)
        simulator->stop();
    return code;
}

} // namespace tallimo::app
