#include "databases/gui/kart_categories_window.h"

#include "common/gui/text_conversion.h"
#include "i18n/core/file_filter_texts.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <string>

namespace tallimo::databases {
namespace {

constexpr std::string_view kTextsStem = "BaseCategoriesKarts";

// Rows of the window's own table.
constexpr int kRowHeading = 0;
constexpr int kRowCategories = 1;
constexpr int kRowDescription = 2;
constexpr int kRowCharacteristics = 3;

// Rows of the shared button words.
constexpr int kWordAdd = 0;
constexpr int kWordRemove = 1;
constexpr int kWordImport = 2;
constexpr int kWordExport = 3;
constexpr int kWordNumber = 6;
constexpr int kWordNew = 13;
constexpr int kWordOk = 14;
constexpr int kWordCancel = 15;

constexpr int kClientWidth = 810;
constexpr int kClientHeight = 530;

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

// The file keeps the characteristics' line breaks as CR LF, the text
// control works with bare LF.
QString CharacteristicsForDisplay(const std::string& cp1252) {
    QString text = common::FromCp1252(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string CharacteristicsFromDisplay(const QString& shown) {
    QString text = shown;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return common::ToCp1252(text);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& place) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(place);
    // Enter in an edit must not press a button: "Ok" would write and close.
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& place) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

} // namespace

KartCategoriesWindow::KartCategoriesWindow(common::WorkingFolder folder,
                                           common::OperatorDialogs& dialogs,
                                           printing::PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_pictures(pictures) {
    setObjectName("kartCategoriesWindow");
    setModal(true);
    m_chooseFile = SystemFileChooser(m_folder, kCategoriesExportExtension);
    buildControls();
    loadTexts();
    loadCategories();
}

void KartCategoriesWindow::setFileChooser(FileChooser chooser) {
    m_chooseFile =
        chooser ? std::move(chooser) : SystemFileChooser(m_folder, kCategoriesExportExtension);
}

void KartCategoriesWindow::buildControls() {
    setFixedSize(kClientWidth, kClientHeight);

    m_heading = MakeLabel(this, "headingLabel", QRect(20, 10, 500, 24));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    m_heading->setFont(headingFont);

    m_newLabel = MakeLabel(this, "newLabel", QRect(20, 50, 90, 24));
    m_newName = new QLineEdit(this);
    m_newName->setObjectName("newNameEdit");
    m_newName->setGeometry(110, 50, 170, 24);
    m_newName->setMaxLength(static_cast<int>(kKartCategoryNameEntryChars));
    m_add = MakeButton(this, "addButton", QRect(290, 49, 110, 26));

    m_numberHeader = MakeLabel(this, "numberHeader", QRect(20, 90, 50, 22));
    m_listLabel = MakeLabel(this, "categoriesLabel", QRect(75, 90, 260, 22));
    m_numbers = new QListWidget(this);
    m_numbers->setObjectName("numberList");
    m_numbers->setGeometry(20, 114, 50, 120);
    m_numbers->setSelectionMode(QAbstractItemView::NoSelection);
    m_numbers->setFocusPolicy(Qt::NoFocus);
    m_list = new QListWidget(this);
    m_list->setObjectName("categoryList");
    m_list->setGeometry(75, 114, 205, 120);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_delete = MakeButton(this, "deleteButton", QRect(290, 114, 110, 26));

    m_name = new QLineEdit(this);
    m_name->setObjectName("categoryNameEdit");
    m_name->setGeometry(20, 250, 260, 24);
    m_name->setReadOnly(true);

    m_descriptionLabel = MakeLabel(this, "descriptionLabel", QRect(20, 285, 300, 22));
    m_description = new QLineEdit(this);
    m_description->setObjectName("descriptionEdit");
    m_description->setGeometry(20, 308, 500, 24);
    m_description->setMaxLength(static_cast<int>(kKartCategoryDescriptionEntryChars));

    m_characteristicsLabel = MakeLabel(this, "characteristicsLabel", QRect(20, 342, 300, 22));
    m_characteristics = new QPlainTextEdit(this);
    m_characteristics->setObjectName("characteristicsEdit");
    m_characteristics->setGeometry(20, 365, 500, 145);
    m_characteristics->setTabChangesFocus(true);

    m_picture = MakeLabel(this, "pictureBox",
                          QRect(kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_import = MakeButton(this, "importButton", QRect(540, 230, 120, 28));
    m_export = MakeButton(this, "exportButton", QRect(670, 230, 120, 28));
    m_ok = MakeButton(this, "okButton", QRect(540, 482, 120, 28));
    m_cancel = MakeButton(this, "cancelButton", QRect(670, 482, 120, 28));

    connect(m_add, &QPushButton::clicked, this, [this] { addCategory(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteCategory(); });
    connect(m_import, &QPushButton::clicked, this, [this] { importCategories(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportCategories(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { saveAndClose(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    // Only the operator's typing counts: filling the field must not write.
    connect(m_description, &QLineEdit::textEdited, this, [this] { copyDescription(); });
    connect(m_characteristics, &QPlainTextEdit::textChanged, this,
            [this] { copyCharacteristics(); });
}

void KartCategoriesWindow::loadTexts() {
    const i18n::WindowTexts texts =
        LoadDatabaseWindowTexts(m_folder, kTextsStem, kRowCharacteristics + 1, m_dialogs, this);
    m_language = texts.languages.interfaceCode;

    // A label the files do not give keeps the dialog template's text.
    const auto label = [&](int row, const char* fallback) {
        return TextOr(texts.label(row), fallback);
    };
    const auto word = [&](int row, const char* fallback) {
        return TextOr(texts.word(row), fallback);
    };

    setWindowTitle(
        common::FromCp1252(i18n::WindowTitle(i18n::TitledWindow::KartCategories, m_language)));
    m_heading->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des cat\xE9gories de karts"));
    m_listLabel->setText(label(kRowCategories, "Cat\xE9gories  (5 max)"));
    m_descriptionLabel->setText(label(kRowDescription, "Rapide description :"));
    m_characteristicsLabel->setText(label(kRowCharacteristics, "Caract\xE9ristiques :"));
    m_newLabel->setText(word(kWordNew, "Nouvelle"));
    m_numberHeader->setText(word(kWordNumber, "N\xB0ID"));
    m_add->setText(word(kWordAdd, "Ajouter"));
    m_delete->setText(word(kWordRemove, "Supprimer"));
    m_import->setText(word(kWordImport, "Importer"));
    m_export->setText(word(kWordExport, "Exporter"));
    m_ok->setText(word(kWordOk, "Ok"));
    m_cancel->setText(word(kWordCancel, "Echap"));
}

void KartCategoriesWindow::loadCategories() {
    common::DialogMessageSink sink(m_dialogs, this);
    LoadCategoriesDatabase(m_folder, m_table, sink);
    showList(-1);
}

void KartCategoriesWindow::addCategory() {
    const int slot = AddCategory(m_table, common::ToCp1252(m_newName->text()));
    if (slot >= 0)
        showList(slot);
}

void KartCategoriesWindow::deleteCategory() {
    const int slot = selectedSlot();
    if (slot < 0)
        return;
    // Copied first: deleting clears the very name it compares with.
    const std::string name = m_table[slot].name;
    DeleteCategory(m_table, name);
    showList(-1);
}

void KartCategoriesWindow::importCategories() {
    const QString chosen =
        ChooseFile(m_chooseFile, this, false, i18n::FilteredFile::KartCategories, m_language);
    if (chosen.isEmpty())
        return;
    // A file that cannot be read leaves the table being edited as it was.
    if (!LoadCategories(m_table, PathOf(chosen))) {
        m_dialogs.inform(this, kCategoriesErrorCaption, kCategoriesImportErrorText,
                         common::DialogIcon::Stop);
        return;
    }
    showList(-1);
}

void KartCategoriesWindow::exportCategories() {
    const std::optional<std::filesystem::path> target =
        ChooseExportFile(m_chooseFile, this, i18n::FilteredFile::KartCategories,
                         kCategoriesExportExtension, m_language, m_dialogs);
    if (!target)
        return;
    if (!SaveCategories(m_table, kCategorySlots, *target))
        m_dialogs.inform(this, kCategoriesErrorCaption, kCategoriesExportErrorText,
                         common::DialogIcon::Stop);
}

void KartCategoriesWindow::saveAndClose() {
    common::DialogMessageSink sink(m_dialogs, this);
    // On a failed write the window stays open with the edits, so that they
    // are not lost; "Echap" still leaves.
    if (SaveCategoriesDatabase(m_folder, m_table, sink))
        accept();
}

void KartCategoriesWindow::showList(int slot) {
    const std::vector<int> listed = ListedCategorySlots(m_table);
    int row = listed.empty() ? -1 : 0;
    {
        const QSignalBlocker blockList(m_list);
        m_list->clear();
        m_numbers->clear();
        for (std::size_t i = 0; i < listed.size(); ++i) {
            m_numbers->addItem(QString::number(static_cast<int>(i) + 1));
            m_list->addItem(common::FromCp1252(m_table[listed[i]].name));
            if (listed[i] == slot)
                row = static_cast<int>(i);
        }
        m_list->setCurrentRow(row);
    }
    showSelected();
}

int KartCategoriesWindow::selectedSlot() const {
    const int row = m_list->currentRow();
    const std::vector<int> listed = ListedCategorySlots(m_table);
    if (row < 0 || row >= static_cast<int>(listed.size()))
        return -1;
    return listed[static_cast<std::size_t>(row)];
}

void KartCategoriesWindow::showSelected() {
    const int slot = selectedSlot();
    m_showing = true;
    if (slot >= 0) {
        const KartCategory& category = m_table[slot];
        m_name->setText(common::FromCp1252(category.name));
        m_description->setText(common::FromCp1252(category.description));
        m_characteristics->setPlainText(CharacteristicsForDisplay(category.characteristics));
    } else {
        m_name->clear();
        m_description->clear();
        m_characteristics->clear();
    }
    m_showing = false;
    // With no category selected there is nowhere to copy an edit to.
    m_description->setEnabled(slot >= 0);
    m_characteristics->setEnabled(slot >= 0);
    m_delete->setEnabled(slot >= 0);
    showPicture(slot);
}

void KartCategoriesWindow::showPicture(int slot) {
    m_picture->clear();
    if (slot < 0)
        return;
    const std::string file = "images/Kart" + std::to_string(slot + 1) + ".bmp";
    const std::optional<std::filesystem::path> bitmap =
        printing::BitmapToDraw(m_pictures, m_folder, m_folder.path(file));
    if (!bitmap)
        return;
    const QImage image(FromPath(*bitmap));
    if (image.isNull())
        return;
    const printing::PictureSize fitted =
        printing::FitPicture({image.width(), image.height()}, {kPictureWidth, kPictureHeight});
    if (fitted.width <= 0 || fitted.height <= 0)
        return;
    m_picture->setPixmap(QPixmap::fromImage(image.scaled(
        fitted.width, fitted.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void KartCategoriesWindow::copyDescription() {
    const int slot = selectedSlot();
    if (m_showing || slot < 0)
        return;
    std::string text = common::ToCp1252(m_description->text());
    if (text.size() > kKartCategoryDescriptionEntryChars)
        text.resize(kKartCategoryDescriptionEntryChars);
    m_table[slot].description = std::move(text);
}

void KartCategoriesWindow::copyCharacteristics() {
    const int slot = selectedSlot();
    if (m_showing || slot < 0)
        return;
    std::string text = CharacteristicsFromDisplay(m_characteristics->toPlainText());
    if (text.size() > kKartCharacteristicsEntryChars) {
        // The limit counts a line break as its two bytes, as the file holds
        // it; a cut never leaves half of one.
        text.resize(kKartCharacteristicsEntryChars);
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        m_showing = true;
        m_characteristics->setPlainText(CharacteristicsForDisplay(text));
        m_characteristics->moveCursor(QTextCursor::End);
        m_showing = false;
    }
    m_table[slot].characteristics = std::move(text);
}

} // namespace tallimo::databases
