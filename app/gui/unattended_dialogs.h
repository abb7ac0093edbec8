#pragma once

// The message boxes of an unattended run: each is answered with its default
// and printed, so the run's output tells what was asked.

#include "common/gui/operator_dialogs.h"

#include <ostream>

namespace tallimo::app {

class UnattendedDialogs final : public common::OperatorDialogs {
public:
    explicit UnattendedDialogs(std::ostream& out) : m_out(out) {}

    // Prints "[caption] text" in UTF-8; a box with only Ok gets Ok, any
    // question gets No.
    common::DialogAnswer ask(QWidget* parent, const std::string& caption, const std::string& text,
                             common::DialogIcon icon, common::DialogButtons buttons) override;

private:
    std::ostream& m_out;
};

} // namespace tallimo::app
