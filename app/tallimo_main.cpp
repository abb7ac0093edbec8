// The program: the main window on the working folder, or with --demo on a
// demo folder with a simulated decoder on COM7.

#include "app/gui/program_start.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return tallimo::app::RunProgram(application);
}
