#pragma once

#include <filesystem>
#include <string>

namespace tallimo::i18n {

// The bytes of the shipped files of window `windowIndex`: its factory table
// in the translation file format. The main window's files are its language
// line instead ("0\t0\t\n": English interface, English reports), since that
// window has no labels.
std::string ShippedTranslationBytes(int windowIndex);

// Writes "(stem).usine" and "(stem).trans" of every translatable window into
// `translationFolder` (created when missing); the active labels start as a
// copy of the factory ones. False when a file cannot be written.
bool WriteShippedTranslations(const std::filesystem::path& translationFolder);

} // namespace tallimo::i18n
