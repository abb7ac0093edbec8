#pragma once

// The discount list and the loyalty points lists on paper: the jobs the
// printing frame draws, the texts of their preview window, and the jobs
// the companion tool makes from a working folder's files.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "finances/core/settings_printouts.h"
#include "i18n/core/language_code.h"
#include "printing/gui/report_preview.h"
#include "printing/gui/report_printer.h"

#include <QString>

#include <array>
#include <optional>
#include <string>

class QWidget;

namespace tallimo::finances {

// The pages of a printed list; the job holds its own copy of the lines.
printing::ReportJob MakeSettingsListJob(printing::ReportDocument document,
                                        SettingsPrintout printout);

printing::ReportJob DiscountListJob(const DiscountTable& table, const PriceTable& prices,
                                    const std::array<std::string, kPriceRows>& categoryNames,
                                    const SettingsPrintoutTexts& texts);
printing::ReportJob LoyaltyListJob(const LoyaltyCard& card, LoyaltyList list,
                                   const SettingsPrintoutTexts& texts);

// The loyalty window's print menu: "Points fidélité abonnés", "Points
// gagnés par séance", "Points pour séance offerte".
QString LoyaltyListMenuText(LoyaltyList list);

// The preview window's title and heading in the interface language.
printing::ReportPreviewTexts DiscountListPreviewTexts(i18n::LanguageCode interfaceCode);
printing::ReportPreviewTexts LoyaltyListPreviewTexts(i18n::LanguageCode interfaceCode,
                                                     LoyaltyList list);

// Shows `job` in its modal preview over `parent`.
void ShowSettingsListPreview(const printing::ReportPrinter& printer, printing::ReportJob job,
                             printing::ReportPreviewTexts texts, QWidget* parent);

// The discount list from the folder's kart categories, prices and
// discounts, each missing file reported as the discounts window reports
// it. Nothing without the discounts file: there would be nothing to list.
std::optional<printing::ReportJob> DiscountsJobFromFolder(const common::WorkingFolder& folder,
                                                          common::MessageSink& messages);

// A loyalty points list from the folder's files, read as the loyalty card
// window reads them. Nothing without the file the list is made of: the
// balances for the subscribers, the session points for the other two.
std::optional<printing::ReportJob> LoyaltyPointsJobFromFolder(const common::WorkingFolder& folder,
                                                              LoyaltyList list,
                                                              common::MessageSink& messages);

} // namespace tallimo::finances
