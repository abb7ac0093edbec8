#include "databases/gui/tracks_window.h"

#include "databases/gui/database_widgets.h"

#include "common/gui/text_conversion.h"
#include "i18n/core/track_window_texts.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace tallimo::databases {

using common::FromCp1252;
using common::ToCp1252;

namespace {

constexpr std::string_view kTextsStem = "BasePistes";
constexpr printing::PictureSize kPictureBox{348, 198};

// Rows of "BasePistes.trans".
enum TrackRow { kRowHeading, kRowList, kRowLength, kRowProtection, kRowBestLap, kRowClear };
// Rows of the common vocabulary.
enum WordRow {
    kWordAdd = 0,
    kWordRemove = 1,
    kWordImport = 2,
    kWordExport = 3,
    kWordNumber = 6,
    kWordNew = 13,
    kWordOk = 14,
    kWordCancel = 15
};

} // namespace

TracksWindow::TracksWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                           printing::PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_pictures(pictures),
      m_chooser(SystemFileChooser(m_folder, kTracksExportExtension)) {
    setObjectName("tracksWindow");
    setModal(true);
    buildControls();
    loadTexts();

    common::DialogMessageSink sink(m_dialogs, this);
    LoadTracksDatabase(m_folder, m_tracks, sink);
    showList(CountTracks(m_tracks) > 0 ? 0 : kNoTrack);
    connectControls();
}

TracksWindow::~TracksWindow() = default;

void TracksWindow::setFileChooser(FileChooser chooser) {
    m_chooser = chooser ? std::move(chooser) : SystemFileChooser(m_folder, kTracksExportExtension);
}

void TracksWindow::buildControls() {
    auto* heading = NamedLabel("headingLabel", this);

    m_newName = NamedEdit("newNameEdit", this, false);
    m_newName->setMaxLength(static_cast<int>(kTrackNameChars));
    m_add = NamedButton("addButton", this);
    auto* newLabel = NamedLabel("newLabel", this);

    m_listLabel = NamedLabel("trackListLabel", this);
    m_numberLabel = NamedLabel("numberListLabel", this);
    m_trackList = new QListWidget(this);
    m_trackList->setObjectName("trackList");
    m_numberList = new QListWidget(this);
    m_numberList->setObjectName("numberList");
    m_numberList->setFixedWidth(48);
    m_numberList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_delete = NamedButton("deleteButton", this);

    m_name = NamedEdit("trackNameEdit", this, true);
    m_lengthLabel = NamedLabel("lengthLabel", this);
    m_length = DigitsEdit("lengthEdit", this, kTrackLengthChars);
    m_protectionLabel = NamedLabel("protectionLabel", this);
    m_protection = DigitsEdit("protectionEdit", this, kTrackProtectionChars);

    m_recordGroup = new QGroupBox(this);
    m_recordGroup->setObjectName("recordGroup");
    m_recordTime = NamedEdit("recordTimeEdit", m_recordGroup, true);
    m_holderWord = NamedLabel("recordHolderWord", m_recordGroup);
    m_recordHolder = NamedEdit("recordHolderEdit", m_recordGroup, true);
    m_recordDate = NamedEdit("recordDateEdit", m_recordGroup, true);
    m_noRecord = NamedLabel("noRecordLabel", m_recordGroup);
    m_clearRecord = NamedButton("clearRecordButton", m_recordGroup);

    m_pictureArea = new PictureFrame(kPictureBox, this);

    m_import = NamedButton("importButton", this);
    m_export = NamedButton("exportButton", this);
    m_ok = NamedButton("okButton", this);
    m_cancel = NamedButton("cancelButton", this);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(m_newName);
    newRow->addWidget(m_add);

    auto* lists = new QGridLayout;
    lists->addWidget(m_listLabel, 0, 0);
    lists->addWidget(m_numberLabel, 0, 1);
    lists->addWidget(m_trackList, 1, 0);
    lists->addWidget(m_numberList, 1, 1);
    lists->addWidget(m_delete, 2, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addWidget(newLabel);
    left->addLayout(newRow);
    left->addLayout(lists);

    auto* record = new QGridLayout(m_recordGroup);
    record->addWidget(m_recordTime, 0, 0);
    record->addWidget(m_holderWord, 0, 1);
    record->addWidget(m_recordHolder, 0, 2);
    record->addWidget(m_recordDate, 1, 0, 1, 3);
    record->addWidget(m_noRecord, 2, 0, 1, 3);
    record->addWidget(m_clearRecord, 3, 2, Qt::AlignRight);

    auto* fields = new QGridLayout;
    fields->addWidget(m_name, 0, 0, 1, 3);
    fields->addWidget(m_lengthLabel, 1, 0);
    fields->addWidget(m_length, 1, 1);
    fields->addWidget(new QLabel("m", this), 1, 2);
    fields->addWidget(m_protectionLabel, 2, 0);
    fields->addWidget(m_protection, 2, 1);
    fields->addWidget(new QLabel("s", this), 2, 2);
    fields->addWidget(m_recordGroup, 3, 0, 1, 3);

    auto* middle = new QVBoxLayout;
    middle->addLayout(fields);
    middle->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_pictureArea);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(middle, 1);
    body->addLayout(right);

    LayOutDatabaseWindow(this, heading, body, m_import, m_export, m_ok, m_cancel);
}

void TracksWindow::loadTexts() {
    const i18n::WindowTexts texts =
        LoadDatabaseWindowTexts(m_folder, kTextsStem, kRowClear + 1, m_dialogs, this);
    m_language = texts.languages.interfaceCode;

    // A label the files do not give keeps the dialog template's text.
    const auto label = [&](int row, const char* fallback) {
        return TextOr(texts.label(row), fallback);
    };
    const auto word = [&](int row, const char* fallback) {
        return TextOr(texts.word(row), fallback);
    };

    setWindowTitle(FromCp1252(i18n::WindowTitle(i18n::TitledWindow::Tracks, m_language)));
    findChild<QLabel*>("headingLabel")
        ->setText(label(kRowHeading, "Base de donn\xE9"
                                     "es : Liste des pistes"));
    m_listLabel->setText(label(kRowList, "Pistes  (10 max)"));
    m_lengthLabel->setText(label(kRowLength, "D\xE9velopp\xE9 :"));
    m_protectionLabel->setText(label(kRowProtection, "Temps de protection soft. :"));
    m_recordGroup->setTitle(label(kRowBestLap, "Meilleur tour"));
    m_clearRecord->setText(label(kRowClear, "Effacer"));

    m_add->setText(word(kWordAdd, "Ajouter"));
    m_delete->setText(word(kWordRemove, "Supprimer"));
    m_import->setText(word(kWordImport, "Importer"));
    m_export->setText(word(kWordExport, "Exporter"));
    m_numberLabel->setText(word(kWordNumber, "N\xB0ID"));
    findChild<QLabel*>("newLabel")->setText(word(kWordNew, "Nouvelle"));
    m_ok->setText(word(kWordOk, "Ok"));
    m_cancel->setText(word(kWordCancel, "Echap"));

    m_noRecord->setText(FromCp1252(i18n::NoTrackRecordText(m_language)));
    m_holderWord->setText(FromCp1252(i18n::RecordHolderWord(m_language)));
}

void TracksWindow::connectControls() {
    connect(m_add, &QPushButton::clicked, this, &TracksWindow::addTrack);
    connect(m_newName, &QLineEdit::returnPressed, this, &TracksWindow::addTrack);
    connect(m_delete, &QPushButton::clicked, this, &TracksWindow::deleteTrack);
    connect(m_clearRecord, &QPushButton::clicked, this, &TracksWindow::clearRecord);
    connect(m_import, &QPushButton::clicked, this, &TracksWindow::importTracks);
    connect(m_export, &QPushButton::clicked, this, &TracksWindow::exportTracks);
    connect(m_ok, &QPushButton::clicked, this, &TracksWindow::saveAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_trackList, &QListWidget::currentRowChanged, this, &TracksWindow::selectTrack);
    connect(m_numberList, &QListWidget::currentRowChanged, this, &TracksWindow::selectTrack);

    // textEdited, not textChanged: showing a track must not count as an edit.
    connect(m_length, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (hasSelection())
            m_tracks[static_cast<std::size_t>(m_selected)].length =
                ToCp1252(text).substr(0, kTrackLengthChars);
    });
    connect(m_protection, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (hasSelection())
            m_tracks[static_cast<std::size_t>(m_selected)].protection =
                ToCp1252(text).substr(0, kTrackProtectionChars);
    });

    m_pictureArea->onChoose = [this] { choosePicture(); };
    m_pictureArea->onClear = [this] { clearPicture(); };
}

bool TracksWindow::hasSelection() const {
    return m_selected >= 0 && m_selected < CountTracks(m_tracks);
}

void TracksWindow::addTrack() {
    const TrackTable before = m_tracks;
    if (!AddTrack(m_tracks, ToCp1252(m_newName->text())))
        return;
    m_newName->clear();
    // The new track is the name that was not there before the sort.
    int added = 0;
    for (int i = 0; i < CountTracks(m_tracks); ++i)
        if (FindTrack(before, m_tracks[static_cast<std::size_t>(i)].name) == kNoTrack)
            added = i;
    showList(added);
}

void TracksWindow::deleteTrack() {
    QListWidgetItem* item = m_trackList->currentItem();
    if (!item)
        return;
    const int row = m_trackList->currentRow();
    if (!DeleteTrack(m_tracks, ToCp1252(item->text())))
        return;
    const int count = CountTracks(m_tracks);
    showList(count == 0 ? kNoTrack : std::min(row, count - 1));
}

void TracksWindow::clearRecord() {
    if (!hasSelection())
        return;
    ClearTrackRecord(m_tracks, m_selected);
    showTrack();
}

void TracksWindow::importTracks() {
    const QString chosen =
        ChooseFile(m_chooser, this, false, i18n::FilteredFile::Tracks, m_language);
    if (chosen.isEmpty())
        return;
    // Read into a scratch table: a file that cannot be read must not cost
    // the operator the tracks being edited.
    TrackTable imported{};
    ClearTracks(imported);
    if (!LoadTracks(imported, PathOf(chosen))) {
        m_dialogs.inform(this, kTracksErrorCaption, kTracksImportErrorText,
                         common::DialogIcon::Stop);
        return;
    }
    m_tracks = imported;
    showList(CountTracks(m_tracks) > 0 ? 0 : kNoTrack);
}

void TracksWindow::exportTracks() {
    const std::optional<std::filesystem::path> target = ChooseExportFile(
        m_chooser, this, i18n::FilteredFile::Tracks, kTracksExportExtension, m_language, m_dialogs);
    if (!target)
        return;
    if (!SaveTracks(m_tracks, CountTracks(m_tracks), *target))
        m_dialogs.inform(this, kTracksErrorCaption, kTracksExportErrorText,
                         common::DialogIcon::Stop);
}

void TracksWindow::saveAndClose() {
    common::DialogMessageSink sink(m_dialogs, this);
    // On a failed write the window stays open, so the edits can still be
    // exported or written once the folder is fixed.
    if (SaveTracksDatabase(m_folder, m_tracks, sink))
        accept();
}

void TracksWindow::choosePicture() {
    if (!hasSelection())
        return;
    if (std::optional<std::string> stored =
            ChoosePicture(m_chooser, this, m_language, kTrackPictureChars)) {
        m_tracks[static_cast<std::size_t>(m_selected)].picture = std::move(*stored);
        showPicture();
    }
}

void TracksWindow::clearPicture() {
    if (!hasSelection())
        return;
    m_tracks[static_cast<std::size_t>(m_selected)].picture.clear();
    showPicture();
}

void TracksWindow::showList(int index) {
    {
        const QSignalBlocker tracksBlocker(m_trackList);
        const QSignalBlocker numbersBlocker(m_numberList);
        m_trackList->clear();
        m_numberList->clear();
        const int count = CountTracks(m_tracks);
        for (int i = 0; i < count; ++i) {
            m_trackList->addItem(FromCp1252(m_tracks[static_cast<std::size_t>(i)].name));
            m_numberList->addItem(QString::number(i + 1));
        }
    }
    selectTrack(index);
}

void TracksWindow::selectTrack(int index) {
    m_selected = index >= 0 && index < CountTracks(m_tracks) ? index : kNoTrack;
    const int row = m_selected == kNoTrack ? -1 : m_selected;
    {
        const QSignalBlocker tracksBlocker(m_trackList);
        const QSignalBlocker numbersBlocker(m_numberList);
        m_trackList->setCurrentRow(row);
        m_numberList->setCurrentRow(row);
    }
    showTrack();
}

void TracksWindow::showTrack() {
    const bool selected = hasSelection();
    static const Track kNone{};
    const Track& track = selected ? m_tracks[static_cast<std::size_t>(m_selected)] : kNone;

    m_name->setText(FromCp1252(track.name));
    m_length->setText(FromCp1252(track.length));
    m_protection->setText(FromCp1252(track.protection));
    m_length->setEnabled(selected);
    m_protection->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_clearRecord->setEnabled(selected);

    const bool record = track.hasRecord();
    m_recordTime->setVisible(record);
    m_holderWord->setVisible(record);
    m_recordHolder->setVisible(record);
    m_recordDate->setVisible(record);
    m_noRecord->setVisible(!record);
    m_recordTime->setText(FromCp1252(track.recordTime));
    m_recordHolder->setText(record ? FromCp1252(track.recordFirstName + " " + track.recordName)
                                   : QString());
    m_recordDate->setText(FromCp1252(track.recordDate));

    showPicture();
}

void TracksWindow::showPicture() {
    const std::string picture =
        hasSelection() ? m_tracks[static_cast<std::size_t>(m_selected)].picture : std::string();
    m_pictureArea->showPicture(picture, m_pictures, m_folder);
}

} // namespace tallimo::databases
