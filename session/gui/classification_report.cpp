#include "session/gui/classification_report.h"

#include "common/gui/text_conversion.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <memory>
#include <utility>
#include <vector>

namespace tallimo::session {
namespace {

// The classification family's page (700 x 900): the logo heads it from
// (25, 25) down to 75 at most, the signature closes it near 875.
constexpr int kLeft = 35;
constexpr int kRight = 665;
constexpr int kHeadingTop = 84;
constexpr int kTitleTop = 120;
constexpr int kTrackTop = 152;
constexpr int kUpperRuleY = 182;
constexpr int kColumnsTop = 184;
constexpr int kColumnsHeight = 22;
constexpr int kLowerRuleY = 207;
constexpr int kRowsTop = 212;
constexpr int kRowHeight = 20;
constexpr int kPageNumberTop = 826;

// "Pos", "Kart", "Pilote", "Team", "Catégorie", "Tours", "Temps", "Meilleur".
constexpr std::array<int, kPrintedColumns.size()> kWidths = {40, 50, 155, 100, 100, 45, 75, 65};
constexpr std::array<bool, kPrintedColumns.size()> kRightAligned = {true,  false, false, false,
                                                                    false, true,  true,  true};

struct PrintedRanking {
    std::vector<ClassificationPrintedPage> pages;
    std::string title;
    std::string trackLine;
    std::string dateLine;
};

QString Text(const std::string& cp1252) {
    return common::FromCp1252(cp1252);
}

template <typename Texts> void DrawColumns(QPainter& painter, int top, const Texts& texts) {
    int x = kLeft;
    for (std::size_t i = 0; i < kWidths.size(); ++i) {
        const int gap = 6; // between neighbouring columns
        const QRect cell(x + gap / 2, top, kWidths[i] - gap, kRowHeight);
        painter.drawText(cell,
                         Qt::AlignVCenter | Qt::TextSingleLine |
                             (kRightAligned[i] ? Qt::AlignRight : Qt::AlignLeft),
                         Text(texts[i]));
        x += kWidths[i];
    }
}

void DrawPage(QPainter& painter, const PrintedRanking& ranking, int page) {
    if (page < 0 || static_cast<std::size_t>(page) >= ranking.pages.size())
        return;
    const ClassificationPrintedPage& printed = ranking.pages[static_cast<std::size_t>(page)];
    const int width = kRight - kLeft;
    painter.setPen(QPen(Qt::black, 1));

    painter.setFont(printing::ReportFont(24, true));
    painter.drawText(QRect(kLeft, kHeadingTop, width, 32), Qt::AlignCenter,
                     Text(kClassificationPrintedHeading));
    painter.setFont(printing::ReportFont(16, true));
    painter.drawText(QRect(kLeft, kTitleTop, width, 24), Qt::AlignCenter, Text(ranking.title));
    painter.setFont(printing::ReportFont(13));
    painter.drawText(QRect(kLeft, kTrackTop, width / 2, 20), Qt::AlignVCenter | Qt::AlignLeft,
                     Text(ranking.trackLine));
    painter.drawText(QRect(kLeft + width / 2, kTrackTop, width / 2, 20),
                     Qt::AlignVCenter | Qt::AlignRight, Text(ranking.dateLine));

    painter.drawLine(kLeft, kUpperRuleY, kRight, kUpperRuleY);
    painter.setFont(printing::ReportFont(13, true));
    std::array<std::string, kPrintedColumns.size()> headings;
    for (std::size_t i = 0; i < kPrintedColumns.size(); ++i)
        headings[i] = kClassificationHeadings[static_cast<std::size_t>(kPrintedColumns[i])];
    DrawColumns(painter, kColumnsTop + (kColumnsHeight - kRowHeight) / 2, headings);
    painter.drawLine(kLeft, kLowerRuleY, kRight, kLowerRuleY);

    painter.setFont(printing::ReportFont(13));
    int top = kRowsTop;
    for (std::size_t row = 0; row < printed.rows.size(); ++row) {
        if (row % 2 == 1)
            painter.fillRect(QRect(kLeft, top, width, kRowHeight), QColor(232, 232, 232));
        DrawColumns(painter, top, printed.rows[row]);
        top += kRowHeight;
    }
    painter.drawLine(kLeft, top + 2, kRight, top + 2);

    painter.setFont(printing::ReportFont(12));
    painter.drawText(QRect(kLeft, kPageNumberTop, width, 20), Qt::AlignCenter,
                     Text(PageNumberText(printed.number, printed.count)));
}

} // namespace

printing::ReportJob MakeClassificationJob(const ClassificationTable& shown,
                                          std::string printedTitle, std::string trackLine,
                                          std::string dateLine) {
    auto ranking = std::make_shared<PrintedRanking>();
    ranking->pages = ClassificationPages(shown);
    ranking->title = std::move(printedTitle);
    ranking->trackLine = std::move(trackLine);
    ranking->dateLine = std::move(dateLine);
    printing::ReportJob job;
    job.document = printing::ReportDocument::SessionClassification;
    job.pageCount = static_cast<int>(ranking->pages.size());
    job.drawPage = [ranking](QPainter& painter, int page) { DrawPage(painter, *ranking, page); };
    return job;
}

} // namespace tallimo::session
