#include "finances/gui/reservation_parts.h"

#include "common/gui/text_conversion.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/window_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <filesystem>

namespace tallimo::finances {
namespace {

constexpr const char* kPricesTextsStem = "FenetreTarifs";
constexpr int kPricesTextRows = 10;
constexpr int kMinutesWordRow = 1;
constexpr const char* kBannerPicture = "images/warningChrono.bmp";
constexpr int kBannerPictureSide = 30;
constexpr int kBannerMargin = 6;

} // namespace

QString BookingText(std::string_view cp1252) {
    return common::FromCp1252(cp1252);
}

std::optional<BannerLook> BannerLookOf(session::TrackState state) {
    switch (state) {
    case session::TrackState::Free:
        return BannerLook{"  KART LIBRE  ", QColor(0, 240, 0), Qt::black, false};
    case session::TrackState::Reserved:
        return BannerLook{" KART RESERVE ", QColor(255, 255, 0), Qt::black, false};
    case session::TrackState::Timing:
        return BannerLook{"  CHRONO  ", QColor(255, 220, 0), Qt::black, true};
    case session::TrackState::Finished:
        return BannerLook{"  RUN FINI  ", QColor(240, 0, 0), Qt::white, false};
    }
    return std::nullopt;
}

BannerLook FreeKartsLook() {
    return BannerLook{"  KARTS LIBRES  ", QColor(0, 240, 0), Qt::black, false};
}

StateBanner::StateBanner(const common::WorkingFolder& folder, QWidget* parent)
    : QWidget(parent), m_font(QStringLiteral("Arial"), 20, QFont::Bold) {
    setObjectName(QStringLiteral("stateBanner"));
    const std::filesystem::path picture = folder.path(kBannerPicture);
    // A missing or unreadable picture leaves a null image: nothing drawn.
    m_picture.load(QString::fromStdU16String(picture.u16string()));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StateBanner::setLook(std::optional<BannerLook> look) {
    m_look = look;
    updateGeometry();
    update();
}

QSize StateBanner::sizeHint() const {
    const QFontMetrics metrics(m_font);
    const int height = std::max(metrics.height(), kBannerPictureSide) + 2 * kBannerMargin;
    return {contentWidth() + 2 * kBannerMargin, height};
}

void StateBanner::paintEvent(QPaintEvent*) {
    if (!m_look)
        return;
    QPainter painter(this);
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font);
    const QString text = BookingText(m_look->text);
    int x = (width() - contentWidth()) / 2;
    if (m_look->picture && !m_picture.isNull()) {
        const QRect place(x, (height() - kBannerPictureSide) / 2, kBannerPictureSide,
                          kBannerPictureSide);
        painter.drawImage(place, m_picture);
        x += kBannerPictureSide;
    }
    const QRect textRect(x, (height() - metrics.height()) / 2, metrics.horizontalAdvance(text),
                         metrics.height());
    painter.fillRect(textRect, m_look->background);
    painter.setPen(m_look->foreground);
    painter.drawText(textRect, Qt::AlignCenter, text);
}

int StateBanner::contentWidth() const {
    if (!m_look)
        return 0;
    const int picture = m_look->picture && !m_picture.isNull() ? kBannerPictureSide : 0;
    return picture + QFontMetrics(m_font).horizontalAdvance(BookingText(m_look->text));
}

std::string LoadMinutesWord(const common::WorkingFolder& folder, common::MessageSink& messages) {
    const i18n::TranslatableWindow* window =
        i18n::TranslatableWindowAt(i18n::FindTranslatableWindow(kPricesTextsStem));
    const i18n::WindowTexts texts =
        i18n::OpenWindowTexts(folder, kPricesTextsStem, window ? window->rowCount : kPricesTextRows,
                              i18n::CommonVocabulary::Skip, messages);
    std::string word = texts.label(kMinutesWordRow);
    return word.empty() ? std::string("minutes") : word;
}

SessionBox::SessionBox(QWidget* window, const char* name, QComboBox* durations, QWidget* price)
    : box(new QGroupBox(BookingText("S\xE9"
                                    "ance"),
                        window)),
      grid(new QGridLayout(box)) {
    box->setObjectName(QLatin1String(name));
    grid->addWidget(new QLabel(BookingText("Dur\xE9"
                                           "e"),
                               box),
                    0, 0);
    grid->addWidget(durations, 0, 1);
    grid->addWidget(price, 0, 2);
}

ReservationButtons::ReservationButtons(QWidget* window, const char* paidName)
    : paid(new QCheckBox(BookingText("Paiement effectu\xE9"), window)),
      print(databases::NamedButton("printButton", window)),
      ok(databases::NamedButton("okButton", window)),
      cancel(databases::NamedButton("cancelButton", window)) {
    paid->setObjectName(QLatin1String(paidName));
    print->setText(BookingText("Imprimer"));
    // Enabled by the window once it has a printer to print the ticket on.
    print->setEnabled(false);
    ok->setText(BookingText("Ok"));
    cancel->setText(BookingText("Echap"));
}

} // namespace tallimo::finances
