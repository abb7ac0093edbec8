#pragma once

// The one way every report of the program reaches paper, the preview or a
// PDF file. A report is a ReportJob: its document, its page count and a
// function that draws one page in the logical units of the document's
// family. The frame maps the logical page onto the printable area, draws the
// logo and the signature around each page and hands out the pages; the same
// drawing serves the printer, the preview and the PDF file.

#include "common/core/working_folder.h"
#include "printing/core/report_frame.h"

#include <QImage>
#include <QString>

#include <filesystem>
#include <functional>

class QFont;
class QMenu;
class QPagedPaintDevice;
class QPainter;
class QRect;
class QRectF;
class QWidget;

namespace tallimo::printing {

// Which picture heads the pages: the track's logo, or the ticket logo
// ("images/logoBis.bmp", at most 75 units high, a JPEG in disguise
// converted first).
enum class ReportLogo { Standard, Ticket };

struct ReportJob {
    ReportDocument document = ReportDocument::RunSynthesis;
    int pageCount = 0; // a job without pages outputs nothing
    // Page 0 first. The painter's window is the family's logical page.
    std::function<void(QPainter& painter, int page)> drawPage;
    ReportLogo logo = ReportLogo::Standard;
    // The printer's copy count; a PDF file holds the pages this many times,
    // as the printer would hand them out.
    int copies = 1;
};

// Arial at `size` logical units, normal or bold: text scales with the page.
QFont ReportFont(int size, bool bold = false);

class ReportPrinter {
public:
    // The logo is "images/logo.bmp" under `folder`, measured by `pictures`.
    ReportPrinter(common::WorkingFolder folder, PictureLibrary& pictures);

    // Draws page `page` of `job`, frame included, into `area` of any
    // painter (the preview window's page), keeping the page's proportions.
    void paintPage(QPainter& painter, const QRectF& area, const ReportJob& job, int page) const;

    // Draws a picture chosen by the operator (a subscriber's photo) fitted
    // into `box` with its proportions kept, a JPEG through the conversion
    // file; nothing when it cannot be loaded.
    void drawPicture(QPainter& painter, const std::filesystem::path& picture,
                     const QRect& box) const;

    const common::WorkingFolder& folder() const { return m_folder; }

    // Draws every page of `job` on a device already set up (printer or PDF
    // writer). False when painting cannot start (a file that cannot be
    // written) or the job has no pages.
    bool render(QPagedPaintDevice& device, const ReportJob& job) const;

    // The print dialog, in portrait. False when cancelled: nothing printed,
    // nothing said.
    bool print(QWidget* owner, const ReportJob& job) const;

    // The print preview dialog; printing from it goes through render too.
    void preview(QWidget* owner, const ReportJob& job) const;

    // Writes the job as a PDF file (A4 portrait). False when it cannot.
    bool writePdf(const std::filesystem::path& file, const ReportJob& job) const;

    // Asks for the PDF file, proposing the document's name in the working
    // folder, and writes it. False when cancelled or not written.
    bool savePdf(QWidget* owner, const ReportJob& job) const;

private:
    struct Logo {
        QImage image;
        LogicalRect place;
    };
    Logo loadLogo(const ReportJob& job) const;
    // The logo, the page's drawing and the signature, in logical units.
    void drawFrame(QPainter& painter, const ReportJob& job, const Logo& logo, int page) const;

    common::WorkingFolder m_folder;
    PictureLibrary& m_pictures;
};

enum class ReportOutput { Print, Preview, Pdf };

// Sends `job` to the chosen output.
bool OutputReport(const ReportPrinter& printer, QWidget* owner, ReportOutput output,
                  const ReportJob& job);

// Adds a submenu `title` to a window's print popup with "Imprimer",
// "Aperçu" and "PDF" (object names printAction, previewAction, pdfAction);
// choosing one calls `chosen`. Returns the submenu, owned by `menu`.
QMenu* AddReportOutputMenu(QMenu& menu, const QString& title,
                           std::function<void(ReportOutput)> chosen);

} // namespace tallimo::printing
