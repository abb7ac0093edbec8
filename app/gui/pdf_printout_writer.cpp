#include "app/gui/pdf_printout_writer.h"

#include "databases/gui/subscriber_printouts.h"
#include "finances/gui/price_printouts.h"
#include "finances/gui/settings_printouts.h"
#include "printing/gui/freeimage_picture_library.h"
#include "printing/gui/tool_application.h"

namespace tallimo::app {
namespace {

finances::LoyaltyList ListOf(LoyaltyList list) {
    switch (list) {
    case LoyaltyList::Earned:
        return finances::LoyaltyList::Earned;
    case LoyaltyList::FreeSession:
        return finances::LoyaltyList::FreeSession;
    case LoyaltyList::Subscribers:
        return finances::LoyaltyList::Subscribers;
    }
    return finances::LoyaltyList::Earned;
}

std::optional<printing::ReportJob> JobOf(const PrintoutRequest& request,
                                         const common::WorkingFolder& folder,
                                         const common::LocalClock& clock,
                                         common::MessageSink& messages) {
    const int category = request.category.value_or(0);
    switch (request.kind) {
    case PrintoutKind::Prices:
        return finances::PricesJobFromFolder(folder, category, messages);
    case PrintoutKind::PrivatePrices:
        return finances::PrivatePricesJobFromFolder(folder, messages);
    case PrintoutKind::Ticket:
        return finances::TicketJobFromFolder(folder, request.kart, clock, request.copies, messages);
    case PrintoutKind::GroupTicket:
        return finances::GroupTicketJobFromFolder(folder, category, clock, request.copies,
                                                  messages);
    case PrintoutKind::Discounts:
        return finances::DiscountsJobFromFolder(folder, messages);
    case PrintoutKind::LoyaltyPoints:
        return finances::LoyaltyPointsJobFromFolder(folder, ListOf(request.list), messages);
    case PrintoutKind::Sheet:
        return databases::InformationSheetJobFromFolder(folder, request.surname, request.firstName,
                                                        messages);
    case PrintoutKind::Form:
        return databases::RegistrationFormJobFromFolder(folder, request.copies, messages);
    }
    return std::nullopt;
}

} // namespace

PdfPrintoutWriter::PdfPrintoutWriter(const common::LocalClock& clock) : m_clock(clock) {}

PdfPrintoutWriter::~PdfPrintoutWriter() = default;

bool PdfPrintoutWriter::writePdf(const PrintoutRequest& request, common::MessageSink& messages) {
    if (!m_application)
        m_application = printing::StartToolApplicationIfNone();
    const common::WorkingFolder folder(request.folder);
    const std::optional<printing::ReportJob> job = JobOf(request, folder, m_clock, messages);
    if (!job || job->pageCount <= 0)
        return false;
    const printing::FreeImageSession session;
    printing::FreeImagePictureLibrary pictures;
    const printing::ReportPrinter printer(folder, pictures);
    return printer.writePdf(request.pdf, *job);
}

} // namespace tallimo::app
