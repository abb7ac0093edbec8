#pragma once

#include "common/gui/operator_dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace tallimo::testing {

// Answers message boxes from a script and records every one asked; a box
// the script did not expect is answered Cancel (or Ok) and stays in the
// record, so the test's assertion on the record catches it.
class ScriptedDialogs final : public common::OperatorDialogs {
public:
    struct Asked {
        std::string caption;
        std::string text;
        common::DialogIcon icon;
        common::DialogButtons buttons;
    };

    common::DialogAnswer ask(QWidget*, const std::string& caption, const std::string& text,
                             common::DialogIcon icon, common::DialogButtons buttons) override {
        asked.push_back({caption, text, icon, buttons});
        if (!answers.empty()) {
            const common::DialogAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == common::DialogButtons::Ok ? common::DialogAnswer::Ok
                                                    : common::DialogAnswer::Cancel;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Asked& one : asked)
            all.push_back(one.text);
        return all;
    }

    std::deque<common::DialogAnswer> answers;
    std::vector<Asked> asked;
};

} // namespace tallimo::testing
