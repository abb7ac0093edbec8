#include "i18n/core/translation_file.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>

namespace tallimo::i18n {
namespace {

int ClampRowCount(int rowCount) {
    return std::clamp(rowCount, 0, kTranslationTableRows);
}

} // namespace

std::filesystem::path TranslationFilePath(const common::WorkingFolder& folder,
                                          std::string_view fileName) {
    std::string relative(kTranslationFolder);
    relative += fileName;
    return folder.path(relative);
}

std::string FormatTranslationFile(const TranslationTable& table, int rowCount) {
    const int count = ClampRowCount(rowCount);
    common::TabFieldWriter writer;
    writer.reserve(static_cast<std::size_t>(count) * 64);
    for (int r = 0; r < count; ++r) {
        for (const std::string& slot : table.row(r).texts)
            writer.text(slot, kTranslationTextChars);
        writer.endRecord();
    }
    return writer.bytes();
}

void ParseTranslationFile(std::string_view bytes, TranslationTable& table, int rowCount) {
    const int count = ClampRowCount(rowCount);
    common::TabFieldReader reader(bytes);
    for (int r = 0; r < count && !reader.atEnd(); ++r) {
        for (std::size_t c = 0; c < kLanguageCount; ++c)
            table.setText(r, static_cast<LanguageCode>(c), reader.readText(kTranslationTextChars));
        reader.skipLine();
    }
}

bool LoadTranslationTable(const common::WorkingFolder& folder, std::string_view fileName,
                          TranslationTable& table, int rowCount) {
    std::string bytes;
    if (!common::ReadWholeFile(TranslationFilePath(folder, fileName), bytes))
        return false;
    ParseTranslationFile(bytes, table, rowCount);
    return true;
}

bool SaveTranslationTable(const common::WorkingFolder& folder, std::string_view fileName,
                          const TranslationTable& table, int rowCount) {
    return common::WriteFileAtomically(TranslationFilePath(folder, fileName),
                                       FormatTranslationFile(table, rowCount));
}

} // namespace tallimo::i18n
