#include "common/gui/operator_dialogs.h"

#include "common/gui/text_conversion.h"

#include <QMessageBox>

namespace tallimo::common {
namespace {

QMessageBox::Icon IconOf(DialogIcon icon) {
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::Exclamation:
        return QMessageBox::Warning;
    case DialogIcon::Stop:
        return QMessageBox::Critical;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

DialogAnswer QtOperatorDialogs::ask(QWidget* parent, const std::string& caption,
                                    const std::string& text, DialogIcon icon,
                                    DialogButtons buttons) {
    QMessageBox box(IconOf(icon), FromCp1252(caption), FromCp1252(text), QMessageBox::NoButton,
                    parent);
    box.setObjectName("operatorDialog");
    switch (buttons) {
    case DialogButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case DialogButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case DialogButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Cancel:
        return DialogAnswer::Cancel;
    default:
        // Closing a question box with Escape or the title bar cancels it.
        return buttons == DialogButtons::Ok      ? DialogAnswer::Ok
               : buttons == DialogButtons::YesNo ? DialogAnswer::No
                                                 : DialogAnswer::Cancel;
    }
}

void DialogMessageSink::show(const std::string& caption, const std::string& text) {
    m_dialogs.inform(m_parent, caption, text,
                     caption == "Error" || caption == "Erreur" ? DialogIcon::Stop
                                                               : DialogIcon::Information);
}

} // namespace tallimo::common
