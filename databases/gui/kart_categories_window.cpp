#include "databases/gui/kart_categories_window.h"

#include "databases/core/record_rules.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include <string>

namespace tallimo::databases {
namespace {

constexpr std::string_view kTextsStem = "BaseCategoriesKarts";

// Rows of the window's own table.
enum Row { kRowHeading, kRowCategories, kRowDescription, kRowCharacteristics, kRowCount };

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

} // namespace

KartCategoriesWindow::KartCategoriesWindow(common::WorkingFolder folder,
                                           common::OperatorDialogs& dialogs,
                                           printing::PictureLibrary& pictures, QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "kartCategoriesWindow",
                    ExchangeFormat{i18n::FilteredFile::KartCategories, kCategoriesExportExtension,
                                   kCategoriesErrorCaption, kCategoriesImportErrorText,
                                   kCategoriesExportErrorText},
                    parent),
      m_pictures(pictures), m_editor(m_table, KartCategoryRules()) {
    buildControls();
    loadTexts();
    LoadCategoriesDatabase(this->folder(), m_table, messages());
    m_editor.selectFirst();
    showList();
}

bool KartCategoriesWindow::save(common::MessageSink& messages) {
    return SaveCategoriesDatabase(this->folder(), m_table, messages);
}

bool KartCategoriesWindow::exportTo(const std::filesystem::path& path) const {
    return SaveCategories(m_table, kCategorySlots, path);
}

void KartCategoriesWindow::buildControls() {
    m_newLabel = wordLabel("newLabel", ButtonWord::New);
    m_newName = LimitedEdit("newNameEdit", this, static_cast<int>(kKartCategoryNameEntryChars));
    m_add = wordButton("addButton", ButtonWord::Add);
    RecordList& list =
        recordList("categoryList", "categoriesLabel", "numberHeader", RecordNumbers::EveryRow);
    m_delete = wordButton("deleteButton", ButtonWord::Remove);

    m_name = NamedEdit("categoryNameEdit", this, true);
    m_descriptionLabel = NamedLabel("descriptionLabel", this);
    m_description =
        LimitedEdit("descriptionEdit", this, static_cast<int>(kKartCategoryDescriptionEntryChars));
    m_characteristicsLabel = NamedLabel("characteristicsLabel", this);
    m_characteristics = new QPlainTextEdit(this);
    m_characteristics->setObjectName("characteristicsEdit");
    m_characteristics->setTabChangesFocus(true);

    m_picture = NamedLabel("pictureBox", this);
    m_picture->setFixedSize(kPictureWidth, kPictureHeight);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QVBoxLayout* left = NewRecordColumn(m_newLabel, m_newName, m_add, list.layOut(m_delete));
    left->addWidget(m_name);
    left->addWidget(m_descriptionLabel);
    left->addWidget(m_description);
    left->addWidget(m_characteristicsLabel);
    left->addWidget(m_characteristics, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_picture);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    layOut(body);

    attachEditor<CategoryTable>(
        m_editor, m_newName, m_add, m_delete,
        [](const KartCategory& category) { return common::FromCp1252(category.name); },
        [this] { showSelected(); }, {.enterAdds = false, .clearedOnAdd = false});
    // Only the operator's typing counts: filling the field must not write.
    connect(m_description, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.edit([&](KartCategory& category) {
            category.description =
                common::ToCp1252(text).substr(0, kKartCategoryDescriptionEntryChars);
        });
    });
    connect(m_characteristics, &QPlainTextEdit::textChanged, this,
            [this] { copyCharacteristics(); });
}

void KartCategoriesWindow::loadTexts() {
    const WindowLabels label =
        EditingWindow::loadTexts(kTextsStem, kRowCount, i18n::TitledWindow::KartCategories);
    heading()->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des cat\xE9gories de karts"));
    findChild<QLabel*>(QStringLiteral("categoriesLabel"))
        ->setText(label(kRowCategories, "Cat\xE9gories  (5 max)"));
    m_descriptionLabel->setText(label(kRowDescription, "Rapide description :"));
    m_characteristicsLabel->setText(label(kRowCharacteristics, "Caract\xE9ristiques :"));
}

void KartCategoriesWindow::showSelected() {
    const KartCategory* category = m_editor.current();
    m_showing = true;
    if (category) {
        m_name->setText(common::FromCp1252(category->name));
        m_description->setText(common::FromCp1252(category->description));
        m_characteristics->setPlainText(CharacteristicsForDisplay(category->characteristics));
    } else {
        m_name->clear();
        m_description->clear();
        m_characteristics->clear();
    }
    m_showing = false;
    // With no category selected there is nowhere to copy an edit to.
    m_description->setEnabled(category != nullptr);
    m_characteristics->setEnabled(category != nullptr);
    showPicture();
}

void KartCategoriesWindow::showPicture() {
    m_picture->clear();
    const int slot = m_editor.selected();
    if (slot < 0)
        return;
    const std::string file = "images/Kart" + std::to_string(slot + 1) + ".bmp";
    const std::optional<std::filesystem::path> bitmap =
        printing::BitmapToDraw(m_pictures, folder(), folder().path(file));
    if (!bitmap)
        return;
    const QImage image(QString::fromStdU16String(bitmap->u16string()));
    if (image.isNull())
        return;
    const printing::PictureSize fitted =
        printing::FitPicture({image.width(), image.height()}, {kPictureWidth, kPictureHeight});
    if (fitted.width <= 0 || fitted.height <= 0)
        return;
    m_picture->setPixmap(QPixmap::fromImage(image.scaled(
        fitted.width, fitted.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void KartCategoriesWindow::copyCharacteristics() {
    if (m_showing || m_editor.current() == nullptr)
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
    m_editor.edit([&](KartCategory& category) { category.characteristics = std::move(text); });
}

} // namespace tallimo::databases
