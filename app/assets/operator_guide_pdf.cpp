#include "app/assets/operator_guide_pdf.h"

#include "app/assets/board_pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace tallimo::app::assets {
namespace {

constexpr int kResolution = 300; // dots per inch of the page layout
constexpr double kMargin = 200.0;
const QColor kNavy(22, 44, 92);
const QColor kOrange(240, 120, 20);
const QColor kBodyText(40, 40, 45);
const char kDocumentTitle[] = "Tallimo Pistara - Guide de l'opérateur";
const char kFixedDate[] = "(D:20250101000000)";

QFont guideFont(double points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// French typography: guillemets and the high punctuation are kept on the
// line of the word they belong to.
QString fromUtf8(const std::string& text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QChar nbsp(0x00A0);
    result.replace(QStringLiteral("« "), QString(QChar(0x00AB)) + nbsp);
    result.replace(QStringLiteral(" »"), QString(nbsp) + QChar(0x00BB));
    for (const char* mark : {" :", " ;", " !", " ?"})
        result.replace(QString::fromLatin1(mark), QString(nbsp) + QChar::fromLatin1(mark[1]));
    return result;
}

class PageLayouter {
public:
    PageLayouter(QPainter& painter, double width, double height)
        : m_painter(painter), m_width(width), m_height(height) {}

    double contentBottom() const { return m_height - 260.0; }

    void drawFrame(int pageNumber, int pageCount) {
        drawLogo(m_painter, QRectF(kMargin, 70.0, 470.0, 120.0));
        m_painter.setFont(guideFont(10, false));
        m_painter.setPen(QColor(110, 110, 120));
        m_painter.drawText(QRectF(kMargin, 70.0, m_width - 2 * kMargin, 120.0),
                           Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Guide de l'opérateur"));
        m_painter.setPen(QPen(kOrange, 8.0));
        m_painter.drawLine(QPointF(kMargin, 220.0), QPointF(m_width - kMargin, 220.0));

        const double footerTop = m_height - 200.0;
        m_painter.setPen(QPen(QColor(190, 190, 195), 3.0));
        m_painter.drawLine(QPointF(kMargin, footerTop), QPointF(m_width - kMargin, footerTop));
        m_painter.setFont(guideFont(9, false));
        m_painter.setPen(QColor(110, 110, 120));
        const QRectF footer(kMargin, footerTop + 20.0, m_width - 2 * kMargin, 80.0);
        m_painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Tallimo Pistara - location de karts"));
        m_painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Page %1 / %2").arg(pageNumber).arg(pageCount));
    }

    // Returns the y below the drawn page content.
    double drawContent(const GuidePage& page) {
        double y = 300.0;
        y = block(y, 0.0, guideFont(22, true), kNavy, fromUtf8(page.title)) + 50.0;
        for (const GuideSection& section : page.sections) {
            y = block(y, 0.0, guideFont(14, true), kNavy, fromUtf8(section.heading)) + 20.0;
            int stepNumber = 0;
            for (const GuideParagraph& paragraph : section.paragraphs) {
                const QString text = fromUtf8(paragraph.text);
                switch (paragraph.kind) {
                case GuideParagraph::Kind::Text:
                    y = block(y, 0.0, guideFont(12, false), kBodyText, text);
                    break;
                case GuideParagraph::Kind::Bullet:
                    marker(y, QStringLiteral("•"));
                    y = block(y, 90.0, guideFont(12, false), kBodyText, text);
                    break;
                case GuideParagraph::Kind::Step:
                    marker(y, QStringLiteral("%1.").arg(++stepNumber));
                    y = block(y, 90.0, guideFont(12, false), kBodyText, text);
                    break;
                }
                y += 22.0;
            }
            y += 45.0;
        }
        return y;
    }

private:
    double block(double y, double indent, const QFont& font, QColor colour, const QString& text) {
        m_painter.setFont(font);
        m_painter.setPen(colour);
        const QRectF area(kMargin + indent, y, m_width - 2 * kMargin - indent, m_height);
        const QRectF used = m_painter.boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft, text);
        m_painter.drawText(area, Qt::TextWordWrap | Qt::AlignLeft, text);
        return y + used.height();
    }

    void marker(double y, const QString& text) {
        m_painter.setFont(guideFont(12, true));
        m_painter.setPen(kOrange);
        m_painter.drawText(QRectF(kMargin + 10.0, y, 80.0, 80.0), Qt::AlignLeft | Qt::AlignTop,
                           text);
    }

    QPainter& m_painter;
    double m_width;
    double m_height;
};

} // namespace

GuideRendering renderOperatorGuide(const std::vector<GuidePage>& pages) {
    GuideRendering result;
    if (pages.empty()) {
        result.error = "the guide has no page";
        return result;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setCreator(QStringLiteral("Tallimo Pistara"));
        writer.setTitle(QString::fromUtf8(kDocumentTitle));

        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing, true);
        PageLayouter layouter(painter, writer.width(), writer.height());
        const int count = static_cast<int>(pages.size());
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                writer.newPage();
            layouter.drawFrame(i + 1, count);
            if (layouter.drawContent(pages[static_cast<std::size_t>(i)]) >
                layouter.contentBottom()) {
                result.error = "the text of page " + std::to_string(i + 1) + " (" +
                               pages[static_cast<std::size_t>(i)].title + ") does not fit on it";
            }
        }
        painter.end();
        result.pages = count;
    }
    if (!result.error.empty())
        return result;
    result.pdf = withFixedCreationDate(bytes);
    return result;
}

QByteArray withFixedCreationDate(const QByteArray& pdf) {
    static const QByteArray key("/CreationDate ");
    const qsizetype keyAt = pdf.indexOf(key);
    if (keyAt < 0)
        return pdf;
    const qsizetype open = keyAt + key.size();
    if (open >= pdf.size() || pdf[open] != '(')
        return pdf;
    const qsizetype close = pdf.indexOf(')', open);
    const qsizetype fixedLength = static_cast<qsizetype>(sizeof kFixedDate - 1);
    if (close < 0 || close + 1 - open < fixedLength)
        return pdf;
    QByteArray replacement(kFixedDate);
    replacement.append(QByteArray(close + 1 - open - fixedLength, ' '));
    QByteArray fixed = pdf;
    fixed.replace(open, close + 1 - open, replacement);
    return fixed;
}

bool writeOperatorGuide(const std::filesystem::path& path, std::string& error) {
    const GuideRendering rendering = renderOperatorGuide(operatorGuidePages());
    if (!rendering.error.empty()) {
        error = rendering.error;
        return false;
    }
    QFile file(QString::fromStdU16String(path.u16string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(rendering.pdf) != rendering.pdf.size()) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

} // namespace tallimo::app::assets
