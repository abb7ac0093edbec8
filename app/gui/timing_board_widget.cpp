#include "app/gui/timing_board_widget.h"

#include "common/gui/text_conversion.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace tallimo::app {

TimingBoardWidget::TimingBoardWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("timingBoard"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("timingBoardScrollBar"));
    m_scrollBar->setPageStep(kBoardScrollPage);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_renderer.setScrollPosition(value);
        update();
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_renderer.setScreenSize(screen->size());
}

void TimingBoardWidget::setLiveTiming(const session::LiveTiming* live) {
    m_live = live;
    m_renderer.setLiveTiming(live);
    updateScrollBar();
    update();
}

void TimingBoardWidget::setDisplaySettings(const DisplaySettings* settings) {
    m_renderer.setDisplaySettings(settings);
    update();
}

void TimingBoardWidget::setCategoryNames(const CategoryNames& names) {
    m_renderer.setCategoryNames(names);
    update();
}

void TimingBoardWidget::setWorkingFolder(const common::WorkingFolder& folder) {
    m_renderer.setWorkingFolder(folder.root());
    update();
}

void TimingBoardWidget::setScreenSize(QSize screen) {
    m_renderer.setScreenSize(screen);
    updateScrollBar();
    update();
}

void TimingBoardWidget::setFrozen(bool frozen) {
    if (m_frozen == frozen)
        return;
    m_frozen = frozen;
    update();
}

void TimingBoardWidget::boardChanged() {
    m_renderer.rowsChanged();
    updateScrollBar();
    update();
}

BoardHit TimingBoardWidget::hitAt(QPoint point) const {
    return m_renderer.layout().hitTest(point.x(), point.y());
}

void TimingBoardWidget::updateScrollBar() {
    const BoardLayout& layout = m_renderer.layout();
    const QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setRange(0, layout.scrollMaximum());
    m_scrollBar->setValue(layout.scrollPosition());
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_scrollBar->setVisible(layout.needsScrollBar());
}

void TimingBoardWidget::paintEvent(QPaintEvent*) {
    // A hidden widget gets its resize event late; never paint a stale size.
    if (m_renderer.areaSize() != size()) {
        m_renderer.setAreaSize(size());
        updateScrollBar();
    }
    QPainter painter(this);
    if (m_frozen)
        m_renderer.paintFrozen(painter);
    else
        m_renderer.paint(painter);
}

void TimingBoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_renderer.setAreaSize(size());
    updateScrollBar();
}

QString TimingBoardWidget::kartLabelOf(int row) const {
    if (m_live == nullptr || row < 0 || row >= session::kBoardRowCapacity)
        return {};
    return common::FromCp1252(m_live->boardRows[static_cast<std::size_t>(row)].kartLabel);
}

void TimingBoardWidget::mousePressEvent(QMouseEvent* event) {
    const BoardHit hit = hitAt(event->position().toPoint());
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (event->button() == Qt::LeftButton) {
        if (hit.kind == BoardHitKind::Trophy)
            emit trophyClicked(hit.category);
        else if (ctrl && hit.kind == BoardHitKind::KartRow)
            emit kartRowCtrlClicked(kartLabelOf(hit.row));
    } else if (event->button() == Qt::RightButton && ctrl) {
        if (hit.kind == BoardHitKind::KartRow)
            emit kartRowCtrlRightClicked(kartLabelOf(hit.row));
        else if (hit.kind == BoardHitKind::Heading || hit.kind == BoardHitKind::Trophy)
            emit headingCtrlRightClicked(hit.category);
    }
    QWidget::mousePressEvent(event);
}

void TimingBoardWidget::setHover(std::optional<QPoint> pointer) {
    if (m_hover == pointer)
        return;
    // Only the old and the new box are repainted, not the whole board.
    if (m_hover)
        update(m_renderer.hoverBoxRect(*m_hover).adjusted(-1, -1, 1, 1));
    m_hover = pointer;
    m_renderer.setHover(pointer);
    if (m_hover)
        update(m_renderer.hoverBoxRect(*m_hover).adjusted(-1, -1, 1, 1));
}

void TimingBoardWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    setHover(hitAt(point).kind == BoardHitKind::KartRow ? std::optional<QPoint>(point)
                                                        : std::nullopt);
    QWidget::mouseMoveEvent(event);
}

void TimingBoardWidget::leaveEvent(QEvent* event) {
    setHover(std::nullopt);
    QWidget::leaveEvent(event);
}

void TimingBoardWidget::wheelEvent(QWheelEvent* event) {
    if (!m_scrollBar->isVisible()) {
        event->ignore();
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        m_scrollBar->setValue(m_scrollBar->value() - steps);
    event->accept();
}

} // namespace tallimo::app
