#pragma once

// The clock area beside the board: whether the session runs, and the
// session's duration, elapsed and remaining time in large figures. The start
// and pause buttons are the main window's and sit over this area.

#include <QFont>
#include <QString>
#include <QWidget>

#include <string>

namespace tallimo::app {

inline const char* const kClockRunningText = "En cours";
inline const char* const kClockPausedText = "En pause";

class ClockAreaWidget final : public QWidget {
    Q_OBJECT

public:
    explicit ClockAreaWidget(QWidget* parent = nullptr);

    void setRunning(bool running);
    // Windows-1252 texts, as the session clock holds them.
    void setClockTexts(const std::string& duration, const std::string& elapsed,
                       const std::string& remaining);
    // The small captions over the three times, in the interface language.
    void setCaptions(const QString& duration, const QString& elapsed, const QString& remaining);

    bool running() const { return m_running; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void prepareFonts();
    QRect statusRect() const;
    QRect clockRect(int index, bool caption) const;

    bool m_running = false;
    int m_sampleChars = 8; // the figures are sized for texts this long
    QString m_texts[3];
    QString m_captions[3];
    QFont m_statusFont;
    QFont m_captionFont;
    QFont m_timeFont;
};

} // namespace tallimo::app
