#include "runs/gui/run_reports.h"

#include "common/gui/text_conversion.h"
#include "printing/gui/freeimage_picture_library.h"
#include "printing/gui/tool_application.h"
#include "runs/gui/run_views.h"

#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>

#include <cstdlib>

namespace tallimo::runs {
namespace {

using printing::ReportFont;

// Logical units of the 630 x 1120 run-report page; the frame's logo takes
// (25, 25)-(225, 75) and its signature the bottom line above 1095.
constexpr int kLeft = 25;
constexpr int kWidth = 580;
constexpr int kHeaderLinesX = 250;
constexpr int kRuleY = 122;

const QColor kBandColour(228, 232, 238);
const QColor kRuleColour(120, 120, 120);
const QColor kStripeColour(243, 245, 248);

void DrawHeader(QPainter& painter, const RunReportHeader& header) {
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(13));
    const std::string* lines[] = {&header.trackLine, &header.categoryLine, &header.dateLine};
    int y = 27;
    for (const std::string* line : lines) {
        painter.drawText(QRect(kHeaderLinesX, y, kLeft + kWidth - kHeaderLinesX, 16),
                         Qt::AlignLeft | Qt::AlignVCenter, common::FromCp1252(*line));
        y += 16;
    }
    painter.setFont(ReportFont(21, true));
    painter.drawText(QRect(kLeft, 84, kWidth, 30), Qt::AlignCenter,
                     common::FromCp1252(header.driverLine));
    painter.setPen(QPen(kRuleColour, 1));
    painter.drawLine(kLeft, kRuleY, kLeft + kWidth, kRuleY);
}

// A section title on a light band.
void DrawSectionTitle(QPainter& painter, int y, const QString& title) {
    const QRect band(kLeft, y, kWidth, 24);
    painter.fillRect(band, kBandColour);
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(14, true));
    painter.drawText(band.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
}

void DrawSynthesis(QPainter& painter, const DriverRun& run, int from, int to) {
    struct Section {
        const char* title;
        int top;
        int viewHeight;
        void (*paint)(QPainter&, const QRectF&, const DriverRun&, int, int);
    };
    const Section sections[] = {
        {"Synthèse du run entre tour %d et tour %d", 134, 250, PaintRunSynthesis},
        {"Histogramme des temps au tour entre tour %d et tour %d", 424, 270, PaintRunHistogram},
        {"Evolution des temps au tour entre tour %d et tour %d", 734, 300, PaintRunCurve},
    };
    for (const Section& section : sections) {
        DrawSectionTitle(painter, section.top, QString::asprintf(section.title, from, to));
        painter.save();
        section.paint(painter, QRectF(kLeft, section.top + 30, kWidth, section.viewHeight), run,
                      from, to);
        painter.restore();
    }
}

void DrawDetail(QPainter& painter, const std::vector<DetailEntry>& entries, int page,
                const QString& title) {
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(17, true));
    painter.drawText(QRect(kLeft, 134, kWidth, 28), Qt::AlignCenter, title);

    constexpr int top = 178;
    constexpr int rowHeight = 34;
    constexpr int columnWidth = kWidth / kDetailColumns;
    const printing::EntrySpan span =
        printing::EntriesOnPage(static_cast<int>(entries.size()), kDetailEntriesPerPage, page);
    for (int row = 0; row < kDetailRows; row += 2)
        painter.fillRect(QRect(kLeft, top + row * rowHeight, kWidth, rowHeight), kStripeColour);
    painter.setPen(QPen(kRuleColour, 1));
    painter.drawRect(QRect(kLeft, top, kWidth, kDetailRows * rowHeight));
    for (int column = 1; column < kDetailColumns; ++column)
        painter.drawLine(kLeft + column * columnWidth, top, kLeft + column * columnWidth,
                         top + kDetailRows * rowHeight);

    painter.setPen(Qt::black);
    const QFont labelFont = ReportFont(14, true);
    const QFont timeFont = ReportFont(14);
    for (int i = 0; i < span.count; ++i) {
        const DetailEntry& entry = entries[static_cast<std::size_t>(span.first + i)];
        const int x = kLeft + (i / kDetailRows) * columnWidth;
        const int y = top + (i % kDetailRows) * rowHeight;
        painter.setFont(labelFont);
        painter.drawText(QRect(x + 10, y, 50, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(entry.label));
        painter.setFont(timeFont);
        painter.drawText(QRect(x + 55, y, columnWidth - 65, rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(entry.time));
    }
}

printing::ReportDocument DocumentOf(RunReportKind kind) {
    switch (kind) {
    case RunReportKind::Synthesis:
        return printing::ReportDocument::RunSynthesis;
    case RunReportKind::Laps:
        return printing::ReportDocument::LapDetail;
    case RunReportKind::Passings:
        return printing::ReportDocument::PassingDetail;
    }
    return printing::ReportDocument::RunSynthesis;
}

} // namespace

printing::ReportJob MakeRunReportJob(const DriverRun& run, const RunReportHeader& header, int from,
                                     int to, RunReportKind kind) {
    printing::ReportJob job;
    job.document = DocumentOf(kind);
    const int last = UsableLastLap(run);
    if (last <= 0)
        return job;
    if (kind == RunReportKind::Synthesis) {
        job.pageCount = 1;
        job.drawPage = [run, header, from, to](QPainter& painter, int) {
            DrawHeader(painter, header);
            DrawSynthesis(painter, run, from, to);
        };
        return job;
    }
    std::vector<DetailEntry> entries = RunDetailEntries(run, kind);
    job.pageCount = printing::PageCount(static_cast<int>(entries.size()), kDetailEntriesPerPage);
    const QString title = kind == RunReportKind::Laps
                              ? QStringLiteral("Détail des temps au tour")
                              : QStringLiteral("Détail des temps de passages");
    job.drawPage = [header, entries = std::move(entries), title](QPainter& painter, int page) {
        DrawHeader(painter, header);
        DrawDetail(painter, entries, page, title);
    };
    return job;
}

PdfRunReportWriter::PdfRunReportWriter(common::WorkingFolder folder)
    : m_folder(std::move(folder)) {}

PdfRunReportWriter::~PdfRunReportWriter() = default;

bool PdfRunReportWriter::writePdf(const DriverRun& run, const RunReportHeader& header,
                                  LapRange range, RunReportKind kind,
                                  const std::filesystem::path& pdf) {
    if (!m_application)
        m_application = printing::StartToolApplicationIfNone();
    const printing::ReportJob job = MakeRunReportJob(run, header, range.from, range.to, kind);
    if (job.pageCount <= 0)
        return false;
    const printing::FreeImageSession session;
    printing::FreeImagePictureLibrary pictures;
    const printing::ReportPrinter printer(m_folder, pictures);
    return printer.writePdf(pdf, job);
}

} // namespace tallimo::runs
