#pragma once

// The companion tool draws its PDF files with Qt but has no window: Qt's
// GUI side is started on first use only, on the offscreen platform when
// there is no display.

#include <QGuiApplication>

#include <memory>

namespace tallimo::printing {

// A new application when none runs yet; nothing when one does.
std::unique_ptr<QGuiApplication> StartToolApplicationIfNone();

} // namespace tallimo::printing
