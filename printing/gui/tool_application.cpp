#include "printing/gui/tool_application.h"

#include <cstdio>

namespace tallimo::printing {
namespace {

struct ApplicationArguments {
    int argc = 1;
    char name[16] = "tallimo-tool";
    char* argv[2] = {name, nullptr};
};

// The tool's stderr carries its own messages only; Qt's chatter about the
// platform (no runtime folder, no display) would read as a failure.
QtMessageHandler previousHandler = nullptr;

void KeepSeriousMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

std::unique_ptr<QGuiApplication> StartToolApplicationIfNone() {
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && noDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(KeepSeriousMessages);
    // Qt keeps a reference to the argument count for the application's life.
    static ApplicationArguments arguments;
    return std::make_unique<QGuiApplication>(arguments.argc, arguments.argv);
}

} // namespace tallimo::printing
