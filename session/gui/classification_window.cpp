#include "session/gui/classification_window.h"

#include "common/core/data_file.h"
#include "common/gui/text_conversion.h"
#include "databases/core/classification_sources.h"
#include "printing/gui/report_printer.h"
#include "session/core/session_file.h"
#include "session/gui/classification_report.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <QSignalBlocker>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tallimo::session {

using common::FromCp1252;

namespace {

constexpr int kTitleHeight = 30;
constexpr int kHeadingsHeight = 22;
constexpr int kButtonStripHeight = 22;
constexpr int kRowHeight = 20;
constexpr int kRowsTop = kTitleHeight + kHeadingsHeight + kButtonStripHeight;
constexpr int kBoxSize = 16;
constexpr qsizetype kMostCachedTexts = 4000;
// The box column, then "Pos" ... "Meilleur".
constexpr std::array<int, 11> kColumnWidths = {24, 40, 52, 170, 44, 44, 120, 120, 50, 96, 86};
// Rank, laps and times read best right-aligned.
constexpr std::array<bool, 10> kRightAligned = {true,  false, false, false, false,
                                                false, false, true,  true,  true};

QFont ArialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QImage BoxPicture(const common::WorkingFolder& folder, const char* file) {
    return QImage(common::PathText(folder.path(std::string("images/") + file)));
}

// The picture, or a box drawn in its place when the file is missing.
void DrawBox(QPainter& painter, const QRect& box, const QImage& picture, bool ticked, bool button) {
    if (!picture.isNull()) {
        painter.drawImage(box, picture);
        return;
    }
    painter.fillRect(box, button ? QColor(212, 208, 200) : QColor(Qt::white));
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (ticked || button) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(box.left() + 3, box.center().y(), box.center().x() - 1, box.bottom() - 3);
        painter.drawLine(box.center().x() - 1, box.bottom() - 3, box.right() - 3, box.top() + 3);
    }
}

QString DateLine(const common::LocalDateTime& now) {
    char line[64];
    std::snprintf(line, sizeof line, "Date : %02d / %02d / %d  (%d:%02d:%02d)", now.day, now.month,
                  now.year, now.hour, now.minute, now.second);
    return QString::fromLatin1(line);
}

} // namespace

ClassificationView::ClassificationView(QWidget* parent) : QWidget(parent) {
    int left = 4;
    for (std::size_t i = 0; i < kColumnWidths.size(); ++i) {
        m_columnLeft[i] = left;
        left += kColumnWidths[i];
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_rowFont = ArialFont(13, false);
    m_headingFont = ArialFont(13, true);
    m_titleFont = ArialFont(16, true);
    setMinimumSize(sizeHint());
}

void ClassificationView::setContent(const ClassificationTable* shown, const QString& title,
                                    int firstRow) {
    m_shown = shown;
    m_title = title;
    m_firstRow = firstRow;
    update();
}

void ClassificationView::setPictures(QImage ticked, QImage unticked, QImage removeButton) {
    m_ticked = std::move(ticked);
    m_unticked = std::move(unticked);
    m_removeButton = std::move(removeButton);
}

QSize ClassificationView::sizeHint() const {
    int width = 8;
    for (const int column : kColumnWidths)
        width += column;
    return {width, kRowsTop + kClassificationRowsOnScreen * kRowHeight + 2};
}

QPoint ClassificationView::boxCentre(int visibleRow) const {
    return {m_columnLeft[0] + kColumnWidths[0] / 2,
            kRowsTop + visibleRow * kRowHeight + kRowHeight / 2};
}

QPoint ClassificationView::removeButtonCentre() const {
    return {m_columnLeft[0] + kColumnWidths[0] / 2,
            kTitleHeight + kHeadingsHeight + kButtonStripHeight / 2};
}

void ClassificationView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(250, 250, 250));
    painter.setPen(Qt::black);
    painter.setFont(m_titleFont);
    if (m_titleText.text() != m_title) {
        m_titleText.setText(m_title);
        m_titleText.prepare(QTransform(), m_titleFont);
    }
    painter.drawStaticText(QPointF(8, (kTitleHeight - m_titleText.size().height()) / 2),
                           m_titleText);
    paintHeadings(painter);
    if (m_shown == nullptr)
        return;
    // Times change at every lap: the cache would only grow.
    if (m_rowTexts.size() > kMostCachedTexts)
        m_rowTexts.clear();
    painter.setFont(m_rowFont);
    const int rows = static_cast<int>(m_shown->size());
    for (int visible = 0; visible < kClassificationRowsOnScreen; ++visible) {
        const int row = m_firstRow + visible;
        if (row >= rows)
            break;
        paintRow(painter, visible, (*m_shown)[static_cast<std::size_t>(row)], row + 1);
    }
}

void ClassificationView::drawCell(QPainter& painter, QHash<QString, QStaticText>& cache, int column,
                                  int top, int height, const QString& text) {
    auto found = cache.find(text);
    if (found == cache.end()) {
        found = cache.insert(text, QStaticText(text));
        found->setTextFormat(Qt::PlainText);
        found->prepare(QTransform(), painter.font());
    }
    const QSizeF size = found->size();
    const QRect cell(m_columnLeft[static_cast<std::size_t>(column) + 1] + 3, top,
                     kColumnWidths[static_cast<std::size_t>(column) + 1] - 6, height);
    const double x = kRightAligned[static_cast<std::size_t>(column)]
                         ? cell.right() + 1 - size.width()
                         : cell.left();
    const QPointF at(x, cell.top() + (cell.height() - size.height()) / 2);
    if (size.width() <= cell.width()) {
        painter.drawStaticText(at, *found);
        return;
    }
    painter.save();
    painter.setClipRect(cell);
    painter.drawStaticText(QPointF(cell.left(), at.y()), *found);
    painter.restore();
}

void ClassificationView::paintHeadings(QPainter& painter) {
    const QRect band(0, kTitleHeight, width(), kHeadingsHeight);
    painter.fillRect(band, QColor(58, 82, 128));
    painter.setPen(Qt::white);
    painter.setFont(m_headingFont);
    for (std::size_t i = 0; i < kClassificationHeadings.size(); ++i)
        drawCell(painter, m_headingTexts, static_cast<int>(i), band.top(), band.height(),
                 FromCp1252(kClassificationHeadings[i]));
    const QPoint centre = removeButtonCentre();
    DrawBox(painter,
            QRect(centre.x() - kBoxSize / 2, centre.y() - kBoxSize / 2, kBoxSize, kBoxSize),
            m_removeButton, false, true);
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(0, kRowsTop - 1, width(), kRowsTop - 1);
}

void ClassificationView::paintRow(QPainter& painter, int visibleRow,
                                  const ClassificationEntry& entry, int rank) {
    const int top = kRowsTop + visibleRow * kRowHeight;
    painter.fillRect(QRect(0, top, width(), kRowHeight),
                     visibleRow % 2 == 0 ? QColor(255, 255, 255) : QColor(226, 234, 246));
    const QPoint centre = boxCentre(visibleRow);
    DrawBox(painter,
            QRect(centre.x() - kBoxSize / 2, centre.y() - kBoxSize / 2, kBoxSize, kBoxSize),
            entry.selected ? m_ticked : m_unticked, entry.selected, false);
    painter.setPen(Qt::black);
    const ClassificationRowTexts texts = ClassificationRow(entry, rank);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty())
            drawCell(painter, m_rowTexts, static_cast<int>(i), top, kRowHeight,
                     FromCp1252(texts[i]));
}

void ClassificationView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || at.x() < m_columnLeft[0] ||
        at.x() >= m_columnLeft[1]) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint button = removeButtonCentre();
    if (std::abs(at.y() - button.y()) <= kBoxSize / 2) {
        if (removeClicked)
            removeClicked();
        return;
    }
    if (at.y() < kRowsTop || m_shown == nullptr)
        return;
    const int row = m_firstRow + (at.y() - kRowsTop) / kRowHeight;
    if ((at.y() - kRowsTop) / kRowHeight < kClassificationRowsOnScreen &&
        row < static_cast<int>(m_shown->size()) && boxClicked)
        boxClicked(row);
}

void ClassificationView::wheelEvent(QWheelEvent* event) {
    const int rows = -event->angleDelta().y() / 40;
    if (rows != 0 && wheelScrolled)
        wheelScrolled(rows);
    event->accept();
}

ClassificationWindow::ClassificationWindow(common::WorkingFolder folder,
                                           common::OperatorDialogs& dialogs,
                                           const common::LocalClock& clock, int category,
                                           const printing::ReportPrinter* printer, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(folder)), m_dialogs(dialogs),
      m_printer(printer), m_session(std::make_unique<RentalSession>()) {
    setObjectName("classificationWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FromCp1252("Classement de la s\xE9"
                              "ance"));
    m_dateLine = common::ToCp1252(DateLine(clock.now()));
    buildControls();
    load(category);
}

ClassificationWindow::~ClassificationWindow() = default;

void ClassificationWindow::buildControls() {
    auto* modeGroup = new QGroupBox(QStringLiteral("Classement des pilotes"), this);
    m_modeLaps = new QRadioButton(QStringLiteral("suivant nb tours+temps"), modeGroup);
    m_modeLaps->setObjectName("modeLapsRadio");
    m_modeBest = new QRadioButton(QStringLiteral("suivant meilleur tour"), modeGroup);
    m_modeBest->setObjectName("modeBestRadio");
    m_modeLaps->setChecked(true);
    auto* modeLayout = new QVBoxLayout(modeGroup);
    modeLayout->addWidget(m_modeLaps);
    modeLayout->addWidget(m_modeBest);
    modeLayout->addStretch(1);

    auto* selectionGroup = new QGroupBox(FromCp1252("S\xE9lection des pilotes"), this);
    m_men = new QCheckBox(QStringLiteral("Hommes"), selectionGroup);
    m_men->setObjectName("menCheck");
    m_women = new QCheckBox(QStringLiteral("Femmes"), selectionGroup);
    m_women->setObjectName("womenCheck");
    m_men->setChecked(true);
    m_women->setChecked(true);
    m_kartCategory = new QComboBox(selectionGroup);
    m_kartCategory->setObjectName("kartCategoryCombo");
    m_kartCategory->setMinimumWidth(170);
    m_ageCategory = new QComboBox(selectionGroup);
    m_ageCategory->setObjectName("ageCategoryCombo");
    m_ageCategory->setMinimumWidth(170);
    auto* selectionLayout = new QGridLayout(selectionGroup);
    selectionLayout->addWidget(m_men, 0, 0);
    selectionLayout->addWidget(m_women, 1, 0);
    selectionLayout->addWidget(new QLabel(FromCp1252("Cat\xE9gorie karts"), selectionGroup), 0, 1);
    selectionLayout->addWidget(m_kartCategory, 0, 2);
    selectionLayout->addWidget(new QLabel(FromCp1252("Cat\xE9gorie d'age"), selectionGroup), 1, 1);
    selectionLayout->addWidget(m_ageCategory, 1, 2);

    auto* update = new QPushButton(FromCp1252("Mise \xE0 jour"), this);
    update->setObjectName("updateButton");
    m_print = new QPushButton(QStringLiteral("Imprimer"), this);
    m_print->setObjectName("printButton");
    m_print->setEnabled(m_printer != nullptr);
    auto* exportButton = new QPushButton(QStringLiteral("Exporter"), this);
    exportButton->setObjectName("exportButton");
    auto* actions = new QVBoxLayout;
    actions->addWidget(update);
    actions->addWidget(m_print);
    actions->addWidget(exportButton);
    actions->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(modeGroup);
    top->addWidget(selectionGroup, 1);
    top->addLayout(actions);

    m_view = new ClassificationView(this);
    m_view->setObjectName("rankingView");
    m_view->setPictures(BoxPicture(m_folder, "casecochee.bmp"),
                        BoxPicture(m_folder, "casevide.bmp"),
                        BoxPicture(m_folder, "casebouton.bmp"));
    m_view->boxClicked = [this](int row) { toggleRow(row); };
    m_view->removeClicked = [this] { removeUnticked(); };
    m_view->wheelScrolled = [this](int rows) {
        if (m_scrollBar->isVisible())
            m_scrollBar->setValue(m_scrollBar->value() + rows);
    };
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName("scrollBar");
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(kClassificationRowsOnScreen);
    m_scrollBar->hide();
    auto* ranking = new QHBoxLayout;
    ranking->setSpacing(0);
    ranking->addWidget(m_view, 1);
    ranking->addWidget(m_scrollBar);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("okButton");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(ranking, 1);
    layout->addLayout(bottom);

    connect(update, &QPushButton::clicked, this, [this] { refresh(true); });
    connect(m_print, &QPushButton::clicked, this, [this] { printMenu(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    // The radio buttons only choose: the order follows at the next refresh.
    connect(m_modeLaps, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_mode = ClassificationMode::CLASSEMENTToursTemps;
    });
    connect(m_modeBest, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_mode = ClassificationMode::CLASSEMENTMeilleurTour;
    });
    // A click above or below the thumb goes to the first or last rows.
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderPageStepSub)
            m_scrollBar->setSliderPosition(m_scrollBar->minimum());
        else if (action == QAbstractSlider::SliderPageStepAdd)
            m_scrollBar->setSliderPosition(m_scrollBar->maximum());
    });
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) { scrollTo(value); });
}

void ClassificationWindow::load(int category) {
    common::DialogMessageSink sink(m_dialogs, this);
    databases::ClassificationSources sources = databases::LoadClassificationSources(m_folder, sink);
    m_people = std::move(sources.people);
    m_ages = std::move(sources.ages);
    m_kartChoices = KartCategoryChoices(sources.categoryNames);
    m_ageChoices = AgeCategoryChoices(m_ages);

    // A damaged file still gives the karts read before the damage.
    ClearSession(*m_session);
    SessionHeader header;
    if (!LoadSessionFile(m_folder, *m_session, header))
        sink.show(kSessionFileErrorCaption, kSessionFileErrorText);
    m_trackLine = "Piste : " + header.trackName;

    fillChoices(category);
    refresh(true);
}

void ClassificationWindow::fillChoices(int category) {
    for (const ClassificationChoice& choice : m_kartChoices)
        m_kartCategory->addItem(FromCp1252(choice.text), choice.index);
    for (const ClassificationChoice& choice : m_ageChoices)
        m_ageCategory->addItem(FromCp1252(choice.text), choice.index);
    const int item = m_kartCategory->findData(category);
    m_kartCategory->setCurrentIndex(std::max(item, 0));
    m_ageCategory->setCurrentIndex(0);
}

ClassificationFilter ClassificationWindow::filterFromControls() const {
    ClassificationFilter filter;
    filter.sexFilter = SexFilterOf(m_men->isChecked(), m_women->isChecked());
    const int kartItem = m_kartCategory->currentIndex();
    if (kartItem >= 0 && kartItem < static_cast<int>(m_kartChoices.size())) {
        const ClassificationChoice& choice = m_kartChoices[static_cast<std::size_t>(kartItem)];
        filter.kartCategory = choice.index;
        if (choice.index != kAllCategories)
            filter.kartCategoryText = choice.text;
    }
    const int ageItem = m_ageCategory->currentIndex();
    if (ageItem >= 0 && ageItem < static_cast<int>(m_ageChoices.size())) {
        const ClassificationChoice& choice = m_ageChoices[static_cast<std::size_t>(ageItem)];
        filter.ageCategory = choice.index;
        if (choice.index != kAllCategories)
            filter.ageCategoryText = choice.text;
    }
    return filter;
}

void ClassificationWindow::refresh(bool operatorAsked) {
    // Laps come several times a second: the drivers the operator unticked
    // or removed stay so, and the rows looked at stay in view, until the
    // operator asks for a fresh ranking.
    std::vector<std::string> unticked;
    if (operatorAsked) {
        m_removed.clear();
    } else {
        for (const ClassificationEntry& entry : m_shown)
            if (!entry.selected)
                unticked.push_back(entry.kartLabel);
    }
    m_applied = filterFromControls();
    m_full = BuildFullClassification(*m_session, m_people, m_ages);
    SelectRows(m_full, m_applied);
    if (!m_removed.empty())
        RemoveUntickedRows(m_full, m_removed);
    m_shown = ShownClassification(m_full, m_mode);
    for (ClassificationEntry& entry : m_shown)
        if (std::find(unticked.begin(), unticked.end(), entry.kartLabel) != unticked.end())
            entry.selected = false;

    m_title =
        FromCp1252(m_applied.sexFilter == kSexFilterNone ? std::string(kNoSexSelectedText)
                                                         : ClassificationTitle(m_applied, false));
    showRanking(operatorAsked);
}

void ClassificationWindow::showRanking(bool toTop) {
    const int range = ClassificationScrollRange(static_cast<int>(m_shown.size()));
    m_firstRow = toTop ? 0 : std::min(m_firstRow, range);
    {
        const QSignalBlocker quiet(m_scrollBar);
        m_scrollBar->setRange(0, range);
        m_scrollBar->setValue(m_firstRow);
    }
    m_scrollBar->setVisible(range > 0);
    m_view->setContent(&m_shown, m_title, m_firstRow);
}

void ClassificationWindow::scrollTo(int firstRow) {
    m_firstRow = firstRow;
    showRanking(false);
}

void ClassificationWindow::liveUpdate(const SessionKart& kart) {
    ApplyLiveKart(*m_session, kart);
    refresh(false);
}

int ClassificationWindow::scrollRange() const {
    return m_scrollBar->isHidden() ? 0 : m_scrollBar->maximum();
}

void ClassificationWindow::toggleRow(int shownRow) {
    if (shownRow < 0 || shownRow >= static_cast<int>(m_shown.size()))
        return;
    ClassificationEntry& entry = m_shown[static_cast<std::size_t>(shownRow)];
    entry.selected = !entry.selected;
    showRanking(false);
}

void ClassificationWindow::removeUnticked() {
    for (const ClassificationEntry& entry : m_shown)
        if (!entry.selected)
            m_removed.push_back(entry);
    RemoveUntickedRows(m_full, m_shown);
    m_shown = ShownClassification(m_full, m_mode);
    showRanking(true);
}

printing::ReportJob ClassificationWindow::printJob() const {
    return MakeClassificationJob(m_shown, ClassificationTitle(m_applied, true), m_trackLine,
                                 m_dateLine);
}

void ClassificationWindow::printMenu() {
    if (m_printer == nullptr || m_shown.empty())
        return;
    QMenu holder(this);
    QMenu* outputs = printing::AddReportOutputMenu(
        holder, QStringLiteral("Imprimer"), [this](printing::ReportOutput output) {
            printing::OutputReport(*m_printer, this, output, printJob());
        });
    outputs->setObjectName(QStringLiteral("printMenu"));
    outputs->exec(QCursor::pos());
}

void ClassificationWindow::setExportChooser(ExportChooser chooser) {
    m_exportChooser = std::move(chooser);
}

void ClassificationWindow::exportCsv() {
    const QString proposed = common::PathText(m_folder.path("Classement.csv"));
    const QString chosen =
        m_exportChooser ? m_exportChooser(this, proposed)
                        : QFileDialog::getSaveFileName(this, QStringLiteral("Exporter"), proposed,
                                                       QStringLiteral("CSV (*.csv)"));
    if (chosen.isEmpty())
        return;
    if (!common::WriteFileAtomically(common::PathOf(chosen), ClassificationCsv(m_shown)))
        m_dialogs.inform(this, "Error",
                         "Error : the file '" + common::ToCp1252(chosen) + "' could not be written",
                         common::DialogIcon::Stop);
}

void ClassificationWindow::closeEvent(QCloseEvent* event) {
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace tallimo::session
