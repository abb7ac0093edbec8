#include "databases/gui/age_categories_window.h"

#include "common/core/name_rules.h"
#include "common/gui/text_conversion.h"
#include "databases/core/record_rules.h"
#include "databases/gui/date_combos.h"
#include "i18n/core/age_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string_view>
#include <utility>

namespace tallimo::databases {

using common::FromCp1252;
using common::ToCp1252;

namespace {

constexpr std::string_view kTextsStem = "BaseCategoriesAge";
constexpr int kRowCount = 16;

// The window's own file is the shared vocabulary: the button words sit
// among these rows.
enum Row {
    kRowHeading = 4,
    kRowList = 5,
    kRowName = 7,
    kRowBorn = 8,
    kRowAnd = 9,
};

} // namespace

AgeCategoriesWindow::AgeCategoriesWindow(common::WorkingFolder folder,
                                         common::OperatorDialogs& dialogs,
                                         const common::LocalClock& clock, QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "ageCategoriesWindow",
                    ExchangeFormat{i18n::FilteredFile::AgeCategories, kAgeCategoriesExportExtension,
                                   "Error", kAgeCategoriesImportErrorText,
                                   kAgeCategoriesExportErrorText},
                    parent),
      m_editor(m_categories, AgeCategoryRules()) {
    const common::LocalDateTime now = clock.now();
    m_currentYearIndex = std::max(0, now.year - 1900);
    m_nowMonths = (now.month - 1) + 12 * m_currentYearIndex;

    buildControls();
    loadTexts();
    for (QComboBox* months : {m_fromMonth, m_toMonth})
        FillMonthCombo(months, language());
    for (QComboBox* years : {m_fromYear, m_toYear})
        FillYearCombo(years, m_currentYearIndex);

    LoadAgeCategoriesDatabase(this->folder(), m_categories, messages());
    m_editor.selectFirst();
    showList();
}

AgeCategoriesWindow::~AgeCategoriesWindow() = default;

bool AgeCategoriesWindow::save(common::MessageSink& messages) {
    return SaveAgeCategoriesDatabase(this->folder(), m_categories, messages);
}

bool AgeCategoriesWindow::exportTo(const std::filesystem::path& path) const {
    return SaveAgeCategories(m_categories, CountAgeCategories(m_categories), path);
}

void AgeCategoriesWindow::buildControls() {
    m_newLabel = wordLabel("newLabel", ButtonWord::New);
    m_newCode = LimitedEdit("newCodeEdit", this, static_cast<int>(kAgeCodeChars));
    m_add = wordButton("addButton", ButtonWord::Add);
    RecordList& list =
        recordList("categoryList", "categoryListLabel", "numberListLabel", RecordNumbers::Selected);
    m_remove = wordButton("removeButton", ButtonWord::Remove);

    m_code = NamedEdit("codeEdit", this, true);
    m_nameLabel = NamedLabel("nameLabel", this);
    m_name = LimitedEdit("nameEdit", this, static_cast<int>(kAgeCategoryNameChars) - 1);
    m_bornLabel = NamedLabel("bornLabel", this);
    m_fromMonth = NamedCombo("fromMonthCombo", this);
    m_fromYear = NamedCombo("fromYearCombo", this);
    m_fromAge = NamedLabel("fromAgeLabel", this);
    m_andLabel = NamedLabel("andLabel", this);
    m_toMonth = NamedCombo("toMonthCombo", this);
    m_toYear = NamedCombo("toYearCombo", this);
    m_toAge = NamedLabel("toAgeLabel", this);
    m_sex.emplace(this);

    QVBoxLayout* left = NewRecordColumn(m_newLabel, m_newCode, m_add, list.layOut(m_remove), 1);

    auto* fields = new QGridLayout;
    fields->addWidget(m_code, 0, 0, 1, 4);
    fields->addWidget(m_nameLabel, 1, 0);
    fields->addWidget(m_name, 1, 1, 1, 3);
    fields->addWidget(m_bornLabel, 2, 0);
    fields->addWidget(m_fromMonth, 2, 1);
    fields->addWidget(m_fromYear, 2, 2);
    fields->addWidget(m_fromAge, 2, 3);
    fields->addWidget(m_andLabel, 3, 0, Qt::AlignRight);
    fields->addWidget(m_toMonth, 3, 1);
    fields->addWidget(m_toYear, 3, 2);
    fields->addWidget(m_toAge, 3, 3);
    fields->addWidget(m_sex->label, 4, 0);
    fields->addWidget(m_sex->man, 4, 1);
    fields->addWidget(m_sex->woman, 4, 2);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    layOut(body);

    attachEditor<AgeCategoryTable>(
        m_editor, m_newCode, m_add, m_remove,
        [](const AgeCategory& category) { return FromCp1252(category.code); },
        [this] { showCategory(); }, {.clearedOnRefill = true});
    // textEdited, not textChanged: showing a record must not count as an edit.
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.edit([&](AgeCategory& category) {
            category.ageCategoryName =
                common::ReplaceDashes(ToCp1252(text)).substr(0, kAgeCategoryNameChars);
        });
    });
    // Filling the combos as the window opens reaches no record: none is
    // selected yet.
    for (QComboBox* combo : {m_fromMonth, m_fromYear})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { datesChanged(true); });
    for (QComboBox* combo : {m_toMonth, m_toYear})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { datesChanged(false); });
    connect(m_sex->man, &QRadioButton::toggled, this, [this](bool checked) {
        m_editor.edit([&](AgeCategory& category) { category.sex = checked ? 1 : 0; });
    });
}

void AgeCategoriesWindow::loadTexts() {
    const WindowLabels label =
        EditingWindow::loadTexts(kTextsStem, kRowCount, i18n::TitledWindow::AgeCategories);
    heading()->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des cat\xE9gories d'age"));
    findChild<QLabel*>(QStringLiteral("categoryListLabel"))
        ->setText(label(kRowList, "Cat\xE9g  (20 max)"));
    m_nameLabel->setText(label(kRowName, "Nom cat\xE9gorie :"));
    m_bornLabel->setText(label(kRowBorn, "N\xE9(e) entre :"));
    m_andLabel->setText(label(kRowAnd, "et"));
    m_sex->setLabels(label.texts);
}

void AgeCategoriesWindow::datesChanged(bool fromChanged) {
    const bool edited = m_editor.edit([&](AgeCategory& category) {
        if (fromChanged)
            SetAgeCategoryFrom(category, m_fromMonth->currentIndex(), m_fromYear->currentIndex());
        else
            SetAgeCategoryTo(category, m_toMonth->currentIndex(), m_toYear->currentIndex());
    });
    if (edited)
        showCategory();
}

void AgeCategoriesWindow::showCategory() {
    static const AgeCategory kNone{};
    AgeCategory* selected = m_editor.current();
    if (selected) {
        // The month counts follow the dates whenever the record is shown.
        selected->fromMonths = selected->fromMonth + 12 * selected->fromYear;
        selected->toMonths = selected->toMonth + 12 * selected->toYear;
    }
    const AgeCategory& category = selected ? *selected : kNone;
    const bool enabled = selected != nullptr;
    m_code->setText(FromCp1252(category.code));
    m_name->setText(FromCp1252(category.ageCategoryName));
    const std::pair<QComboBox*, int> combos[] = {{m_fromMonth, category.fromMonth},
                                                 {m_fromYear, category.fromYear},
                                                 {m_toMonth, category.toMonth},
                                                 {m_toYear, category.toYear}};
    for (const auto& [combo, value] : combos) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(enabled && value >= 0 && value < combo->count() ? value : -1);
        combo->setEnabled(enabled);
    }
    {
        const QSignalBlocker manBlocker(m_sex->man);
        const QSignalBlocker womanBlocker(m_sex->woman);
        m_sex->man->setChecked(enabled && category.sex == 1);
        m_sex->woman->setChecked(enabled && category.sex != 1);
    }
    for (QWidget* widget : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_sex->man),
                            static_cast<QWidget*>(m_sex->woman)})
        widget->setEnabled(enabled);
    m_fromAge->setText(enabled ? FromCp1252(i18n::AgeText(
                                     AgeInYears(category.fromMonths, m_nowMonths), language()))
                               : QString());
    m_toAge->setText(
        enabled ? FromCp1252(i18n::AgeText(AgeInYears(category.toMonths, m_nowMonths), language()))
                : QString());
}

} // namespace tallimo::databases
