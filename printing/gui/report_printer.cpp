#include "printing/gui/report_printer.h"

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

#include <utility>

namespace tallimo::printing {
namespace {

constexpr int kSignatureFontSize = 12;
constexpr int kPdfResolution = 600;

QString PathText(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(name.data()),
                             static_cast<qsizetype>(name.size()));
}

std::filesystem::path PathOf(const QString& text) {
    const QByteArray name = text.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(name.constData()),
                                               static_cast<std::size_t>(name.size())));
}

QRect ToQRect(const LogicalRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

void SetUpPrinter(QPrinter& printer, const ReportJob& job) {
    printer.setDocName(QString::fromLatin1(DocumentName(job.document)));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);
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

bool ReportPrinter::render(QPagedPaintDevice& device, const ReportJob& job) const {
    if (job.pageCount <= 0 || !job.drawPage)
        return false;
    const ReportFamily family = FamilyOf(job.document);
    const PictureSize logical = LogicalPageSize(family);

    // The logo is read once for all pages; whatever fails, the report goes
    // on without it.
    QImage logo;
    LogicalRect logoRect;
    const std::filesystem::path logoPath = m_folder.path(kLogoFile);
    if (const std::optional<PictureSize> measured = m_pictures.measure(logoPath)) {
        logoRect = LogoPlacement(family, *measured);
        if (!logoRect.empty())
            logo.load(PathText(logoPath));
    }

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
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!logo.isNull())
            painter.drawImage(ToQRect(logoRect), logo);

        painter.save();
        painter.setPen(Qt::black);
        job.drawPage(painter, page);
        painter.restore();

        painter.setPen(Qt::black);
        painter.setFont(ReportFont(kSignatureFontSize));
        painter.drawText(ToQRect(SignatureBox(family)), Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromLatin1(SignatureLine(family)));
    }
    return painter.end();
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
    return render(writer, job);
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
