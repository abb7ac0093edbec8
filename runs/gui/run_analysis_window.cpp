#include "runs/gui/run_analysis_window.h"

#include "common/core/time_format.h"
#include "common/gui/text_conversion.h"
#include "databases/core/kart_categories_file.h"
#include "printing/gui/report_printer.h"
#include "runs/gui/run_reports.h"
#include "session/core/session_file.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace tallimo::runs {
namespace {

constexpr int kRangeDigits = 4;

QFont WindowFont(bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setBold(bold);
    return font;
}

QString DateLineOf(const RunWhen& when) {
    char text[96];
    std::snprintf(text, sizeof text, "Date : %02d / %02d / %d  (%d:%02d:%02d)", when.day,
                  when.month, when.year, when.hour, when.minute, when.second);
    return QString::fromLatin1(text);
}

QString Latin(const std::string& cp1252) {
    return common::FromCp1252(cp1252);
}

} // namespace

DriverRun DriverRunOfKart(const session::SessionKart& kart) {
    DriverRun run;
    run.driverName = kart.driverName;
    run.driverFirstName = kart.driverFirstName;
    run.lastLapIndex = kart.lastLapIndex;
    std::copy_n(kart.passingTimes.begin(),
                std::min<std::size_t>(kart.passingTimes.size(), run.passingTimes.size()),
                run.passingTimes.begin());
    ComputeLapTimes(run);
    return run;
}

// The middle area: the chosen view over the range, and the bubble of the
// lap pointed at while the curve is shown.
class RunViewArea final : public QWidget {
public:
    RunViewArea(const DriverRun& run, const int& from, const int& to, const RunView& view,
                QWidget* parent)
        : QWidget(parent), m_run(run), m_from(from), m_to(to), m_view(view) {
        setObjectName(QStringLiteral("runViewArea"));
        setMinimumSize(620, 260);
        setMouseTracking(true);
    }

    // Called whenever the run, the range or the view changed.
    void changed() {
        m_pointedLap = 0;
        update();
    }
    int pointedLap() const { return m_pointedLap; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintRunView(painter, area(), m_run, m_from, m_to, m_view);
        if (m_view == RunView::Curve && m_pointedLap > 0)
            PaintCurveBubble(painter, area(), m_run, m_from, m_to, m_pointedLap);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const int lap = m_view == RunView::Curve
                            ? CurveLapAt(area(), m_run, m_from, m_to, event->position())
                            : 0;
        if (lap != m_pointedLap) {
            m_pointedLap = lap;
            update();
        }
    }
    void leaveEvent(QEvent*) override {
        if (m_pointedLap != 0) {
            m_pointedLap = 0;
            update();
        }
    }

private:
    QRectF area() const { return QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5); }

    const DriverRun& m_run;
    const int& m_from;
    const int& m_to;
    const RunView& m_view;
    int m_pointedLap = 0;
};

// Seven laps side by side, "Tours" over "Temps", from the strip's position.
class LapStrip final : public QWidget {
public:
    LapStrip(const DriverRun& run, QWidget* parent) : QWidget(parent), m_run(run) {
        setObjectName(QStringLiteral("lapStrip"));
        setMinimumSize(620, 68);
    }
    void setPosition(int position) {
        if (position != m_position) {
            m_position = position;
            update();
        }
    }
    int position() const { return m_position; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QColor(150, 160, 175));
        painter.setBrush(QColor(250, 251, 253));
        painter.drawRect(box);
        const qreal rowHeight = box.height() / 2;
        const qreal headWidth = box.width() * 0.12;
        const qreal columnWidth = (box.width() - headWidth) / kStripColumns;
        painter.fillRect(
            QRectF(box.left(), box.top(), box.width(), rowHeight).adjusted(1, 1, -1, 0),
            QColor(222, 231, 243));
        painter.setPen(QColor(214, 220, 229));
        painter.drawLine(QPointF(box.left(), box.center().y()),
                         QPointF(box.right(), box.center().y()));
        QFont font = WindowFont(true);
        font.setPixelSize(std::max(8, static_cast<int>(rowHeight * 0.5)));
        painter.setFont(font);
        painter.setPen(QColor(30, 35, 45));
        painter.drawText(QRectF(box.left() + 6, box.top(), headWidth, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tours"));
        painter.drawText(QRectF(box.left() + 6, box.top() + rowHeight, headWidth, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Temps"));
        const int last = UsableLastLap(m_run);
        for (int column = 0; column < kStripColumns; ++column) {
            const int lap = m_position + 1 + column;
            const qreal x = box.left() + headWidth + columnWidth * column;
            painter.setPen(QColor(214, 220, 229));
            painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
            if (lap > last)
                continue;
            painter.setPen(QColor(30, 35, 45));
            font.setBold(true);
            painter.setFont(font);
            painter.drawText(QRectF(x, box.top(), columnWidth, rowHeight), Qt::AlignCenter,
                             QStringLiteral("T%1").arg(lap));
            font.setBold(false);
            painter.setFont(font);
            painter.drawText(QRectF(x, box.top() + rowHeight, columnWidth, rowHeight),
                             Qt::AlignCenter, Latin(common::FormatLapTime(LapTimeOf(m_run, lap))));
        }
    }

private:
    const DriverRun& m_run;
    int m_position = 0;
};

RunAnalysisWindow::RunAnalysisWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                     printing::PictureLibrary& pictures, RunView& view,
                                     QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_pictures(pictures),
      m_messages(dialogs, this), m_view(view) {
    setObjectName(QStringLiteral("runAnalysisWindow"));
    setWindowTitle(QString::fromUtf8("Analyse résultats pilote"));
    build();
}

RunAnalysisWindow::~RunAnalysisWindow() = default;

void RunAnalysisWindow::build() {
    setFont(WindowFont());

    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("runHeader"));
    header->setFrameShape(QFrame::StyledPanel);
    header->setMinimumWidth(620);
    auto* headerLines = new QVBoxLayout(header);
    auto line = [&](const char* name, bool bold) {
        auto* label = new QLabel(header);
        label->setObjectName(QString::fromLatin1(name));
        QFont font = WindowFont(bold);
        if (bold)
            font.setPixelSize(18);
        label->setFont(font);
        headerLines->addWidget(label);
        return label;
    };
    m_driverLine = line("driverLine", true);
    m_driverLine->setAlignment(Qt::AlignHCenter);
    m_trackLine = line("trackLine", false);
    m_categoryLine = line("categoryLine", false);
    m_dateLine = line("dateLine", false);

    auto rangeEdit = [&](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(kRangeDigits);
        edit->setValidator(new QIntValidator(0, 9999, edit));
        edit->setFixedWidth(60);
        return edit;
    };
    m_fromEdit = rangeEdit("fromEdit");
    m_toEdit = rangeEdit("toEdit");
    connect(m_fromEdit, &QLineEdit::textChanged, this, [this] { fromEdited(); });
    connect(m_toEdit, &QLineEdit::textChanged, this, [this] { toEdited(); });

    m_views = new QButtonGroup(this);
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral(" Entre tour "), this));
    controls->addWidget(m_fromEdit);
    controls->addWidget(new QLabel(QStringLiteral("     et tour "), this));
    controls->addWidget(m_toEdit);
    controls->addStretch(1);
    const struct {
        const char* name;
        const char* caption;
        RunView view;
    } buttons[] = {{"synthesisButton",
                    "Donn\xE9"
                    "es",
                    RunView::Synthesis},
                   {"histogramButton", "Histo", RunView::Histogram},
                   {"curveButton", "Courbe", RunView::Curve}};
    for (const auto& button : buttons) {
        auto* radio = new QRadioButton(Latin(button.caption), this);
        radio->setObjectName(QString::fromLatin1(button.name));
        radio->setFont(WindowFont(true));
        m_views->addButton(radio, static_cast<int>(button.view));
        controls->addWidget(radio);
    }
    if (QAbstractButton* chosen = m_views->button(static_cast<int>(m_view)))
        chosen->setChecked(true);
    connect(m_views, &QButtonGroup::idClicked, this,
            [this](int id) { chooseView(static_cast<RunView>(id)); });

    m_area = new RunViewArea(m_run, m_from, m_to, m_view, this);
    m_strip = new LapStrip(m_run, this);
    m_stripBar = new QScrollBar(Qt::Horizontal, this);
    m_stripBar->setObjectName(QStringLiteral("lapStripScrollBar"));
    m_stripBar->setRange(0, 0);
    m_stripBar->hide();
    // Paging jumps to either end of the run rather than by one screen.
    connect(m_stripBar, &QScrollBar::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderPageStepAdd)
            m_stripBar->setSliderPosition(m_stripBar->maximum());
        else if (action == QAbstractSlider::SliderPageStepSub)
            m_stripBar->setSliderPosition(m_stripBar->minimum());
    });
    connect(m_stripBar, &QScrollBar::valueChanged, m_strip,
            [this](int position) { m_strip->setPosition(position); });

    m_print = new QPushButton(this);
    m_print->setObjectName(QStringLiteral("printButton"));
    const QPixmap picture(QString::fromStdString(m_folder.path("images/impression.bmp").string()));
    if (picture.isNull()) {
        m_print->setText(QStringLiteral("Imprimer"));
    } else {
        m_print->setIcon(QIcon(picture));
        m_print->setIconSize(picture.size());
    }
    m_print->setToolTip(QStringLiteral("Imprimer"));
    connect(m_print, &QPushButton::clicked, this, [this] { printMenu(); });

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_print);
    bottom->addStretch(1);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(controls);
    layout->addWidget(m_area, 1);
    layout->addWidget(m_strip);
    layout->addWidget(m_stripBar);
    layout->addLayout(bottom);
}

void RunAnalysisWindow::showStoredRun(const std::filesystem::path& path, const std::string& title) {
    RunDetails details;
    if (LoadRun(path, title, m_run, details, m_messages) == RunFileOutcome::FileNotFound) {
        m_messages.show(kRunErrorCaption, kRunFileNotFoundText);
        m_run = DriverRun();
        details = RunDetails();
    }
    showRun(Latin(m_run.driverFirstName + " " + m_run.driverName), Latin(details.trackName),
            Latin(details.categoryName), details.when);
}

void RunAnalysisWindow::showSessionKart(const session::SessionKart& kart,
                                        const common::LocalDateTime& now) {
    m_run = DriverRunOfKart(kart);

    databases::CategoryTable categories{};
    databases::LoadCategoriesDatabase(m_folder, categories, m_messages);
    const int slot = databases::FindCategoryOfKart(categories, kart.kartLabel);
    const std::string category = slot >= 0 ? categories[static_cast<std::size_t>(slot)].name
                                           : std::string(session::kPrivateCategoryName);

    session::RentalSession session;
    session::SessionHeader header;
    if (!session::LoadSessionFile(m_folder, session, header)) {
        m_messages.show(session::kSessionFileErrorCaption, session::kSessionFileErrorText);
        header.trackName.clear();
    }
    showRun(Latin(kart.kartLabel + " : " + kart.driverFirstName + " " + kart.driverName),
            Latin(header.trackName), Latin(category),
            RunWhen{now.year, now.month, now.day, now.hour, now.minute, now.second});
}

void RunAnalysisWindow::showRun(const QString& driver, const QString& track,
                                const QString& category, const RunWhen& when) {
    m_driverLine->setText(driver);
    m_trackLine->setText(QStringLiteral("Piste : ") + track);
    m_categoryLine->setText(QString::fromUtf8("Catégorie : ") + category);
    m_dateLine->setText(DateLineOf(when));

    const int last = UsableLastLap(m_run);
    m_from = last > 0 ? 1 : 0;
    m_to = last;
    {
        const QSignalBlocker blockFrom(m_fromEdit);
        const QSignalBlocker blockTo(m_toEdit);
        m_fromEdit->setText(QString::number(m_from));
        m_toEdit->setText(QString::number(m_to));
    }
    m_stripBar->setRange(0, std::max(0, last - (kStripColumns - 1)));
    m_stripBar->setValue(0);
    m_strip->setPosition(0);
    m_stripBar->setVisible(last > kStripColumns - 1);
    m_print->setEnabled(last > 0);
    m_area->changed();
    m_strip->update();
}

// From beyond the last lap falls back to it, and 0 to the first lap while
// the edit keeps what was typed; to beyond the last lap falls back to it.
void RunAnalysisWindow::fromEdited() {
    const int last = UsableLastLap(m_run);
    const int typed = m_fromEdit->text().toInt();
    m_from = ClampReportRange(last, typed, m_to).from;
    if (typed > last) {
        const QSignalBlocker block(m_fromEdit);
        m_fromEdit->setText(QString::number(m_from));
    }
    m_area->changed();
}

void RunAnalysisWindow::toEdited() {
    const int last = UsableLastLap(m_run);
    const int typed = m_toEdit->text().toInt();
    m_to = ClampReportRange(last, m_from, typed).to;
    if (typed > last) {
        const QSignalBlocker block(m_toEdit);
        m_toEdit->setText(QString::number(m_to));
    }
    m_area->changed();
}

void RunAnalysisWindow::chooseView(RunView view) {
    m_view = view;
    m_area->changed();
}

void RunAnalysisWindow::printMenu() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("printMenu"));
    const struct {
        const char* caption;
        RunReportKind kind;
    } reports[] = {{"Synth\xE8se run", RunReportKind::Synthesis},
                   {"D\xE9tail tours", RunReportKind::Laps},
                   {"D\xE9tail passages", RunReportKind::Passings}};
    for (const auto& report : reports) {
        const RunReportKind kind = report.kind;
        printing::AddReportOutputMenu(
            menu, Latin(report.caption), [this, kind](printing::ReportOutput output) {
                const printing::ReportPrinter printer(m_folder, m_pictures);
                printing::OutputReport(printer, this, output,
                                       MakeRunReportJob(m_run, reportHeader(), m_from, m_to, kind));
            });
    }
    menu.exec(QCursor::pos());
}

RunReportHeader RunAnalysisWindow::reportHeader() const {
    return {common::ToCp1252(driverLine()), common::ToCp1252(trackLine()),
            common::ToCp1252(categoryLine()), common::ToCp1252(dateLine())};
}

int RunAnalysisWindow::stripPosition() const {
    return m_strip->position();
}

QString RunAnalysisWindow::driverLine() const {
    return m_driverLine->text();
}
QString RunAnalysisWindow::trackLine() const {
    return m_trackLine->text();
}
QString RunAnalysisWindow::categoryLine() const {
    return m_categoryLine->text();
}
QString RunAnalysisWindow::dateLine() const {
    return m_dateLine->text();
}

} // namespace tallimo::runs
