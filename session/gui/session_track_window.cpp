#include "session/gui/session_track_window.h"

#include "common/core/cp1252.h"
#include "common/gui/text_conversion.h"
#include "databases/core/tracks_file.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/track_window_texts.h"
#include "session/core/session_file.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tallimo::session {
namespace {

constexpr int kPictureWidth = 348;
constexpr int kPictureHeight = 198;

QFont ArialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* Caption(const char* cp1252, QWidget* parent) {
    auto* label = new QLabel(common::FromCp1252(cp1252), parent);
    label->setFont(ArialFont(16, true));
    return label;
}

QLineEdit* ReadOnlyField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFont(ArialFont(16, false));
    return field;
}

// The listed tracks: the database slots up to the first free one.
std::vector<TrackForSession> ListedTracks(const databases::TrackTable& table) {
    std::vector<TrackForSession> tracks;
    for (int i = 0; i < databases::kMaxTracks && !table[i].name.empty(); ++i) {
        const databases::Track& track = table[i];
        tracks.push_back({track.name, track.length, track.protection, track.recordTime,
                          track.recordFirstName, track.recordName, track.recordDate,
                          track.picture});
    }
    return tracks;
}

} // namespace

SessionTrackWindow::SessionTrackWindow(common::WorkingFolder folder,
                                       common::OperatorDialogs& dialogs,
                                       printing::PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_pictures(pictures),
      m_session(std::make_unique<RentalSession>()) {
    setObjectName("sessionTrackWindow");
    setModal(true);
    setWindowTitle(QStringLiteral("Piste"));
    buildControls();
    load();
}

SessionTrackWindow::~SessionTrackWindow() = default;

void SessionTrackWindow::buildControls() {
    auto* heading = new QLabel(common::FromCp1252("Piste pour la s\xE9"
                                                  "ance"),
                               this);
    heading->setObjectName("heading");
    heading->setFont(ArialFont(20, true));

    m_trackList = new QComboBox(this);
    m_trackList->setObjectName("trackList");
    m_trackList->setFont(ArialFont(16, false));
    m_trackName = ReadOnlyField("trackName", this);
    m_trackLength = ReadOnlyField("trackLength", this);
    m_lengthUnit = new QLabel(QStringLiteral("m"), this);
    m_lengthUnit->setObjectName("lengthUnit");
    m_lengthUnit->setFont(ArialFont(16, true));
    m_recordLine = ReadOnlyField("recordLine", this);
    m_recordLine->setMinimumWidth(360);

    m_protection = new QLineEdit(this);
    m_protection->setObjectName("protection");
    m_protection->setFont(ArialFont(16, false));
    m_protection->setMaxLength(static_cast<int>(kProtectionEntryChars));
    m_protection->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), m_protection));
    auto* secondsUnit = new QLabel(QStringLiteral("s"), this);
    secondsUnit->setFont(ArialFont(16, true));

    m_picture = new QLabel(this);
    m_picture->setObjectName("trackPicture");
    m_picture->setFixedSize(kPictureWidth, kPictureHeight);
    m_picture->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("Valider"), this);
    ok->setObjectName("okButton");
    ok->setFont(ArialFont(16, false));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Echap"), this);
    cancel->setObjectName("cancelButton");
    cancel->setFont(ArialFont(16, false));
    cancel->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Caption("Piste :", this), 0, 0);
    grid->addWidget(m_trackList, 0, 1, 1, 2);
    grid->addWidget(Caption("Nom piste :", this), 1, 0);
    grid->addWidget(m_trackName, 1, 1, 1, 2);
    grid->addWidget(Caption("D\xE9velopp\xE9 :", this), 2, 0);
    grid->addWidget(m_trackLength, 2, 1);
    grid->addWidget(m_lengthUnit, 2, 2);
    grid->addWidget(Caption("Record tour :", this), 3, 0);
    grid->addWidget(m_recordLine, 3, 1, 1, 2);
    grid->addWidget(Caption("Temps de protection soft. :", this), 4, 0);
    grid->addWidget(m_protection, 4, 1);
    grid->addWidget(secondsUnit, 4, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addWidget(m_picture, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SessionTrackWindow::load() {
    i18n::LanguageSettings languages;
    i18n::ReadLanguageSettings(m_folder, languages);
    m_language = languages.interfaceCode;

    common::DialogMessageSink sink(m_dialogs, this);
    databases::TrackTable tracks;
    databases::LoadTracksDatabase(m_folder, tracks, sink);

    ClearSession(*m_session);
    SessionHeader header = SessionTrackDefaults();
    if (!LoadSessionFile(m_folder, *m_session, header)) {
        ClearSession(*m_session);
        header = SessionTrackDefaults();
        sink.show(kSessionFileErrorCaption, kSessionFileErrorText);
    }
    m_selection = std::make_unique<SessionTrackSelection>(ListedTracks(tracks), header);

    fillTrackList();
    m_protection->setText(QString::number(m_selection->header().minLapSeconds));
    connect(m_protection, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_selection->typeProtection(common::ToCp1252(text)); });
    connect(m_protection, &QLineEdit::editingFinished, this,
            [this] { protectionFinished(m_protection->text()); });
    showTrack();
}

void SessionTrackWindow::fillTrackList() {
    const QSignalBlocker quiet(m_trackList);
    m_trackList->clear();
    m_trackList->addItem(QString());
    for (const TrackForSession& track : m_selection->tracks())
        m_trackList->addItem(common::FromCp1252(track.name));
    m_trackList->setCurrentIndex(m_selection->chosenTrack() + 1);
    connect(m_trackList, &QComboBox::currentIndexChanged, this,
            [this](int index) { trackChosen(index); });
}

void SessionTrackWindow::trackChosen(int listIndex) {
    const std::string shown = m_selection->chooseTrack(listIndex - 1);
    m_protection->setText(common::FromCp1252(shown));
    showTrack();
}

void SessionTrackWindow::protectionFinished(const QString& text) {
    const std::string shown = m_selection->typeProtection(common::ToCp1252(text));
    const QString shownText = common::FromCp1252(shown);
    if (shownText != text)
        m_protection->setText(shownText);
}

void SessionTrackWindow::showTrack() {
    const TrackForSession* track = m_selection->chosen();
    if (track == nullptr) {
        m_trackName->clear();
        m_trackLength->clear();
        m_recordLine->clear();
        m_lengthUnit->setVisible(false);
    } else {
        m_trackName->setText(common::FromCp1252(track->name));
        m_trackLength->setText(common::FromCp1252(track->length));
        m_lengthUnit->setVisible(!track->length.empty());
        m_recordLine->setText(
            common::FromCp1252(RecordLine(*track, i18n::NoTrackRecordText(m_language))));
    }
    showPicture();
}

void SessionTrackWindow::showPicture() {
    m_picture->clear();
    const TrackForSession* track = m_selection->chosen();
    if (track == nullptr || track->picture.empty())
        return;
    const std::filesystem::path stored(common::Cp1252ToUtf8(track->picture));
    const auto bitmap = printing::BitmapToDraw(m_pictures, m_folder, stored);
    if (!bitmap)
        return;
    const auto size = m_pictures.measure(*bitmap);
    QImage image(QString::fromStdString(bitmap->string()));
    // A picture that cannot be loaded draws nothing.
    if (!size || image.isNull() || size->width <= 0 || size->height <= 0)
        return;
    const printing::PictureSize fitted =
        printing::FitPicture(*size, {kPictureWidth, kPictureHeight});
    m_picture->setPixmap(QPixmap::fromImage(image.scaled(fitted.width, fitted.height)));
}

void SessionTrackWindow::confirm() {
    if (!SaveSessionFile(m_folder, *m_session, m_selection->header()))
        m_dialogs.inform(this, kSessionFileErrorCaption, kSessionFileErrorText,
                         common::DialogIcon::Stop);
    accept();
}

} // namespace tallimo::session
