#pragma once

// The frame every printed document shares: a fixed logical page per report
// family, stretched onto the printable area with its proportions kept, the
// track's logo at the top left, and a signature line at the lower right.
// What is fixed about it lives here; the Qt side only draws it.

#include "printing/core/picture_library.h"

#include <string>

namespace tallimo::printing {

inline constexpr const char* kLogoFile = "images/logo.bmp";
inline constexpr const char* kTicketLogoFile = "images/logoBis.bmp";

enum class ReportFamily {
    Sheet,          // sheets, forms, price, discount and loyalty lists, tickets
    Classification, // the session classification
    RunReport,      // the three run reports
};

enum class ReportDocument {
    RunSynthesis,
    LapDetail,
    PassingDetail,
    SessionClassification,
    InformationSheet,
    RegistrationForm,
    SessionsLoyaltyPoints,
    DiscountsOnRental,
    PricesForRentalKarts,
    PricesForPrivateKarts,
    PrepaidTicket,
};

struct LogicalRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const LogicalRect&, const LogicalRect&) = default;
};

PictureSize LogicalPageSize(ReportFamily family);
ReportFamily FamilyOf(ReportDocument document);

// The name the print spooler shows ("SYNTHESE RUN : Printing...").
const char* DocumentName(ReportDocument document);

// The default file name when the document is saved as PDF: the document
// name without its ": Printing..." tail ("SYNTHESE RUN.pdf").
std::string PdfFileName(ReportDocument document);

const char* SignatureLine(ReportFamily family);

// Where the logical page lands on a printable area of `width` x `height`
// device pixels: one scale for both directions, the smaller of the two
// ratios, from the top left corner. Zero for an empty area or page.
struct PageMapping {
    double scale = 0;
    double width = 0; // device pixels covered by the logical page
    double height = 0;
};
PageMapping MapLogicalPage(PictureSize logical, double width, double height);

// The logo of a measured picture: at (25, 25), taller than 50 units brought
// down to 50 keeping its proportions (integer division); the run reports
// always give it 200 x 50. Empty when the picture has no size.
LogicalRect LogoPlacement(ReportFamily family, PictureSize measured);

// The ticket logo, centred at the top of the sheet page: at most 75 units
// high and 500 wide, proportions kept. Empty when the picture has no size.
LogicalRect TicketLogoPlacement(PictureSize measured);

// The area a report draws in, 25 units inside the page edges.
LogicalRect ContentFrame(ReportFamily family);

// The box the signature is right-aligned in: the bottom line of the
// content frame.
LogicalRect SignatureBox(ReportFamily family);

// Pages needed for `entries` at `perPage` a page: none for no entry.
int PageCount(int entries, int perPage);

// The entries (0-based) on page `page` (0-based).
struct EntrySpan {
    int first = 0;
    int count = 0;
    friend bool operator==(const EntrySpan&, const EntrySpan&) = default;
};
EntrySpan EntriesOnPage(int entries, int perPage, int page);

} // namespace tallimo::printing
