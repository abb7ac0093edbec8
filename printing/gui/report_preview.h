#pragma once

// The preview window every small printout opens first (price lists,
// tickets, discount and loyalty lists, subscriber sheets and forms): a
// heading, the page as it will print, "Imprimer", "PDF" and "Echap", and
// for the tickets and forms the number of copies. Printing and the PDF go
// through the report frame, so the preview is exactly what comes out.

#include "printing/gui/report_printer.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallimo::printing {

struct ReportPreviewTexts {
    QString title{};   // the window's title
    QString heading{}; // above the page
    QString print = QStringLiteral("Imprimer");
    QString pdf = QStringLiteral("PDF");
    QString escape = QStringLiteral("Echap");
    // The copies label ("Nombre de copies"); empty: no copies edit.
    QString copies{};
};

class ReportPageView;

// Object names: previewHeading, previewPage, printButton, pdfButton,
// copiesEdit (digits only, at most 2, initially 1), escapeButton, and
// previousPageButton / nextPageButton for a job of several pages.
class ReportPreviewWindow final : public QDialog {
    Q_OBJECT
public:
    ReportPreviewWindow(const ReportPrinter& printer, ReportJob job, ReportPreviewTexts texts,
                        QWidget* parent = nullptr);

    // A window that stays open beside its source (the tickets) shows the
    // source's latest state.
    void setJob(ReportJob job);

    // The job as it prints: the copies of the edit applied (1 when empty or 0).
    ReportJob job() const;
    int page() const { return m_page; }

private:
    void showPage(int page);

    const ReportPrinter& m_printer;
    ReportJob m_job;
    int m_page = 0;
    QLabel* m_heading = nullptr;
    ReportPageView* m_view = nullptr;
    QLineEdit* m_copies = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace tallimo::printing
