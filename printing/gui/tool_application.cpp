#include "printing/gui/tool_application.h"

namespace tallimo::printing {
namespace {

struct ApplicationArguments {
    int argc = 1;
    char name[16] = "tallimo-tool";
    char* argv[2] = {name, nullptr};
};

} // namespace

std::unique_ptr<QGuiApplication> StartToolApplicationIfNone() {
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && noDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps a reference to the argument count for the application's life.
    static ApplicationArguments arguments;
    return std::make_unique<QGuiApplication>(arguments.argc, arguments.argv);
}

} // namespace tallimo::printing
