#pragma once

#include "common/core/message_sink.h"

#include <string>
#include <string_view>

namespace tallimo::i18n {

// The messages about translation files. They are in English whatever the
// interface language, since the file that would translate them may be the
// one that is missing.
inline const char* const kTranslationErrorCaption = "Error";

// "Error: The translation file '" + file name + "' has not been found".
std::string MissingTranslationFileText(std::string_view fileName);

// The main window reports its own file without naming it.
inline const char* const kMissingMainWindowFileText =
    "Error: The translation file of the main window has not been found";

// The editor's working files. These two name the main menu whatever window
// is selected: the operator knows them by that name.
inline const char* const kMissingFactoryFileText =
    "Error: The factory translation file 'MenuPrincipal.usine' has not been found";
inline const char* const kMissingActiveFileText =
    "Error: The active translation file 'MenuPrincipal.trans' has not been found";

// Restoring the factory labels.
inline const char* const kMissingRestoreSourceText =
    "Error: The translation source file has not been found";
inline const char* const kMissingRestoreDestinationText =
    "Error: The translation destination file has not been found";

// Shows MissingTranslationFileText(fileName) captioned "Error".
void ReportMissingTranslationFile(common::MessageSink& sink, std::string_view fileName);

} // namespace tallimo::i18n
