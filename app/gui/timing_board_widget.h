#pragma once

// The timing board of the main window: the categories and their karts, read
// from a distance at the track. The widget only paints what the main window
// hands it and reports the clicks the main window acts upon; it never
// changes the live timing.

#include "app/core/display_settings.h"
#include "app/gui/board_rendering.h"
#include "common/core/working_folder.h"
#include "session/core/live_timing.h"

#include <QWidget>

#include <optional>

class QScrollBar;

namespace tallimo::app {

class TimingBoardWidget final : public QWidget {
    Q_OBJECT

public:
    explicit TimingBoardWidget(QWidget* parent = nullptr);

    // The live timing stays owned by the caller, who calls boardChanged()
    // after every rebuild of its board rows.
    void setLiveTiming(const session::LiveTiming* live);
    void setDisplaySettings(const DisplaySettings* settings);
    void setCategoryNames(const CategoryNames& names);
    void setWorkingFolder(const common::WorkingFolder& folder);
    // Sizes are fractions of the screen; the primary screen until set.
    void setScreenSize(QSize screen);
    // A frozen board is not painted.
    void setFrozen(bool frozen);

    int scrollPosition() const { return m_renderer.layout().scrollPosition(); }
    const BoardLayout& layout() const { return m_renderer.layout(); }
    BoardHit hitAt(QPoint point) const;

public slots:
    void boardChanged();

signals:
    void trophyClicked(int category);
    void kartRowCtrlClicked(const QString& kartLabel);
    void kartRowCtrlRightClicked(const QString& kartLabel);
    void headingCtrlRightClicked(int category);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollBar();
    void setHover(std::optional<QPoint> pointer);
    QString kartLabelOf(int row) const;

    BoardRenderer m_renderer;
    const session::LiveTiming* m_live = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    std::optional<QPoint> m_hover;
    bool m_frozen = false;
};

} // namespace tallimo::app
