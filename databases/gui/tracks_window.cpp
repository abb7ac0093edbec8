#include "databases/gui/tracks_window.h"

#include "databases/core/record_rules.h"
#include "i18n/core/track_window_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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

} // namespace

TracksWindow::TracksWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                           printing::PictureLibrary& pictures, QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "tracksWindow",
                    ExchangeFormat{i18n::FilteredFile::Tracks, kTracksExportExtension,
                                   kTracksErrorCaption, kTracksImportErrorText,
                                   kTracksExportErrorText},
                    parent),
      m_pictures(pictures), m_editor(m_tracks, TrackRules()) {
    buildControls();
    loadTexts();
    LoadTracksDatabase(this->folder(), m_tracks, messages());
    m_editor.selectFirst();
    showList();
}

TracksWindow::~TracksWindow() = default;

bool TracksWindow::save(common::MessageSink& messages) {
    return SaveTracksDatabase(this->folder(), m_tracks, messages);
}

bool TracksWindow::exportTo(const std::filesystem::path& path) const {
    return SaveTracks(m_tracks, CountTracks(m_tracks), path);
}

void TracksWindow::buildControls() {
    m_newName = LimitedEdit("newNameEdit", this, static_cast<int>(kTrackNameChars));
    m_add = wordButton("addButton", ButtonWord::Add);
    m_newLabel = wordLabel("newLabel", ButtonWord::New);
    RecordList& list =
        recordList("trackList", "trackListLabel", "numberListLabel", RecordNumbers::EveryRow);
    m_delete = wordButton("deleteButton", ButtonWord::Remove);

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

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(m_newName);
    newRow->addWidget(m_add);

    auto* left = new QVBoxLayout;
    left->addWidget(m_newLabel);
    left->addLayout(newRow);
    left->addLayout(list.layOut(m_delete));

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
    fields->addWidget(new QLabel(QStringLiteral("m"), this), 1, 2);
    fields->addWidget(m_protectionLabel, 2, 0);
    fields->addWidget(m_protection, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("s"), this), 2, 2);
    fields->addWidget(m_recordGroup, 3, 0, 1, 3);

    layOutColumns(left, fields, {m_pictureArea});

    attachEditor<TrackTable>(
        m_editor, m_newName, m_add, m_delete,
        [](const Track& track) { return FromCp1252(track.name); }, [this] { showTrack(); });
    connect(m_clearRecord, &QPushButton::clicked, this, [this] {
        if (m_editor.selected() < 0)
            return;
        ClearTrackRecord(m_tracks, m_editor.selected());
        showTrack();
    });
    // textEdited, not textChanged: showing a track must not count as an edit.
    connect(m_length, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.edit(
            [&](Track& track) { track.length = ToCp1252(text).substr(0, kTrackLengthChars); });
    });
    connect(m_protection, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.edit([&](Track& track) {
            track.protection = ToCp1252(text).substr(0, kTrackProtectionChars);
        });
    });
    m_showPicture = attachPicture<TrackTable>(m_pictureArea, m_editor, &Track::picture,
                                              kTrackPictureChars, m_pictures);
}

void TracksWindow::loadTexts() {
    const WindowLabels label =
        EditingWindow::loadTexts(kTextsStem, kRowClear + 1, i18n::TitledWindow::Tracks);
    heading()->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des pistes"));
    findChild<QLabel*>(QStringLiteral("trackListLabel"))
        ->setText(label(kRowList, "Pistes  (10 max)"));
    m_lengthLabel->setText(label(kRowLength, "D\xE9velopp\xE9 :"));
    m_protectionLabel->setText(label(kRowProtection, "Temps de protection soft. :"));
    m_recordGroup->setTitle(label(kRowBestLap, "Meilleur tour"));
    m_clearRecord->setText(label(kRowClear, "Effacer"));
    m_noRecord->setText(FromCp1252(i18n::NoTrackRecordText(language())));
    m_holderWord->setText(FromCp1252(i18n::RecordHolderWord(language())));
}

void TracksWindow::showTrack() {
    static const Track kNone{};
    const Track* selected = m_editor.current();
    const Track& track = selected ? *selected : kNone;

    m_name->setText(FromCp1252(track.name));
    m_length->setText(FromCp1252(track.length));
    m_protection->setText(FromCp1252(track.protection));
    m_length->setEnabled(selected != nullptr);
    m_protection->setEnabled(selected != nullptr);
    m_clearRecord->setEnabled(selected != nullptr);

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

    m_showPicture();
}

} // namespace tallimo::databases
