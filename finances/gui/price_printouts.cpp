#include "finances/gui/price_printouts.h"

#include "common/gui/text_conversion.h"
#include "databases/core/kart_categories_file.h"
#include "finances/core/booking_rules.h"
#include "finances/core/reservation_editor.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"
#include "session/core/session_file.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace tallimo::finances {

using common::FromCp1252;

namespace {

constexpr const char* kPricesTextsStem = "FenetreTarifs";
constexpr int kPricesTextRows = 10;
enum PricesTextRow { kRowSession = 0, kRowMinutes = 1, kRowPrivate = 7 };

// The sheet page is 550 x 800; the frame keeps 25 units free at each edge,
// the logo at the top and the signature on the bottom line.
constexpr double kLeft = 25;
constexpr double kWidth = 500;
constexpr double kBottom = 735;

constexpr double kListHeadingTop = 95;
constexpr int kListHeadingSize = 34;
constexpr double kListFirstLine = 185;
constexpr double kListLineStep = 50;
constexpr int kListLineSize = 24;
constexpr double kListIndent = 30;

// Below the ticket logo, which is at most 75 high.
constexpr double kTicketTop = 120;
const QColor kWarningColour(255, 50, 50);

int TicketFontSize(TicketType type) {
    switch (type) {
    case TicketType::Large:
        return 50;
    case TicketType::Body:
        return 29;
    case TicketType::Small:
        return 16;
    }
    return 29;
}

// A text wider than its room is set smaller rather than cut: a name the
// counter typed comes out whole.
QFont FittedFont(const QString& text, int size, bool bold, double room) {
    QFont font = printing::ReportFont(size, bold);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > room && room > 0)
        font.setPixelSize(std::max(1, static_cast<int>(size * room / width)));
    return font;
}

void DrawPriceList(QPainter& painter, const QString& heading,
                   const std::vector<PriceListLine>& lines) {
    painter.setFont(FittedFont(heading, kListHeadingSize, true, kWidth));
    painter.drawText(QRectF(kLeft, kListHeadingTop, kWidth, kListHeadingSize * 1.6),
                     Qt::AlignCenter, heading);
    // A rule between the heading and the prices.
    painter.setPen(QPen(Qt::black, 1));
    const double rule = kListHeadingTop + kListHeadingSize * 1.6 + 10;
    painter.drawLine(QPointF(kLeft + kListIndent, rule),
                     QPointF(kLeft + kWidth - kListIndent, rule));
    double top = kListFirstLine;
    for (const PriceListLine& line : lines) {
        const QString left = FromCp1252(line.left);
        const QString right = FromCp1252(line.right);
        const double room = kWidth - 2 * kListIndent;
        const QRectF box(kLeft + kListIndent, top, room, kListLineStep);
        // The price keeps its place; the words give way when both are long.
        const QFont rightFont = FittedFont(right, kListLineSize, true, room / 2);
        const double rightWidth = QFontMetricsF(rightFont).horizontalAdvance(right);
        painter.setFont(FittedFont(left, kListLineSize, false, room - rightWidth - 20));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, left);
        painter.setFont(rightFont);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, right);
        top += kListLineStep;
    }
}

void DrawTicket(QPainter& painter, const std::vector<TicketLine>& lines) {
    // Lines are spaced generously; a long group closes them up to the type
    // itself so that ten karts still fit above the signature.
    double natural = 0;
    for (const TicketLine& line : lines)
        natural += TicketFontSize(line.type) * 1.7;
    const double room = kBottom - kTicketTop;
    const double spacing = natural <= room ? 1.7 : std::max(1.2, 1.7 * room / natural);
    double top = kTicketTop;
    for (const TicketLine& line : lines) {
        const int size = TicketFontSize(line.type);
        const double height = size * spacing;
        const QString text = FromCp1252(line.text);
        painter.setPen(line.warning ? kWarningColour : QColor(Qt::black));
        const bool bold = line.type == TicketType::Large;
        if (line.kart.empty()) {
            painter.setFont(FittedFont(text, size, bold, kWidth));
            painter.drawText(QRectF(kLeft, top, kWidth, height), Qt::AlignCenter, text);
        } else {
            // The kart in bold, its driver beside it, the pair centred.
            const QString kart = FromCp1252(line.kart) + QLatin1Char(' ');
            const QFont kartFont = printing::ReportFont(size, true);
            const double kartWidth = QFontMetricsF(kartFont).horizontalAdvance(kart);
            const QFont driverFont = FittedFont(text, size, false, kWidth - kartWidth);
            const double driverWidth = QFontMetricsF(driverFont).horizontalAdvance(text);
            const double left = kLeft + (kWidth - kartWidth - driverWidth) / 2;
            painter.setFont(kartFont);
            painter.drawText(QRectF(left, top, kartWidth, height), Qt::AlignLeft | Qt::AlignVCenter,
                             kart);
            painter.setFont(driverFont);
            painter.drawText(QRectF(left + kartWidth, top, driverWidth + 1, height),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        top += height;
    }
}

std::string EnglishFactoryText(int row) {
    const int window = i18n::FindTranslatableWindow(kPricesTextsStem);
    const std::vector<i18n::TranslationRow>& rows = i18n::FactoryRows(window);
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return {};
    return rows[static_cast<std::size_t>(row)]
        .texts[static_cast<std::size_t>(i18n::LanguageCode::English)];
}

std::optional<printing::ReportJob> PriceListFromFolder(const common::WorkingFolder& folder,
                                                       std::optional<int> category,
                                                       common::MessageSink& messages) {
    databases::CategoryTable categories{};
    std::array<std::string, kPriceRows> names{};
    if (category) {
        databases::LoadCategoriesDatabase(folder, categories, messages);
        names = PricedCategoryNames(categories);
        if (*category < 0 || *category >= kPriceRows ||
            names[static_cast<std::size_t>(*category)].empty()) {
            messages.show(kFinancesErrorCaption,
                          // The operator numbers the categories from 1.
                          FormatText("Error : Go-karts category %d not found", *category + 1));
            return std::nullopt;
        }
    }
    // Without its prices file a price list would be a heading over nothing.
    PriceTable prices{};
    if (!LoadPricesDatabase(folder, prices, messages))
        return std::nullopt;
    if (category)
        ZeroUnnamedCategoryRows(prices, names);
    const PriceListTexts texts = LoadPriceListTexts(folder, messages);
    const PriceRow& row = category ? PriceRowOf(prices, *category) : prices.privatePrices;
    return PriceListJob(
        category ? names[static_cast<std::size_t>(*category)] : texts.privateHeading,
        PriceListLines(row, texts.words, CurrencyUnit(CurrentCurrency(prices))), !category);
}

// The session file and the currency of the prices file, both reported
// when missing; without a session there is nothing to print.
struct TicketFiles {
    session::RentalSession rental;
    std::string unit;
};

std::optional<TicketFiles> LoadTicketFiles(const common::WorkingFolder& folder,
                                           common::MessageSink& messages) {
    TicketFiles files;
    session::SessionHeader header;
    session::ClearSession(files.rental);
    if (!session::LoadSessionFile(folder, files.rental, header)) {
        messages.show(session::kSessionFileErrorCaption, session::kSessionFileErrorText);
        return std::nullopt;
    }
    PriceTable prices{};
    LoadPricesDatabase(folder, prices, messages);
    files.unit = CurrencyUnit(CurrentCurrency(prices));
    return files;
}

} // namespace

PriceListTexts LoadPriceListTexts(const common::WorkingFolder& folder,
                                  common::MessageSink& messages) {
    const i18n::TranslatableWindow* window =
        i18n::TranslatableWindowAt(i18n::FindTranslatableWindow(kPricesTextsStem));
    const i18n::WindowTexts texts =
        i18n::OpenWindowTexts(folder, kPricesTextsStem, window ? window->rowCount : kPricesTextRows,
                              i18n::CommonVocabulary::Skip, messages);
    const auto word = [&texts](int row) {
        const std::string& text = texts.labels.text(row, texts.languages.reportCode);
        return text.empty() ? EnglishFactoryText(row) : text;
    };
    return {{word(kRowSession), word(kRowMinutes)}, word(kRowPrivate), texts.languages};
}

printing::ReportJob PriceListJob(const std::string& heading, std::vector<PriceListLine> lines,
                                 bool privateKarts) {
    printing::ReportJob job;
    job.document = privateKarts ? printing::ReportDocument::PricesForPrivateKarts
                                : printing::ReportDocument::PricesForRentalKarts;
    job.pageCount = 1;
    job.drawPage = [heading = FromCp1252(heading), lines = std::move(lines)](
                       QPainter& painter, int) { DrawPriceList(painter, heading, lines); };
    return job;
}

printing::ReportJob TicketJob(std::vector<TicketLine> lines, int copies) {
    printing::ReportJob job;
    job.document = printing::ReportDocument::PrepaidTicket;
    job.pageCount = 1;
    job.logo = printing::ReportLogo::Ticket;
    job.copies = std::max(copies, 1);
    job.drawPage = [lines = std::move(lines)](QPainter& painter, int) {
        DrawTicket(painter, lines);
    };
    return job;
}

printing::ReportPreviewTexts PriceListPreviewTexts(i18n::LanguageCode interfaceCode,
                                                   const std::string& heading) {
    printing::ReportPreviewTexts texts;
    texts.title = FromCp1252(i18n::WindowTitle(i18n::TitledWindow::PriceList, interfaceCode));
    texts.heading = FromCp1252(heading);
    return texts;
}

printing::ReportPreviewTexts TicketPreviewTexts() {
    printing::ReportPreviewTexts texts;
    texts.title = FromCp1252("Ticket r\xE9servation");
    texts.heading = FromCp1252("Ticket de r\xE9servation");
    texts.copies = QStringLiteral("Nombre de copies");
    return texts;
}

QString TicketText(const std::vector<TicketLine>& lines) {
    QStringList rows;
    for (const TicketLine& line : lines)
        rows << FromCp1252(line.kart.empty() ? line.text : line.kart + " " + line.text);
    return rows.join(QLatin1Char('\n'));
}

std::optional<printing::ReportJob> PricesJobFromFolder(const common::WorkingFolder& folder,
                                                       int category,
                                                       common::MessageSink& messages) {
    return PriceListFromFolder(folder, category, messages);
}

std::optional<printing::ReportJob> PrivatePricesJobFromFolder(const common::WorkingFolder& folder,
                                                              common::MessageSink& messages) {
    return PriceListFromFolder(folder, std::nullopt, messages);
}

std::optional<printing::ReportJob> TicketJobFromFolder(const common::WorkingFolder& folder,
                                                       const std::string& kartLabel,
                                                       const common::LocalClock& clock, int copies,
                                                       common::MessageSink& messages) {
    const std::optional<TicketFiles> files = LoadTicketFiles(folder, messages);
    if (!files)
        return std::nullopt;
    // An empty label would find any slot without a kart.
    const std::optional<KartPlace> place =
        kartLabel.empty() ? std::nullopt : FindKartByLabel(files->rental, kartLabel);
    if (!place) {
        messages.show(kFinancesErrorCaption,
                      "Error : Kart " + kartLabel + " not found in the session");
        return std::nullopt;
    }
    return TicketJob(ReservationTicketLines(TicketCategoryName(files->rental, place->category),
                                            files->rental.kart(place->category, place->slot),
                                            files->unit, clock.now()),
                     copies);
}

std::optional<printing::ReportJob> GroupTicketJobFromFolder(const common::WorkingFolder& folder,
                                                            int category,
                                                            const common::LocalClock& clock,
                                                            int copies,
                                                            common::MessageSink& messages) {
    if (category < 0 || category >= session::kCategoryCount) {
        messages.show(kFinancesErrorCaption,
                      FormatText("Error : Go-karts category %d not found", category + 1));
        return std::nullopt;
    }
    const std::optional<TicketFiles> files = LoadTicketFiles(folder, messages);
    if (!files)
        return std::nullopt;
    return TicketJob(GroupTicketLines(TicketCategoryName(files->rental, category),
                                      GroupTicketKarts(files->rental, category,
                                                       {session::TrackState::Free,
                                                        session::TrackState::Reserved}),
                                      files->unit, clock.now()),
                     copies);
}

} // namespace tallimo::finances
