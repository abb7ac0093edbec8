#include "printing/gui/report_preview.h"

#include "common/gui/text_conversion.h"

#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tallimo::printing {
namespace {

using common::PathText;

constexpr int kCopiesLength = 2;
constexpr const char* kPrintPicture = "images/impression.bmp";
// The page on screen: a sheet at about two thirds of its logical size
// fits every screen the counter has.
constexpr int kViewWidth = 385;
constexpr int kViewHeight = 560;

QPushButton* Button(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

// The page as it prints, redrawn from the job whenever it shows.
class ReportPageView final : public QWidget {
public:
    ReportPageView(const ReportPrinter& printer, QWidget* parent)
        : QWidget(parent), m_printer(printer) {
        setObjectName(QStringLiteral("previewPage"));
        setMinimumSize(kViewWidth, kViewHeight);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    void show(const ReportJob& job, int page) {
        m_job = job;
        m_page = page;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setPen(Qt::gray);
        m_printer.paintPage(painter, QRectF(rect()).adjusted(4, 4, -4, -4), m_job, m_page);
    }

private:
    const ReportPrinter& m_printer;
    ReportJob m_job;
    int m_page = 0;
};

ReportPreviewWindow::ReportPreviewWindow(const ReportPrinter& printer, ReportJob job,
                                         ReportPreviewTexts texts, QWidget* parent)
    : QDialog(parent), m_printer(printer) {
    setObjectName(QStringLiteral("reportPreviewWindow"));
    setWindowTitle(texts.title);

    m_heading = new QLabel(texts.heading, this);
    m_heading->setObjectName(QStringLiteral("previewHeading"));
    QFont headingFont = m_heading->font();
    headingFont.setPointSize(headingFont.pointSize() + 4);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_heading->setAlignment(Qt::AlignCenter);

    m_view = new ReportPageView(m_printer, this);

    m_previous = Button("previousPageButton", QStringLiteral("<"), this);
    m_next = Button("nextPageButton", QStringLiteral(">"), this);
    auto* print = Button("printButton", texts.print, this);
    const QString picture = PathText(m_printer.folder().path(kPrintPicture));
    if (QFile::exists(picture))
        print->setIcon(QIcon(picture));
    auto* pdf = Button("pdfButton", texts.pdf, this);
    auto* escape = Button("escapeButton", texts.escape, this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    if (!texts.copies.isEmpty()) {
        auto* copiesLabel = new QLabel(texts.copies, this);
        copiesLabel->setObjectName(QStringLiteral("copiesLabel"));
        m_copies = new QLineEdit(QStringLiteral("1"), this);
        m_copies->setObjectName(QStringLiteral("copiesEdit"));
        m_copies->setMaxLength(kCopiesLength);
        m_copies->setValidator(new QIntValidator(0, 99, m_copies));
        m_copies->setFixedWidth(m_copies->fontMetrics().horizontalAdvance(QStringLiteral("000")) +
                                12);
        copiesLabel->setBuddy(m_copies);
        buttons->addWidget(copiesLabel);
        buttons->addWidget(m_copies);
    }
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addWidget(escape);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(print, &QPushButton::clicked, this, [this] { m_printer.print(this, this->job()); });
    connect(pdf, &QPushButton::clicked, this, [this] { m_printer.savePdf(this, this->job()); });
    connect(escape, &QPushButton::clicked, this, &QDialog::reject);

    setJob(std::move(job));
}

void ReportPreviewWindow::setJob(ReportJob job) {
    m_job = std::move(job);
    showPage(std::clamp(m_page, 0, std::max(m_job.pageCount - 1, 0)));
}

ReportJob ReportPreviewWindow::job() const {
    ReportJob printed = m_job;
    if (m_copies)
        printed.copies = std::max(m_copies->text().toInt(), 1);
    return printed;
}

void ReportPreviewWindow::showPage(int page) {
    m_page = std::clamp(page, 0, std::max(m_job.pageCount - 1, 0));
    m_previous->setVisible(m_job.pageCount > 1);
    m_next->setVisible(m_job.pageCount > 1);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < m_job.pageCount);
    m_view->show(m_job, m_page);
}

} // namespace tallimo::printing
