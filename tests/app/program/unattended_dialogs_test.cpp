#include "app/gui/unattended_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tallimo::app {
namespace {

using common::DialogAnswer;
using common::DialogButtons;
using common::DialogIcon;

TEST(UnattendedDialogsTest, OnlyABoxWithOkAloneIsAnsweredOk) {
    const struct {
        const char* name;
        DialogButtons buttons;
        DialogAnswer answer;
    } rows[]{
        {"a notice", DialogButtons::Ok, DialogAnswer::Ok},
        {"a yes or no question", DialogButtons::YesNo, DialogAnswer::No},
        {"a question that can be cancelled", DialogButtons::YesNoCancel, DialogAnswer::No},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        UnattendedDialogs dialogs(out);
        EXPECT_EQ(dialogs.ask(nullptr, "Caption", "Text", DialogIcon::Question, row.buttons),
                  row.answer)
            << row.name;
    }
}

TEST(UnattendedDialogsTest, EachBoxIsPrintedInUtf8OnALineOfItsOwn) {
    std::ostringstream out;
    UnattendedDialogs dialogs(out);
    dialogs.ask(nullptr, "Message", "Logiciel pr\xEAt \x85 fonctionner !", DialogIcon::Information,
                DialogButtons::Ok);
    dialogs.ask(nullptr, "D\xE9part", "Quitter ?", DialogIcon::Question, DialogButtons::YesNo);
    EXPECT_EQ(out.str(), "[Message] Logiciel pr\xC3\xAAt \xE2\x80\xA6 fonctionner !\n"
                         "[D\xC3\xA9part] Quitter ?\n");
}

} // namespace
} // namespace tallimo::app
