#include "databases/gui/age_categories_window.h"

#include "common/core/name_rules.h"
#include "common/gui/text_conversion.h"
#include "databases/gui/date_combos.h"
#include "i18n/core/age_text.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <QButtonGroup>
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

enum Row {
    kRowAdd = 0,
    kRowRemove = 1,
    kRowImport = 2,
    kRowExport = 3,
    kRowHeading = 4,
    kRowList = 5,
    kRowNumber = 6,
    kRowName = 7,
    kRowBorn = 8,
    kRowAnd = 9,
    kRowSex = 10,
    kRowMan = 11,
    kRowWoman = 12,
    kRowNew = 13,
    kRowOk = 14,
    kRowCancel = 15
};

} // namespace

AgeCategoriesWindow::AgeCategoriesWindow(common::WorkingFolder folder,
                                         common::OperatorDialogs& dialogs,
                                         const common::LocalClock& clock, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs),
      m_chooser(SystemFileChooser(m_folder, kAgeCategoriesExportExtension)) {
    const common::LocalDateTime now = clock.now();
    m_currentYearIndex = std::max(0, now.year - 1900);
    m_nowMonths = (now.month - 1) + 12 * m_currentYearIndex;

    buildControls();
    loadTexts();
    for (QComboBox* months : {m_fromMonth, m_toMonth})
        FillMonthCombo(months, m_language);
    for (QComboBox* years : {m_fromYear, m_toYear})
        FillYearCombo(years, m_currentYearIndex);

    common::DialogMessageSink sink(m_dialogs, this);
    LoadAgeCategoriesDatabase(m_folder, m_categories, sink);
    showList(CountAgeCategories(m_categories) > 0 ? 0 : -1);
    connectControls();
}

AgeCategoriesWindow::~AgeCategoriesWindow() = default;

void AgeCategoriesWindow::setFileChooser(FileChooser chooser) {
    m_chooser =
        chooser ? std::move(chooser) : SystemFileChooser(m_folder, kAgeCategoriesExportExtension);
}

void AgeCategoriesWindow::buildControls() {
    m_heading = NamedLabel("headingLabel", this);
    m_newLabel = NamedLabel("newLabel", this);
    m_newCode = LimitedEdit("newCodeEdit", this, static_cast<int>(kAgeCodeChars));
    m_add = NamedButton("addButton", this);
    m_listLabel = NamedLabel("categoryListLabel", this);
    m_numberLabel = NamedLabel("numberListLabel", this);
    m_codeList = new QListWidget(this);
    m_codeList->setObjectName("categoryList");
    m_numberList = new QListWidget(this);
    m_numberList->setObjectName("numberList");
    m_numberList->setFixedWidth(48);
    m_remove = NamedButton("removeButton", this);

    m_code = NamedEdit("codeEdit", this, true);
    m_nameLabel = NamedLabel("nameLabel", this);
    m_name = NamedEdit("nameEdit", this, false);
    m_name->setMaxLength(static_cast<int>(kAgeCategoryNameChars) - 1);
    m_bornLabel = NamedLabel("bornLabel", this);
    m_fromMonth = NamedCombo("fromMonthCombo", this);
    m_fromYear = NamedCombo("fromYearCombo", this);
    m_fromAge = NamedLabel("fromAgeLabel", this);
    m_andLabel = NamedLabel("andLabel", this);
    m_toMonth = NamedCombo("toMonthCombo", this);
    m_toYear = NamedCombo("toYearCombo", this);
    m_toAge = NamedLabel("toAgeLabel", this);
    m_sexLabel = NamedLabel("sexLabel", this);
    m_man = NamedRadio("manRadio", this);
    m_woman = NamedRadio("womanRadio", this);
    auto* sexes = new QButtonGroup(this);
    sexes->addButton(m_man);
    sexes->addButton(m_woman);

    m_import = NamedButton("importButton", this);
    m_export = NamedButton("exportButton", this);
    m_ok = NamedButton("okButton", this);
    m_cancel = NamedButton("cancelButton", this);

    auto* adding = new QHBoxLayout;
    adding->addWidget(m_newLabel);
    adding->addWidget(m_newCode);
    adding->addWidget(m_add);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_codeList, 1);
    lists->addWidget(m_numberList);
    auto* left = new QVBoxLayout;
    left->addLayout(adding);
    left->addWidget(m_listLabel);
    left->addWidget(m_numberLabel);
    left->addLayout(lists, 1);
    left->addWidget(m_remove);

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
    fields->addWidget(m_sexLabel, 4, 0);
    fields->addWidget(m_man, 4, 1);
    fields->addWidget(m_woman, 4, 2);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    LayOutDatabaseWindow(this, m_heading, body, m_import, m_export, m_ok, m_cancel);
}

void AgeCategoriesWindow::loadTexts() {
    const i18n::WindowTexts texts =
        LoadDatabaseWindowTexts(m_folder, kTextsStem, kRowCount, m_dialogs, this);
    m_language = texts.languages.interfaceCode;
    // A label the files do not give keeps the dialog template's text.
    const auto label = [&](int row, const char* fallback) {
        return TextOr(texts.label(row), fallback);
    };
    setWindowTitle(FromCp1252(i18n::WindowTitle(i18n::TitledWindow::AgeCategories, m_language)));
    m_heading->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des cat\xE9gories d'age"));
    m_listLabel->setText(label(kRowList, "Cat\xE9g  (20 max)"));
    m_numberLabel->setText(label(kRowNumber, "N\xB0ID"));
    m_nameLabel->setText(label(kRowName, "Nom cat\xE9gorie :"));
    m_bornLabel->setText(label(kRowBorn, "N\xE9(e) entre :"));
    m_andLabel->setText(label(kRowAnd, "et"));
    m_sexLabel->setText(label(kRowSex, "Sexe :"));
    m_man->setText(label(kRowMan, "Homme"));
    m_woman->setText(label(kRowWoman, "Femme"));
    m_newLabel->setText(label(kRowNew, "Nouvelle"));
    m_add->setText(label(kRowAdd, "Ajouter"));
    m_remove->setText(label(kRowRemove, "Supprimer"));
    m_import->setText(label(kRowImport, "Importer"));
    m_export->setText(label(kRowExport, "Exporter"));
    m_ok->setText(label(kRowOk, "Ok"));
    m_cancel->setText(label(kRowCancel, "Echap"));
}

void AgeCategoriesWindow::connectControls() {
    connect(m_add, &QPushButton::clicked, this, &AgeCategoriesWindow::addCategory);
    connect(m_newCode, &QLineEdit::returnPressed, this, &AgeCategoriesWindow::addCategory);
    connect(m_remove, &QPushButton::clicked, this, &AgeCategoriesWindow::removeCategory);
    connect(m_import, &QPushButton::clicked, this, &AgeCategoriesWindow::importCategories);
    connect(m_export, &QPushButton::clicked, this, &AgeCategoriesWindow::exportCategories);
    connect(m_ok, &QPushButton::clicked, this, &AgeCategoriesWindow::saveAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_codeList, &QListWidget::currentRowChanged, this,
            &AgeCategoriesWindow::selectCategory);
    // textEdited, not textChanged: showing a record must not count as an edit.
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (AgeCategory* category = selectedCategory())
            category->ageCategoryName =
                common::ReplaceDashes(ToCp1252(text)).substr(0, kAgeCategoryNameChars);
    });
    for (QComboBox* combo : {m_fromMonth, m_fromYear})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { datesChanged(true); });
    for (QComboBox* combo : {m_toMonth, m_toYear})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { datesChanged(false); });
    connect(m_man, &QRadioButton::toggled, this, [this](bool checked) {
        if (AgeCategory* category = selectedCategory())
            category->sex = checked ? 1 : 0;
    });
}

AgeCategory* AgeCategoriesWindow::selectedCategory() {
    return m_selected >= 0 && m_selected < CountAgeCategories(m_categories)
               ? &m_categories[static_cast<std::size_t>(m_selected)]
               : nullptr;
}

void AgeCategoriesWindow::addCategory() {
    const int added = AddAgeCategory(m_categories, ToCp1252(m_newCode->text()));
    if (added < 0)
        return;
    m_newCode->clear();
    showList(added);
}

void AgeCategoriesWindow::removeCategory() {
    if (!selectedCategory() || !RemoveAgeCategory(m_categories, m_selected))
        return;
    m_newCode->clear();
    showList(CountAgeCategories(m_categories) > 0 ? 0 : -1);
}

void AgeCategoriesWindow::importCategories() {
    const QString chosen =
        ChooseFile(m_chooser, this, false, i18n::FilteredFile::AgeCategories, m_language);
    if (chosen.isEmpty())
        return;
    // A file that cannot be read must not cost the categories being edited.
    AgeCategoryTable imported{};
    if (!LoadAgeCategories(imported, PathOf(chosen))) {
        m_dialogs.inform(this, "Error", kAgeCategoriesImportErrorText, common::DialogIcon::Stop);
        return;
    }
    m_categories = std::move(imported);
    m_newCode->clear();
    showList(CountAgeCategories(m_categories) > 0 ? 0 : -1);
}

void AgeCategoriesWindow::exportCategories() {
    const std::optional<std::filesystem::path> target =
        ChooseExportFile(m_chooser, this, i18n::FilteredFile::AgeCategories,
                         kAgeCategoriesExportExtension, m_language, m_dialogs);
    if (!target)
        return;
    if (!SaveAgeCategories(m_categories, CountAgeCategories(m_categories), *target))
        m_dialogs.inform(this, "Error", kAgeCategoriesExportErrorText, common::DialogIcon::Stop);
}

void AgeCategoriesWindow::saveAndClose() {
    common::DialogMessageSink sink(m_dialogs, this);
    // On a failed write the window stays open, so nothing typed is lost.
    if (SaveAgeCategoriesDatabase(m_folder, m_categories, sink))
        accept();
}

void AgeCategoriesWindow::datesChanged(bool fromChanged) {
    AgeCategory* category = selectedCategory();
    if (!category)
        return;
    if (fromChanged)
        SetAgeCategoryFrom(*category, m_fromMonth->currentIndex(), m_fromYear->currentIndex());
    else
        SetAgeCategoryTo(*category, m_toMonth->currentIndex(), m_toYear->currentIndex());
    showCategory();
}

void AgeCategoriesWindow::showList(int index) {
    {
        const QSignalBlocker blocker(m_codeList);
        m_codeList->clear();
        for (int i = 0; i < CountAgeCategories(m_categories); ++i)
            m_codeList->addItem(FromCp1252(m_categories[static_cast<std::size_t>(i)].code));
    }
    selectCategory(index);
}

void AgeCategoriesWindow::selectCategory(int index) {
    m_selected = index >= 0 && index < CountAgeCategories(m_categories) ? index : -1;
    {
        const QSignalBlocker blocker(m_codeList);
        m_codeList->setCurrentRow(m_selected);
    }
    ShowRecordNumber(m_numberList, m_selected);
    showCategory();
}

void AgeCategoriesWindow::showCategory() {
    static const AgeCategory kNone{};
    AgeCategory* selected = selectedCategory();
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
        const QSignalBlocker manBlocker(m_man);
        const QSignalBlocker womanBlocker(m_woman);
        m_man->setChecked(enabled && category.sex == 1);
        m_woman->setChecked(enabled && category.sex != 1);
    }
    for (QWidget* widget : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_man),
                            static_cast<QWidget*>(m_woman), static_cast<QWidget*>(m_remove)})
        widget->setEnabled(enabled);
    m_fromAge->setText(enabled ? FromCp1252(i18n::AgeText(
                                     AgeInYears(category.fromMonths, m_nowMonths), m_language))
                               : QString());
    m_toAge->setText(
        enabled ? FromCp1252(i18n::AgeText(AgeInYears(category.toMonths, m_nowMonths), m_language))
                : QString());
}

} // namespace tallimo::databases
