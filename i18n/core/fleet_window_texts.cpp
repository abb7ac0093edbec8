#include "i18n/core/fleet_window_texts.h"

#include "i18n/core/text_fields.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish. The Spanish pair
// differs in tense, as it always has.
constexpr PerLanguage kAdded = {"The Kart %s has been added",    "Le Kart %s a été ajouté",
                                "Der Kart %s wurde hinzugefügt", "Il Kart %s è stato aggiunto",
                                "O Kart %s foi adicionado",      "El Kart %s se añadió"};

constexpr PerLanguage kRemoved = {"The Kart %s has been removed", "Le Kart %s a été supprimé",
                                  "Der Kart %s wurde gelöscht",   "Il Kart %s è stato eliminato",
                                  "O Kart %s foi suprimido",      "El Kart %s fue borrado"};

constexpr PerLanguage kCaption = {"Message",   "Message",  "Nachricht",
                                  "Messaggio", "Mensagem", "Mensaje"};

} // namespace

std::string KartAddedFormat(LanguageCode code) {
    return PickByLanguage(kAdded, code);
}

std::string KartRemovedFormat(LanguageCode code) {
    return PickByLanguage(kRemoved, code);
}

std::string KartAddedText(LanguageCode code, std::string_view kartLabel) {
    return FillTextField(KartAddedFormat(code), "%s", kartLabel);
}

std::string KartRemovedText(LanguageCode code, std::string_view kartLabel) {
    return FillTextField(KartRemovedFormat(code), "%s", kartLabel);
}

std::string FleetMessageCaption(LanguageCode code) {
    return PickByLanguage(kCaption, code);
}

} // namespace tallimo::i18n
