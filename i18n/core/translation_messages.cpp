#include "i18n/core/translation_messages.h"

namespace tallimo::i18n {

std::string MissingTranslationFileText(std::string_view fileName) {
    std::string text = "Error: The translation file '";
    text += fileName;
    text += "' has not been found";
    return text;
}

void ReportMissingTranslationFile(common::MessageSink& sink, std::string_view fileName) {
    sink.show(kTranslationErrorCaption, MissingTranslationFileText(fileName));
}

} // namespace tallimo::i18n
