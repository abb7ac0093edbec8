#include "printing/gui/report_printer.h"

#include "common/gui/text_conversion.h"

#include <QAction>
#include <QFileDialog>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace tallimo::printing {
namespace {

using common::PathOf;
using common::PathText;

constexpr int kSignatureFontSize = 12;
constexpr int kPdfResolution = 600;
constexpr int kMostCopies = 99;

QRect ToQRect(const LogicalRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

void SetUpPrinter(QPrinter& printer, const ReportJob& job) {
    printer.setDocName(QString::fromLatin1(DocumentName(job.document)));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(std::clamp(job.copies, 1, kMostCopies));
    printer.setFromTo(1, 1);
}

} // namespace

QFont ReportFont(int size, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(size);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // Hinting fits glyphs to whole logical units, which are far coarser
    // than the printer's pixels: the text would come out uneven.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportPrinter::ReportPrinter(common::WorkingFolder folder, PictureLibrary& pictures)
    : m_folder(std::move(folder)), m_pictures(pictures) {}

ReportPrinter::Logo ReportPrinter::loadLogo(const ReportJob& job) const {
    // Whatever fails, the report goes on without its logo.
    Logo logo;
    std::filesystem::path file;
    if (job.logo == ReportLogo::Ticket) {
        file = m_folder.path(kTicketLogoFile);
        // The ticket logo may be a JPEG saved under the BMP name.
        if (LooksLikeJpeg(file)) {
            const std::filesystem::path converted = m_folder.path(kConvertedJpegFile);
            if (!m_pictures.convertJpegToBmp(file, converted))
                return logo;
            file = converted;
        }
    } else {
        file = m_folder.path(kLogoFile);
    }
    const std::optional<PictureSize> measured = m_pictures.measure(file);
    if (!measured)
        return logo;
    logo.place = job.logo == ReportLogo::Ticket ? TicketLogoPlacement(*measured)
                                                : LogoPlacement(FamilyOf(job.document), *measured);
    if (!logo.place.empty())
        logo.image.load(PathText(file));
    return logo;
}

void ReportPrinter::drawFrame(QPainter& painter, const ReportJob& job, const Logo& logo,
                              int page) const {
    const ReportFamily family = FamilyOf(job.document);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!logo.image.isNull())
        painter.drawImage(ToQRect(logo.place), logo.image);

    painter.save();
    painter.setPen(Qt::black);
    job.drawPage(painter, page);
    painter.restore();

    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(kSignatureFontSize));
    painter.drawText(ToQRect(SignatureBox(family)), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromLatin1(SignatureLine(family)));
    painter.restore();
}

bool ReportPrinter::render(QPagedPaintDevice& device, const ReportJob& job) const {
    if (job.pageCount <= 0 || !job.drawPage)
        return false;
    const PictureSize logical = LogicalPageSize(FamilyOf(job.document));
    const Logo logo = loadLogo(job);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 0; page < job.pageCount; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        const PageMapping mapping = MapLogicalPage(logical, device.width(), device.height());
        painter.resetTransform();
        painter.setWindow(0, 0, logical.width, logical.height);
        painter.setViewport(0, 0, qRound(mapping.width), qRound(mapping.height));
        drawFrame(painter, job, logo, page);
    }
    return painter.end();
}

void ReportPrinter::paintPage(QPainter& painter, const QRectF& area, const ReportJob& job,
                              int page) const {
    if (page < 0 || page >= job.pageCount || !job.drawPage)
        return;
    const PictureSize logical = LogicalPageSize(FamilyOf(job.document));
    const PageMapping mapping = MapLogicalPage(logical, area.width(), area.height());
    if (mapping.scale <= 0)
        return;
    painter.save();
    // Centred in the area, on white as on paper.
    painter.translate(area.x() + (area.width() - mapping.width) / 2,
                      area.y() + (area.height() - mapping.height) / 2);
    painter.scale(mapping.scale, mapping.scale);
    painter.fillRect(QRectF(0, 0, logical.width, logical.height), Qt::white);
    painter.setClipRect(QRectF(0, 0, logical.width, logical.height));
    drawFrame(painter, job, loadLogo(job), page);
    painter.restore();
}

void ReportPrinter::drawPicture(QPainter& painter, const std::filesystem::path& picture,
                                const QRect& box) const {
    const std::optional<std::filesystem::path> bitmap = BitmapToDraw(m_pictures, m_folder, picture);
    if (!bitmap)
        return;
    const std::optional<PictureSize> measured = m_pictures.measure(*bitmap);
    QImage image;
    if (!measured || !image.load(PathText(*bitmap)))
        return;
    const PictureSize fitted = FitPicture(*measured, {box.width(), box.height()});
    if (fitted.width <= 0 || fitted.height <= 0)
        return;
    painter.drawImage(QRect(box.x() + (box.width() - fitted.width) / 2,
                            box.y() + (box.height() - fitted.height) / 2, fitted.width,
                            fitted.height),
                      image);
}

bool ReportPrinter::print(QWidget* owner, const ReportJob& job) const {
    if (job.pageCount <= 0)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, job);
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("printDialog"));
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return render(printer, job);
}

void ReportPrinter::preview(QWidget* owner, const ReportJob& job) const {
    if (job.pageCount <= 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, job);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &job](QPrinter* target) { render(*target, job); });
    dialog.exec();
}

bool ReportPrinter::writePdf(const std::filesystem::path& file, const ReportJob& job) const {
    if (job.pageCount <= 0)
        return false;
    QPdfWriter writer(PathText(file));
    writer.setResolution(kPdfResolution);
    writer.setTitle(QString::fromLatin1(DocumentName(job.document)));
    writer.setCreator(QStringLiteral("Tallimo"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    // A file has no copy count: it holds every copy the printer would give.
    const int copies = std::clamp(job.copies, 1, kMostCopies);
    if (copies == 1)
        return render(writer, job);
    ReportJob every = job;
    every.pageCount = job.pageCount * copies;
    every.drawPage = [draw = job.drawPage, pages = job.pageCount](QPainter& painter, int page) {
        draw(painter, page % pages);
    };
    return render(writer, every);
}

bool ReportPrinter::savePdf(QWidget* owner, const ReportJob& job) const {
    if (job.pageCount <= 0)
        return false;
    const QString proposed = PathText(m_folder.path(PdfFileName(job.document)));
    const QString chosen = QFileDialog::getSaveFileName(owner, QStringLiteral("PDF"), proposed,
                                                        QStringLiteral("PDF (*.pdf)"));
    if (chosen.isEmpty())
        return false;
    return writePdf(PathOf(chosen), job);
}

bool OutputReport(const ReportPrinter& printer, QWidget* owner, ReportOutput output,
                  const ReportJob& job) {
    switch (output) {
    case ReportOutput::Print:
        return printer.print(owner, job);
    case ReportOutput::Preview:
        printer.preview(owner, job);
        return true;
    case ReportOutput::Pdf:
        return printer.savePdf(owner, job);
    }
    return false;
}

QMenu* AddReportOutputMenu(QMenu& menu, const QString& title,
                           std::function<void(ReportOutput)> chosen) {
    QMenu* outputs = menu.addMenu(title);
    const struct {
        const char* name;
        QString text;
        ReportOutput output;
    } entries[] = {
        {"printAction", QStringLiteral("Imprimer"), ReportOutput::Print},
        {"previewAction", QStringLiteral("Aperçu"), ReportOutput::Preview},
        {"pdfAction", QStringLiteral("PDF"), ReportOutput::Pdf},
    };
    for (const auto& entry : entries) {
        QAction* action = outputs->addAction(entry.text);
        action->setObjectName(QString::fromLatin1(entry.name));
        QObject::connect(action, &QAction::triggered, outputs,
                         [chosen, output = entry.output] { chosen(output); });
    }
    return outputs;
}

} // namespace tallimo::printing
