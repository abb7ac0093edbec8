#include "app/assets/shipped_pictures.h"

#include "app/assets/board_pictures.h"
#include "app/assets/control_pictures.h"
#include "app/assets/kart_pictures.h"
#include "app/assets/picture_drawing.h"

#include <QPainter>

namespace tallimo::app::assets {
namespace {

const QColor kWhite(255, 255, 255);
// The face colour of dialog buttons and windows.
const QColor kButtonFace(240, 240, 240);
// The "CHRONO" banner of the reservation window.
const QColor kChronoBanner(255, 220, 0);

std::vector<PictureAsset> buildTable() {
    std::vector<PictureAsset> pictures = {
        // Drawn at 196 x 50 on the board and 50 units high on reports: twice
        // that size keeps it sharp on paper.
        {"logo.bmp", 392, 100, kWhite, drawLogo},
        {"logoBis.bmp", 240, 75, kWhite, drawTicketLogo},
        {"drapeauArrivee.bmp", 32, 32, kWhite, drawFinishFlag},
        {"transpondeur.bmp", 32, 32, kWhite, drawTransponder},
        {"warningChrono.bmp", 30, 30, kChronoBanner, drawChronoWarning},
        {"trophee.bmp", 20, 18, kWhite, drawTrophy},
        // The decoder window's indicator spot is 40 x 39.
        {"voyantRouge.bmp", 40, 39, kButtonFace, drawRedLight},
        {"voyantVert.bmp", 40, 39, kButtonFace, drawGreenLight},
        {"casevide.bmp", 16, 16, kWhite, drawEmptyBox},
        {"casecochee.bmp", 16, 16, kWhite, drawTickedBox},
        {"casebouton.bmp", 16, 16, kButtonFace, drawKeepTickedButton},
        {"impression.bmp", 32, 32, kButtonFace, drawPrinter},
        {"vueEmail.bmp", 32, 32, kButtonFace, drawViewEmails},
        {"envoiEmail.bmp", 32, 32, kButtonFace, drawSendEmails},
    };
    for (int phase = 1; phase <= 4; ++phase) {
        pictures.push_back({"voyantScanPuce" + std::to_string(phase) + ".bmp", 40, 39, kButtonFace,
                            [phase](QPainter& painter, const QRectF& rect) {
                                drawScanPhase(painter, rect, phase);
                            }});
    }
    // The categories window draws these into a 250 x 155 box.
    for (int slot = 1; slot <= kKartCategorySlots; ++slot) {
        pictures.push_back({"Kart" + std::to_string(slot) + ".bmp", 250, 155, kWhite,
                            [slot](QPainter& painter, const QRectF& rect) {
                                drawKartCategory(painter, rect, slot);
                            }});
    }
    return pictures;
}

} // namespace

const std::vector<PictureAsset>& shippedPictures() {
    static const std::vector<PictureAsset> pictures = buildTable();
    return pictures;
}

QImage renderPicture(const PictureAsset& picture) {
    QImage image = makeCanvas(picture.width, picture.height, picture.background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    picture.draw(painter, QRectF(0, 0, picture.width, picture.height));
    painter.end();
    return image;
}

} // namespace tallimo::app::assets
