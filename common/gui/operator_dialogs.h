#pragma once

// Every message box of the program goes through here, so that tests can
// answer them and so that the captions and texts stay exactly as specified.

#include "common/core/message_sink.h"

#include <QString>

#include <string>

class QWidget;

namespace tallimo::common {

enum class DialogIcon { None, Information, Question, Exclamation, Stop };
enum class DialogButtons { Ok, YesNo, YesNoCancel };
enum class DialogAnswer { Ok, Yes, No, Cancel };

class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;
    // `caption` and `text` are Windows-1252, as the core holds them.
    virtual DialogAnswer ask(QWidget* parent, const std::string& caption, const std::string& text,
                             DialogIcon icon, DialogButtons buttons) = 0;

    void inform(QWidget* parent, const std::string& caption, const std::string& text,
                DialogIcon icon = DialogIcon::None) {
        ask(parent, caption, text, icon, DialogButtons::Ok);
    }
};

// Modal QMessageBox dialogs.
class QtOperatorDialogs final : public OperatorDialogs {
public:
    DialogAnswer ask(QWidget* parent, const std::string& caption, const std::string& text,
                     DialogIcon icon, DialogButtons buttons) override;
};

// The core's messages shown as Ok boxes; "Error" captions get the stop icon.
class DialogMessageSink final : public MessageSink {
public:
    DialogMessageSink(OperatorDialogs& dialogs, QWidget* parent)
        : m_dialogs(dialogs), m_parent(parent) {}
    void show(const std::string& caption, const std::string& text) override;
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    OperatorDialogs& m_dialogs;
    QWidget* m_parent;
};

} // namespace tallimo::common
