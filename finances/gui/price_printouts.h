#pragma once

// The price lists and the reservation tickets as report jobs: the lines the
// core makes, set on the sheet page of the printing frame. The windows open
// them in a preview; `tallimo-tool print` builds the same jobs from a
// working folder's files. A job carries its lines by value and outlives
// whatever built it.

#include "common/core/local_clock.h"
#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "finances/core/price_printouts.h"
#include "i18n/core/language_settings.h"
#include "printing/gui/report_preview.h"
#include "printing/gui/report_printer.h"

#include <optional>
#include <string>
#include <vector>

namespace tallimo::finances {

// What a price list takes from the prices window's translations, in the
// report language (English where the file gives nothing), and the languages
// read on the way.
struct PriceListTexts {
    PriceListWords words;
    std::string privateHeading; // "Karts privés (location piste)"
    i18n::LanguageSettings languages;
};

// Reads "FenetreTarifs.trans", each missing file reported.
PriceListTexts LoadPriceListTexts(const common::WorkingFolder& folder,
                                  common::MessageSink& messages);

// One page: the heading centred, the lines 50 units apart.
printing::ReportJob PriceListJob(const std::string& heading, std::vector<PriceListLine> lines,
                                 bool privateKarts);
// One page under the ticket logo, in `copies` copies.
printing::ReportJob TicketJob(std::vector<TicketLine> lines, int copies = 1);

// The price list window's title in the interface language, the list's heading.
printing::ReportPreviewTexts PriceListPreviewTexts(i18n::LanguageCode interfaceCode,
                                                   const std::string& heading);
// "Ticket réservation", "Ticket de réservation" and "Nombre de copies".
printing::ReportPreviewTexts TicketPreviewTexts();

// The ticket's text, one line a row, for the preview's accessible
// description: what a screen reader (and a test) can read of the page.
QString TicketText(const std::vector<TicketLine>& lines);

// Price list of kart category `category` (0..4). Nothing, with a message,
// when no category of that index has a name.
std::optional<printing::ReportJob> PricesJobFromFolder(const common::WorkingFolder& folder,
                                                       int category, common::MessageSink& messages);
std::optional<printing::ReportJob> PrivatePricesJobFromFolder(const common::WorkingFolder& folder,
                                                              common::MessageSink& messages);
// The ticket of the kart labelled `kartLabel` (Windows-1252) in
// "Private/Session.rent", as the session holds it, at `clock`'s time.
// Nothing, with a message, without a session file or such a kart.
std::optional<printing::ReportJob> TicketJobFromFolder(const common::WorkingFolder& folder,
                                                       const std::string& kartLabel,
                                                       const common::LocalClock& clock, int copies,
                                                       common::MessageSink& messages);
// The ticket of the booked karts of session category `category` (0..5):
// those with a driver and a duration whose run has not started (free or
// reserved). Nothing, with a message, without a session file or for an
// index that names no category.
std::optional<printing::ReportJob> GroupTicketJobFromFolder(const common::WorkingFolder& folder,
                                                            int category,
                                                            const common::LocalClock& clock,
                                                            int copies,
                                                            common::MessageSink& messages);

} // namespace tallimo::finances
