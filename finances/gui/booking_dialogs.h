#pragma once

// The reservation windows talk to the operator through the program's one
// set of dialogs: the core's messages as Ok boxes (exclamation icon, the
// stop icon for errors), its questions as Yes/No boxes captioned "Tallimo".

#include "common/core/message_sink.h"
#include "common/gui/operator_dialogs.h"
#include "finances/core/reservation_editor.h"

#include <string>

class QWidget;

namespace tallimo::finances {

class BookingDialogs final : public common::MessageSink, public OperatorQuestions {
public:
    BookingDialogs(common::OperatorDialogs& dialogs, QWidget* parent)
        : m_dialogs(dialogs), m_parent(parent) {}

    void show(const std::string& caption, const std::string& text) override;
    bool ask(const std::string& text) override;

private:
    common::OperatorDialogs& m_dialogs;
    QWidget* m_parent;
};

} // namespace tallimo::finances
