// tallimo-make-assets OUTPUT_DIR: writes the pictures, sounds and guide that
// ship with the program. Run at build time; needs no display (offscreen).
#include "app/assets/asset_generation.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallimo-make-assets OUTPUT_DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    const auto result = tallimo::app::assets::generateAssets(argv[1]);
    if (!result.ok) {
        std::fprintf(stderr, "tallimo-make-assets: %s\n", result.error.c_str());
        return 1;
    }
    std::printf("tallimo-make-assets: %zu files written to %s\n", result.written.size(), argv[1]);
    return 0;
}
