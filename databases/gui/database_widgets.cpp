#include "databases/gui/database_widgets.h"

#include "common/gui/text_conversion.h"
#include "databases/core/countries_file.h"
#include "databases/core/export_file_name.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_file.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace tallimo::databases {

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QPushButton* NamedButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NamedEdit(const char* name, QWidget* parent, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(readOnly);
    return edit;
}

QLineEdit* DigitsEdit(const char* name, QWidget* parent, std::size_t digits) {
    QLineEdit* edit = NamedEdit(name, parent, false);
    edit->setMaxLength(static_cast<int>(digits));
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QLineEdit* LimitedEdit(const char* name, QWidget* parent, int limit) {
    QLineEdit* edit = NamedEdit(name, parent, false);
    edit->setMaxLength(limit);
    return edit;
}

QComboBox* NamedCombo(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    return combo;
}

void FillCountryCombo(QComboBox* combo, const common::WorkingFolder& folder,
                      common::MessageSink& messages) {
    std::vector<std::string> countries;
    LoadCountriesDatabase(folder, countries, messages);
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& country : countries)
        combo->addItem(common::FromCp1252(country));
}

QRadioButton* NamedRadio(const char* name, QWidget* parent) {
    auto* radio = new QRadioButton(parent);
    radio->setObjectName(name);
    return radio;
}

QVBoxLayout* NewRecordColumn(QLabel* caption, QLineEdit* typed, QPushButton* add, QLayout* list,
                             int listStretch) {
    auto* newRow = new QHBoxLayout;
    newRow->addWidget(caption);
    newRow->addWidget(typed);
    newRow->addWidget(add);
    auto* column = new QVBoxLayout;
    column->addLayout(newRow);
    column->addLayout(list, listStretch);
    return column;
}

SexChoice::SexChoice(QWidget* parent)
    : label(NamedLabel("sexLabel", parent)), man(NamedRadio("manRadio", parent)),
      woman(NamedRadio("womanRadio", parent)) {
    auto* sexes = new QButtonGroup(parent);
    sexes->addButton(man);
    sexes->addButton(woman);
}

void SexChoice::setLabels(const i18n::WindowTexts& texts) const {
    // Rows of the shared vocabulary.
    label->setText(TextOr(texts.word(10), "Sexe :"));
    man->setText(TextOr(texts.word(11), "Homme"));
    woman->setText(TextOr(texts.word(12), "Femme"));
}

QListWidget* RecordNumberList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName("numberList");
    list->setFixedSize(48, list->fontMetrics().height() + 8);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    return list;
}

void ShowRecordNumber(QListWidget* numberList, int index) {
    numberList->clear();
    if (index >= 0)
        numberList->addItem(QString::number(index + 1));
}

namespace {

int WindowRowCount(std::string_view stem, int fallbackRows) {
    const i18n::TranslatableWindow* window =
        i18n::TranslatableWindowAt(i18n::FindTranslatableWindow(stem));
    return window ? window->rowCount : fallbackRows;
}

} // namespace

i18n::WindowTexts LoadDatabaseWindowTexts(const common::WorkingFolder& folder,
                                          std::string_view stem, int fallbackRows,
                                          common::OperatorDialogs& dialogs, QWidget* parent) {
    common::DialogMessageSink sink(dialogs, parent);
    // The age categories window's own file is the vocabulary: read and
    // reported once.
    if (std::string(stem) + std::string(i18n::kActiveExtension) == i18n::kVocabularyFileName) {
        i18n::WindowTexts texts = i18n::OpenWindowTexts(
            folder, stem, WindowRowCount(stem, fallbackRows), i18n::CommonVocabulary::Skip, sink);
        texts.vocabulary = texts.labels;
        return texts;
    }
    return i18n::OpenWindowTexts(folder, stem, WindowRowCount(stem, fallbackRows),
                                 i18n::CommonVocabulary::Load, sink);
}

i18n::WindowTexts LoadDatabaseWindowTexts(const common::WorkingFolder& folder,
                                          std::string_view stem, int fallbackRows,
                                          std::string_view borrowedFileName, int borrowedRows,
                                          i18n::TranslationTable& borrowed,
                                          common::OperatorDialogs& dialogs, QWidget* parent) {
    common::DialogMessageSink sink(dialogs, parent);
    i18n::WindowTexts texts = i18n::OpenWindowTexts(
        folder, stem, WindowRowCount(stem, fallbackRows), i18n::CommonVocabulary::Skip, sink);
    i18n::LoadWindowTable(folder, borrowedFileName, borrowed, borrowedRows, sink);
    i18n::LoadWindowTable(folder, i18n::kVocabularyFileName, texts.vocabulary,
                          i18n::kVocabularyRowCount, sink);
    return texts;
}

QString TextOr(const std::string& translated, const char* fallback) {
    return common::FromCp1252(translated.empty() ? std::string_view(fallback)
                                                 : std::string_view(translated));
}

std::filesystem::path PathOf(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

namespace {

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString ExportProposal(std::string_view extension) {
    return QStringLiteral("*") + Latin1(extension);
}

} // namespace

QString ChooseFile(const FileChooser& chooser, QWidget* parent, bool save, i18n::FilteredFile file,
                   i18n::LanguageCode language) {
    return chooser(parent, save, DialogFilter(i18n::FileFilterCaption(file, language)));
}

std::optional<std::filesystem::path> ChooseExportFile(const FileChooser& chooser, QWidget* parent,
                                                      i18n::FilteredFile file,
                                                      std::string_view extension,
                                                      i18n::LanguageCode language,
                                                      common::OperatorDialogs& dialogs) {
    const QString chosen = ChooseFile(chooser, parent, true, file, language);
    if (chosen.isEmpty() || QFileInfo(chosen).fileName() == ExportProposal(extension))
        return std::nullopt;
    const QByteArray utf8 = chosen.toUtf8();
    const QString target = QString::fromStdString(WithExportExtension(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), extension));
    // The dialog's own question was about the name it was given; the file
    // the appended extension names is one it never saw.
    if (target != chosen && QFileInfo::exists(target)) {
        const std::string question =
            ExportOverwriteQuestion(common::ToCp1252(QFileInfo(target).fileName()), language);
        if (dialogs.ask(parent, std::string(kExportOverwriteCaption), question,
                        common::DialogIcon::Exclamation,
                        common::DialogButtons::YesNo) != common::DialogAnswer::Yes)
            return std::nullopt;
    }
    return PathOf(target);
}

std::optional<std::string> ChoosePicture(const FileChooser& chooser, QWidget* parent,
                                         i18n::LanguageCode language, std::size_t capacity) {
    const QString chosen =
        ChooseFile(chooser, parent, false, i18n::FilteredFile::Pictures, language);
    if (chosen.isEmpty())
        return std::nullopt;
    std::string stored = common::ToCp1252(chosen);
    if (stored.size() > capacity || common::FromCp1252(stored) != chosen)
        return std::nullopt;
    return stored;
}

QString DialogFilter(const std::string& caption) {
    QString filter = common::FromCp1252(caption);
    filter.replace(QStringLiteral("(."), QStringLiteral("(*."));
    filter.replace(QStringLiteral("; "), QStringLiteral(" "));
    return filter;
}

FileChooser SystemFileChooser(const common::WorkingFolder& folder, std::string_view extension) {
    const QString start = QFile::decodeName(QByteArray::fromStdString(folder.root().string()));
    const QString suffix = Latin1(extension).mid(extension.starts_with('.') ? 1 : 0);
    const QString proposal = ExportProposal(extension);
    return [start, suffix, proposal](QWidget* parent, bool save, const QString& filter) {
        QFileDialog dialog(parent, QString(), start, filter);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (save) {
            dialog.setDefaultSuffix(suffix);
            dialog.selectFile(QDir(start).filePath(proposal));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
}

PictureFrame::PictureFrame(printing::PictureSize box, QWidget* parent)
    : QWidget(parent), m_box(box) {
    setObjectName("pictureArea");
    setFixedSize(box.width, box.height);
    m_placeholder = NamedLabel("picturePlaceholder", this);
    m_placeholder->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_placeholder->setGeometry(0, 0, box.width, box.height);
    // The double-clicks belong to the frame underneath.
    m_placeholder->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureFrame::showPicture(const std::string& picture, printing::PictureLibrary& pictures,
                               const common::WorkingFolder& folder) {
    m_placeholder->setVisible(picture.empty());
    m_image = QImage();
    m_drawn = {};
    update();
    if (picture.empty())
        return;
    const auto bitmap =
        printing::BitmapToDraw(pictures, folder, PathOf(common::FromCp1252(picture)));
    if (!bitmap)
        return;
    const auto size = pictures.measure(*bitmap);
    QImage image(QFile::decodeName(QByteArray::fromStdString(bitmap->string())));
    if (!size || image.isNull())
        return;
    m_image = std::move(image);
    m_drawn = printing::FitPicture(*size, m_box);
}

void PictureFrame::paintEvent(QPaintEvent*) {
    if (m_image.isNull() || m_drawn.width <= 0 || m_drawn.height <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, m_drawn.width, m_drawn.height), m_image);
}

void PictureFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onChoose)
        onChoose();
    else if (event->button() == Qt::RightButton && onClear)
        onClear();
    event->accept();
}

} // namespace tallimo::databases
