#pragma once

#include <QByteArray>

namespace tallimo::app {

// The drivers' board web page: one HTML file with its style and script,
// built into the program (UTF-8).
QByteArray LiveBoardPage();

} // namespace tallimo::app
