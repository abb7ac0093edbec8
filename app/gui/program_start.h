#pragma once

// The program after its application is made: the command line, the working
// folder, the demo's decoder, the main window, and the timed leave.

#include <QApplication>

namespace tallimo::app {

// Runs the program until its main window closes; the exit code.
int RunProgram(QApplication& application);

} // namespace tallimo::app
