#include "app/gui/unattended_dialogs.h"

#include "common/core/cp1252.h"

namespace tallimo::app {

common::DialogAnswer UnattendedDialogs::ask(QWidget*, const std::string& caption,
                                            const std::string& text, common::DialogIcon,
                                            common::DialogButtons buttons) {
    m_out << "[" << common::Cp1252ToUtf8(caption) << "] " << common::Cp1252ToUtf8(text) << "\n";
    return buttons == common::DialogButtons::Ok ? common::DialogAnswer::Ok
                                                : common::DialogAnswer::No;
}

} // namespace tallimo::app
