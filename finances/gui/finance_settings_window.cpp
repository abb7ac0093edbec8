#include "finances/gui/finance_settings_window.h"

#include "i18n/core/translation_table.h"
#include "i18n/core/window_texts.h"

namespace tallimo::finances {
namespace {

constexpr std::string_view kPriceTextsFileName = "FenetreTarifs.trans";
constexpr int kPriceTextRows = 10;
constexpr std::string_view kFleetTextsFileName = "BaseParcKarts.trans";
constexpr int kFleetTextRows = 4;
constexpr std::string_view kClubTextsFileName = "BaseClubs.trans";
constexpr int kClubTextRows = 11;
constexpr int kClubRowNew = 9;

// Rows of "FenetreTarifs.trans".
enum PriceWordsRow {
    kPriceRowSession = 0,
    kPriceRowMinutes = 1,
    kPriceRowCategory = 2,
    kPriceRowRental = 6,
    kPriceRowPrivate = 7,
};

} // namespace

databases::WindowLabels FinanceSettingsWindow::loadSettingsTexts(std::string_view stem, int rows,
                                                                 i18n::TitledWindow title,
                                                                 PriceWords& words) {
    i18n::TranslationTable priceTexts;
    databases::WindowLabels labels =
        loadTexts(stem, rows, title, kPriceTextsFileName, kPriceTextRows, priceTexts);
    i18n::TranslationTable fleetTexts;
    i18n::LoadWindowTable(folder(), kFleetTextsFileName, fleetTexts, kFleetTextRows, messages());
    i18n::TranslationTable clubTexts;
    i18n::LoadWindowTable(folder(), kClubTextsFileName, clubTexts, kClubTextRows, messages());
    const i18n::LanguageCode code = language();
    const auto priceWord = [&](int row, const char* fallback) {
        return databases::TextOr(priceTexts.text(row, code), fallback);
    };
    words.session = priceWord(kPriceRowSession, "S\xE9"
                                                "ance");
    words.minutes = priceWord(kPriceRowMinutes, "minutes");
    words.category = priceWord(kPriceRowCategory, "Cat\xE9gorie de karts :");
    words.rental = priceWord(kPriceRowRental, "Karts de location");
    words.privateKarts = priceWord(kPriceRowPrivate, "Karts priv\xE9s (location piste)");
    words.newRecord = databases::TextOr(clubTexts.text(kClubRowNew, code), "Nouveau");
    return labels;
}

} // namespace tallimo::finances
