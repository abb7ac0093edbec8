#include "databases/core/age_categories_file.h"

#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>
#include <utility>

namespace tallimo::databases {
namespace {

bool CodesEqual(std::string_view a, std::string_view b) {
    // Codes compare over their stored width.
    return common::EqualsIgnoringCase(a.substr(0, kAgeCodeChars + 1),
                                      b.substr(0, kAgeCodeChars + 1));
}

std::pair<std::int32_t, std::int32_t> From(const AgeCategory& c) {
    return {c.fromYear, c.fromMonth};
}
std::pair<std::int32_t, std::int32_t> To(const AgeCategory& c) {
    return {c.toYear, c.toMonth};
}

void RecountMonths(AgeCategory& category) {
    category.fromMonths = category.fromMonth + 12 * category.fromYear;
    category.toMonths = category.toMonth + 12 * category.toYear;
}

} // namespace

void ClearAgeCategories(AgeCategoryTable& table) {
    table.fill(AgeCategory{});
}

int CountAgeCategories(const AgeCategoryTable& table) {
    int count = 0;
    while (count < kAgeCategorySlots && !table[static_cast<std::size_t>(count)].code.empty())
        ++count;
    return count;
}

std::string FormatAgeCategoriesFile(const AgeCategoryTable& table, int count) {
    common::TabFieldWriter writer;
    for (int i = 0; i < std::clamp(count, 0, kAgeCategorySlots); ++i) {
        const AgeCategory& c = table[static_cast<std::size_t>(i)];
        for (std::int32_t value :
             {c.sex, c.fromMonth, c.fromYear, c.toMonth, c.toYear, c.fromMonths, c.toMonths})
            writer.number(value);
        writer.text(c.code, kAgeCodeChars);
        writer.text(c.ageCategoryName, kAgeCategoryNameChars);
        writer.endRecord();
    }
    return writer.bytes();
}

void ParseAgeCategoriesFile(std::string_view bytes, AgeCategoryTable& table) {
    ClearAgeCategories(table);
    common::TabFieldReader reader(bytes);
    for (AgeCategory& c : table) {
        if (reader.atEnd())
            break;
        for (std::int32_t* value :
             {&c.sex, &c.fromMonth, &c.fromYear, &c.toMonth, &c.toYear, &c.fromMonths, &c.toMonths})
            reader.readInt(*value);
        c.code = reader.readText(kAgeCodeChars);
        c.ageCategoryName = reader.readText(kAgeCategoryNameChars);
        reader.skipLine();
    }
}

bool LoadAgeCategories(AgeCategoryTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseAgeCategoriesFile(bytes, table);
    return true;
}

bool SaveAgeCategories(const AgeCategoryTable& table, int count,
                       const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatAgeCategoriesFile(table, count));
}

bool LoadAgeCategoriesDatabase(const common::WorkingFolder& folder, AgeCategoryTable& table,
                               common::MessageSink& messages) {
    ClearAgeCategories(table);
    if (LoadAgeCategories(table, folder.path(kAgeCategoriesFileName)))
        return true;
    messages.show("Error", kAgeCategoriesFileErrorText);
    return false;
}

bool SaveAgeCategoriesDatabase(const common::WorkingFolder& folder, const AgeCategoryTable& table,
                               common::MessageSink& messages) {
    if (SaveAgeCategories(table, CountAgeCategories(table), folder.path(kAgeCategoriesFileName)))
        return true;
    messages.show("Error", kAgeCategoriesFileErrorText);
    return false;
}

int AddAgeCategory(AgeCategoryTable& table, std::string_view typedCode) {
    std::string code = common::ReplaceDashes(typedCode.substr(0, kAgeCodeChars));
    std::replace(code.begin(), code.end(), '(', '_');
    std::replace(code.begin(), code.end(), ')', '_');
    if (code.empty() || code[0] == ' ' || (code.size() > 1 && code[1] == ' '))
        return -1;
    const int count = CountAgeCategories(table);
    if (count >= kAgeCategorySlots)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (CodesEqual(table[static_cast<std::size_t>(i)].code, code))
            return -1;
    }
    AgeCategory& added = table[static_cast<std::size_t>(count)];
    added = AgeCategory{};
    added.code = std::move(code);
    return count;
}

bool RemoveAgeCategory(AgeCategoryTable& table, int index) {
    const int count = CountAgeCategories(table);
    if (index < 0 || index >= count)
        return false;
    std::move(table.begin() + index + 1, table.begin() + count, table.begin() + index);
    table[static_cast<std::size_t>(count - 1)] = AgeCategory{};
    return true;
}

void SetAgeCategoryFrom(AgeCategory& category, std::int32_t month, std::int32_t year) {
    category.fromMonth = month;
    category.fromYear = year;
    if (From(category) > To(category)) {
        category.fromMonth = category.toMonth;
        category.fromYear = category.toYear;
    }
    RecountMonths(category);
}

void SetAgeCategoryTo(AgeCategory& category, std::int32_t month, std::int32_t year) {
    category.toMonth = month;
    category.toYear = year;
    if (To(category) < From(category)) {
        category.toMonth = category.fromMonth;
        category.toYear = category.fromYear;
    }
    RecountMonths(category);
}

int FindAgeCategory(const AgeCategoryTable& table, std::int32_t sex, std::int32_t birthYear,
                    std::int32_t birthMonth) {
    const std::pair<std::int32_t, std::int32_t> birth{birthYear, birthMonth};
    int found = -1;
    for (int i = 0; i < kAgeCategorySlots; ++i) {
        const AgeCategory& c = table[static_cast<std::size_t>(i)];
        if (c.code.empty() || c.sex != sex)
            continue;
        if (From(c) <= birth && birth <= To(c))
            found = i;
    }
    return found;
}

int AgeInYears(std::int32_t months, std::int32_t nowMonths) {
    return (nowMonths - months) / 12;
}

} // namespace tallimo::databases
