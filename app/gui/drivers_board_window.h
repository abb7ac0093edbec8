#pragma once

// The drivers' board on a second screen: a frameless full-screen window
// that paints the last snapshot it was given, in type large enough to read
// from the pit lane. It holds no reference to the session; the main window
// hands it a new snapshot at every change. Texts and fonts are prepared when
// the snapshot or the size changes, so a paint only places them.

#include "app/core/live_board_snapshot.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QScreen;

namespace tallimo::app {

// The screen named `name` (UTF-8); when none is, a screen other than the
// operator's primary one, or the primary one on a single-screen desk.
QScreen* DriversBoardScreen(const std::string& name);

class DriversBoardWindow final : public QWidget {
    Q_OBJECT

public:
    explicit DriversBoardWindow(QWidget* parent = nullptr);

    // Keeps the snapshot and repaints; a hidden window only keeps it.
    void show(const LiveBoardSnapshot& snapshot);
    // Full screen on `screen`, or on the primary screen when null.
    void openOn(QScreen* screen);

    const LiveBoardSnapshot& snapshot() const { return m_snapshot; }
    // Kart rows the current size leaves room for, of those in the snapshot.
    int shownRowCount() const;

signals:
    // Escape, a double click or any other close: the operator's window
    // may update its "Afficher" / "Masquer" state.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QColor band;
        QString cells[7]; // position, kart, driver, laps, last, best, remaining
        bool dayBest = false;
        bool finished = false;
        bool newLap = false;
    };
    struct Geometry {
        int headerHeight = 0;
        int titlesHeight = 0;
        int rowTop = 0;
        int rowHeight = 0;
        int rowCount = 0; // rows that fit
    };

    Geometry computeGeometry() const;
    void prepareFonts();
    void prepareRowFonts();
    void prepareTexts();
    void paintHeader(QPainter& painter) const;
    void paintColumnTitles(QPainter& painter) const;
    void paintRow(QPainter& painter, const Row& row, int top) const;
    QRect cellRect(int column, int top, int height) const;

    LiveBoardSnapshot m_snapshot;
    bool m_textsStale = true;
    Geometry m_geometry;

    // Ready to paint.
    std::vector<Row> m_rows;
    QString m_title;
    QString m_elapsed;
    QString m_remaining;
    QString m_dayBestTime;
    QString m_dayBestHolder; // cut to the room beside its caption
    int m_dayBestHolderLeft = 0;
    QString m_hiddenRows; // "+ 12", when some karts find no room

    QSize m_fontsSize; // the size the fonts were chosen for
    QFont m_titleFont;
    QFont m_labelFont;
    QFont m_labelBoldFont;
    QFont m_clockFont;
    QFont m_columnTitleFont;
    QFont m_rowFont;
    QFont m_rowBoldFont;
};

} // namespace tallimo::app
