#pragma once

// What the single and the group reservation windows share beside the
// driver block: the state banner across the top, the minutes word of the
// duration lists, and the closing controls.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "session/core/rental_session.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <optional>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QPushButton;

namespace tallimo::finances {

// Windows-1252 texts of the core and of these windows, on screen.
QString BookingText(std::string_view cp1252);

struct BannerLook {
    const char* text; // Windows-1252
    QColor background;
    QColor foreground;
    bool picture; // "images/warningChrono.bmp" in front of the text
};

// The single window's look of a kart state; nothing for a number the file
// holds but no state names.
std::optional<BannerLook> BannerLookOf(session::TrackState state);
// The group window's "  KARTS LIBRES  ", in the free kart's colours.
BannerLook FreeKartsLook();

// A kart's state, or the group's, in Arial 20 bold across the top.
class StateBanner final : public QWidget {
public:
    StateBanner(const common::WorkingFolder& folder, QWidget* parent);

    void setLook(std::optional<BannerLook> look);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int contentWidth() const;

    QFont m_font;
    QImage m_picture;
    std::optional<BannerLook> m_look;
};

// "%d %s" of the duration lists takes its word from "FenetreTarifs.trans"
// in the interface language; "minutes" when the files give none (a missing
// file is reported).
std::string LoadMinutesWord(const common::WorkingFolder& folder, common::MessageSink& messages);

// The "Séance" box, its first row "Durée" with the duration combo and the
// price shown beside it; the window adds its own rows from row 1.
struct SessionBox {
    SessionBox(QWidget* window, const char* name, QComboBox* durations, QWidget* price);

    QGroupBox* box;
    QGridLayout* grid;
};

// "Paiement effectué", then "Imprimer" (disabled until the window has a printer),
// "Ok" and "Echap", named for the tests.
struct ReservationButtons {
    ReservationButtons(QWidget* window, const char* paidName);

    QCheckBox* paid;
    QPushButton* print;
    QPushButton* ok;
    QPushButton* cancel;
};

} // namespace tallimo::finances
