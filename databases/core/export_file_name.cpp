#include "databases/core/export_file_name.h"

#include "i18n/core/text_fields.h"

namespace tallimo::databases {

std::string WithExportExtension(std::string_view chosen, std::string_view extension) {
    std::string path(chosen);
    if (path.find(extension) == std::string::npos)
        path += extension;
    return path;
}

std::string ExportOverwriteQuestion(std::string_view fileName, i18n::LanguageCode code) {
    // English, French, German, Italian, Portuguese, Spanish.
    static constexpr i18n::PerLanguage kQuestion = {
        "%s already exists.\nDo you want to replace it?",
        "%s existe déjà.\nVoulez-vous le remplacer ?",
        "%s ist bereits vorhanden.\nMöchten Sie die Datei ersetzen?",
        "%s esiste già.\nSostituire il file?",
        "%s já existe.\nDeseja substituí-lo?",
        "%s ya existe.\n¿Desea reemplazarlo?"};
    return i18n::FillTextField(i18n::PickByLanguage(kQuestion, code), "%s", fileName);
}

} // namespace tallimo::databases
