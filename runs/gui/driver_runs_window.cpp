#include "runs/gui/driver_runs_window.h"

#include "common/gui/text_conversion.h"
#include "runs/core/run_file_path.h"
#include "runs/gui/run_analysis_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tallimo::runs {
namespace {

inline const char* const kRemoveQuestion =
    "Attention !\nSi vous validez, le run sera effac\xE9 d\xE9"
    "finitivement!";

QFont ArialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString Latin(const std::string& cp1252) {
    return common::FromCp1252(cp1252);
}

} // namespace

DriverRunsWindow::DriverRunsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                   printing::PictureLibrary& pictures, RunView& view,
                                   QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "driverRunsWindow", std::nullopt, parent),
      m_pictures(pictures), m_view(view), m_subscribers(databases::MakeSubscriberTable()) {
    build();
    if (!databases::LoadSubscribers(m_subscribers,
                                    this->folder().path(databases::kSubscribersFileName))) {
        databases::ClearSubscribers(m_subscribers);
        messages().show(databases::kSubscribersErrorCaption, databases::kSubscribersFileErrorText);
    }
    std::vector<QString> rows;
    const int count = databases::CountSubscribers(m_subscribers);
    for (int i = 0; i < count; ++i)
        rows.push_back(Latin(databases::SubscriberListText(m_subscribers[static_cast<size_t>(i)])));
    m_list->fill(rows, rows.empty() ? -1 : 0);
    selectSubscriber(rows.empty() ? -1 : 0);
}

DriverRunsWindow::~DriverRunsWindow() = default;

void DriverRunsWindow::build() {
    setFont(ArialFont(14, false));
    heading()->setText(QString::fromUtf8("Base de données : Runs des pilotes abonnés"));
    heading()->setFont(ArialFont(16, true));

    m_list = std::make_unique<databases::RecordList>(
        this, "subscriberList", "driversLabel", "numberLabel", databases::RecordNumbers::Selected);
    m_list->label->setText(QStringLiteral("Pilotes"));
    m_list->label->setFont(ArialFont(14, true));
    m_list->numberLabel->setText(Latin("N\xB0ID"));
    m_list->list->setMinimumWidth(240);
    connect(m_list->list, &QListWidget::currentRowChanged, this,
            [this](int row) { selectSubscriber(row); });
    auto* listGrid = new QGridLayout;
    listGrid->addWidget(m_list->label, 0, 0);
    listGrid->addWidget(m_list->numberLabel, 0, 1);
    listGrid->addWidget(m_list->list, 1, 0, 2, 1);
    listGrid->addWidget(m_list->numbers, 1, 1, Qt::AlignTop);

    auto readOnly = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        edit->setFont(ArialFont(14, true));
        return edit;
    };
    m_driverEdit = readOnly("driverEdit");
    m_runsDriverEdit = readOnly("runsDriverEdit");

    m_saving = new QCheckBox(QStringLiteral("Activation de la sauvegarde des runs"), this);
    m_saving->setObjectName(QStringLiteral("savingCheckBox"));
    connect(m_saving, &QCheckBox::clicked, this, [this](bool ticked) { savingClicked(ticked); });

    m_fillRate = new QLabel(this);
    m_fillRate->setObjectName(QStringLiteral("fillRateLabel"));
    m_fillRate->setFont(ArialFont(18, true));
    auto* fillRow = new QHBoxLayout;
    fillRow->addWidget(new QLabel(QStringLiteral("Taux remplissage :"), this));
    fillRow->addWidget(m_fillRate);
    fillRow->addStretch(1);

    auto* runsOf = new QLabel(QString::fromUtf8("Runs sauvegardés de"), this);
    runsOf->setFont(ArialFont(14, true));

    m_runsCombo = new QComboBox(this);
    m_runsCombo->setObjectName(QStringLiteral("runsCombo"));
    m_runsCombo->setMinimumWidth(280);
    connect(m_runsCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { runChosen(index); });

    m_removeRun = new QPushButton(QStringLiteral("Supprimer le run"), this);
    m_removeRun->setObjectName(QStringLiteral("removeRunButton"));
    connect(m_removeRun, &QPushButton::clicked, this, [this] { removeChosenRun(); });

    auto* fields = new QVBoxLayout;
    fields->addWidget(m_driverEdit);
    fields->addWidget(m_saving);
    fields->addLayout(fillRow);
    fields->addSpacing(12);
    fields->addWidget(runsOf);
    fields->addWidget(m_runsDriverEdit);
    fields->addWidget(m_runsCombo);
    fields->addWidget(m_removeRun, 0, Qt::AlignLeft);
    fields->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(listGrid);
    body->addSpacing(16);
    body->addLayout(fields, 1);
    layOut(body);
    useTemplateTexts(QString::fromUtf8("Base de données Runs pilotes"));
    // The window keeps nothing to discard: "OK" is its only way out.
    cancelButton()->hide();
    okButton()->setText(QStringLiteral("OK"));
}

const databases::Subscriber* DriverRunsWindow::selected() const {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_subscribers.size()))
        return nullptr;
    const databases::Subscriber& subscriber = m_subscribers[static_cast<size_t>(m_selected)];
    return subscriber.name.empty() ? nullptr : &subscriber;
}

std::filesystem::path DriverRunsWindow::runFile() const {
    const databases::Subscriber* subscriber = selected();
    return subscriber ? RunFilePath(folder(), subscriber->name, subscriber->firstName)
                      : std::filesystem::path();
}

void DriverRunsWindow::selectSubscriber(int row) {
    m_selected = row;
    m_list->select(row);
    const databases::Subscriber* subscriber = selected();
    const QString driver =
        subscriber ? Latin(databases::SubscriberListText(*subscriber)) : QString();
    m_driverEdit->setText(driver);
    m_runsDriverEdit->setText(driver);
    m_saving->setEnabled(subscriber != nullptr);
    loadRuns();
}

void DriverRunsWindow::loadRuns() {
    m_runs = RunTitleList();
    if (selected() != nullptr && !ListRunTitles(runFile(), m_runs))
        messages().show(kRunErrorCaption, kRunFileNotFoundText);
    SortRunTitles(m_runs.titles);
    {
        const QSignalBlocker block(m_runsCombo);
        m_runsCombo->clear();
        m_runsCombo->addItem(QString());
        for (const std::string& title : m_runs.titles)
            m_runsCombo->addItem(Latin(title));
        m_runsCombo->setCurrentIndex(0);
    }
    m_saving->setChecked(m_runs.savingFlag == 1);
    showFillRate();
}

int DriverRunsWindow::runCount() const {
    return m_runsCombo->count() - 1;
}

void DriverRunsWindow::showFillRate() {
    const FillRate rate = RunFillRate(runCount());
    m_fillRate->setText(Latin(rate.text));
    QPalette palette = m_fillRate->palette();
    palette.setColor(QPalette::WindowText, QColor(rate.red, rate.green, rate.blue));
    m_fillRate->setPalette(palette);
}

void DriverRunsWindow::savingClicked(bool ticked) {
    if (selected() == nullptr)
        return;
    const int flag = ticked ? 1 : 0;
    // A file that cannot be written keeps its flag, and the box shows it.
    if (!WriteRunFileFlags(runFile(), flag, m_runs.fullFlag)) {
        messages().show(kRunErrorCaption, kRunFileNotFoundText);
        m_saving->setChecked(m_runs.savingFlag == 1);
        return;
    }
    m_runs.savingFlag = flag;
}

void DriverRunsWindow::runChosen(int index) {
    if (index <= 0 || selected() == nullptr)
        return;
    RunAnalysisWindow analysis(folder(), dialogs(), m_pictures, m_view, this);
    analysis.showStoredRun(runFile(), common::ToCp1252(m_runsCombo->itemText(index)));
    analysis.exec();
}

void DriverRunsWindow::removeChosenRun() {
    const int index = m_runsCombo->currentIndex();
    if (index <= 0 || selected() == nullptr)
        return;
    if (dialogs().ask(this, "Attention", kRemoveQuestion, common::DialogIcon::Exclamation,
                      common::DialogButtons::YesNo) != common::DialogAnswer::Yes)
        return;
    const std::filesystem::path path = runFile();
    RemoveRun(path, common::ToCp1252(m_runsCombo->itemText(index)), messages());
    loadRuns();
    if (runCount() < kMaxStoredRuns && m_runs.fullFlag == 1) {
        if (WriteRunFileFlags(path, m_runs.savingFlag, 0))
            m_runs.fullFlag = 0;
        else
            messages().show(kRunErrorCaption, kRunFileNotFoundText);
    }
}

} // namespace tallimo::runs
