#include "i18n/core/track_window_texts.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish. The German and
// Spanish texts are kept as the operators have always seen them.
constexpr PerLanguage kNoRecord = {
    "No record registered for this track",           "Aucun record enregistré pour cette piste",
    "Kein rekord registriert für diese RennStrecke", "Nessun record registrato per questa pista",
    "Nenhum recorde registrado para esta pista",     "Ningún récord registrada para esta pista"};

constexpr PerLanguage kBy = {"by", "par", "von", "da", "por", "por"};

} // namespace

std::string NoTrackRecordText(LanguageCode code) {
    return PickByLanguage(kNoRecord, code);
}

std::string RecordHolderWord(LanguageCode code) {
    return PickByLanguage(kBy, code);
}

} // namespace tallimo::i18n
