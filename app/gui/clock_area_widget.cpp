#include "app/gui/clock_area_widget.h"

#include "app/gui/board_rendering.h"

#include "common/gui/text_conversion.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tallimo::app {
namespace {

const QColor kBackground(220, 220, 220);
const QColor kRunning(0, 160, 0);
const QColor kPaused(230, 0, 0);

QFont ClockFont(int pixelSize, QFont::Weight weight) {
    return SansFont(pixelSize, weight);
}

// The largest pixel size at which `sample` fits `room`, at most `ceiling`.
int FittingPixelSize(const QString& sample, QSize room, int ceiling, QFont::Weight weight) {
    const QFont probe = ClockFont(100, weight);
    const QFontMetrics metrics(probe);
    const int advance = std::max(1, metrics.horizontalAdvance(sample));
    const int byWidth = room.width() * 100 / advance;
    const int byHeight = room.height() * 100 / std::max(1, metrics.height());
    return std::max(6, std::min({ceiling, byWidth, byHeight}));
}

QString ClockSample(int characters) {
    const QString pattern = QStringLiteral("00:00:00.000");
    if (characters > pattern.size())
        return QString(characters, QLatin1Char('0'));
    return pattern.left(std::max(8, characters));
}

} // namespace

ClockAreaWidget::ClockAreaWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("clockArea"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_texts[0] = QStringLiteral("24:00:00");
    m_texts[1] = m_texts[2] = QStringLiteral("0:00:00");
    setCaptions(QString::fromUtf8("Durée"), QString::fromUtf8("Écoulé"), QStringLiteral("Restant"));
    prepareFonts();
}

void ClockAreaWidget::setRunning(bool running) {
    if (m_running == running)
        return;
    m_running = running;
    update(statusRect());
}

void ClockAreaWidget::setClockTexts(const std::string& duration, const std::string& elapsed,
                                    const std::string& remaining) {
    const QString texts[3] = {common::FromCp1252(duration), common::FromCp1252(elapsed),
                              common::FromCp1252(remaining)};
    int longest = m_sampleChars;
    for (const QString& text : texts)
        longest = std::max<int>(longest, static_cast<int>(text.size()));
    if (longest != m_sampleChars) {
        m_sampleChars = longest;
        prepareFonts();
        update();
    }
    for (int i = 0; i < 3; ++i) {
        if (m_texts[i] == texts[i])
            continue;
        m_texts[i] = texts[i];
        update(clockRect(i, false));
    }
}

void ClockAreaWidget::setCaptions(const QString& duration, const QString& elapsed,
                                  const QString& remaining) {
    m_captions[0] = duration;
    m_captions[1] = elapsed;
    m_captions[2] = remaining;
    update();
}

// The status takes the top third; the three clocks share the rest side by
// side, each a small caption over a large time.
QRect ClockAreaWidget::statusRect() const {
    return QRect(0, 0, width(), height() * 34 / 100);
}

QRect ClockAreaWidget::clockRect(int index, bool caption) const {
    const int top = statusRect().bottom() + 1;
    const int rest = height() - top;
    const int column = width() / 3;
    const int captionHeight = rest * 28 / 100;
    const int x = index * column;
    const int w = index == 2 ? width() - x : column;
    if (caption)
        return QRect(x, top, w, captionHeight);
    return QRect(x, top + captionHeight, w, rest - captionHeight);
}

void ClockAreaWidget::prepareFonts() {
    const QRect status = statusRect();
    m_statusFont =
        ClockFont(FittingPixelSize(QString::fromLatin1(kClockPausedText),
                                   QSize(status.width() * 80 / 100, status.height() * 85 / 100),
                                   status.height(), QFont::Black),
                  QFont::Black);
    const QRect caption = clockRect(0, true);
    m_captionFont =
        ClockFont(FittingPixelSize(QStringLiteral("Restant"),
                                   QSize(caption.width() * 70 / 100, caption.height() * 85 / 100),
                                   caption.height(), QFont::Normal),
                  QFont::Normal);
    const QRect time = clockRect(0, false);
    // Sized for the longest clock text seen, so the figures do not jump
    // from one second to the next.
    m_timeFont =
        ClockFont(FittingPixelSize(ClockSample(m_sampleChars),
                                   QSize(time.width() * 90 / 100, time.height() * 90 / 100),
                                   time.height(), QFont::Bold),
                  QFont::Bold);
}

void ClockAreaWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    prepareFonts();
}

void ClockAreaWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(m_statusFont);
    painter.setPen(m_running ? kRunning : kPaused);
    painter.drawText(statusRect(), Qt::AlignCenter,
                     QString::fromLatin1(m_running ? kClockRunningText : kClockPausedText));
    painter.setPen(QColor(0, 0, 0));
    for (int i = 0; i < 3; ++i) {
        painter.setFont(m_captionFont);
        painter.drawText(clockRect(i, true), Qt::AlignHCenter | Qt::AlignBottom, m_captions[i]);
        painter.setFont(m_timeFont);
        painter.drawText(clockRect(i, false), Qt::AlignHCenter | Qt::AlignVCenter, m_texts[i]);
    }
}

} // namespace tallimo::app
