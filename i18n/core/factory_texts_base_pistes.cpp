#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The tracks window; its buttons come from the common vocabulary.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Database : List of race tracks", "Base de données : Liste des pistes",
     "Datenbank : Liste der Rennstrecken", "Database : Elenco delle piste",
     "Base de dados : Lista das pistas", "Base de datos : Lista de las pistas"},
    {"Tracks  (10 max)", "Pistes  (10 max)", "Strecken  (10 max)", "Piste  (10 max)",
     "Pistas  (10 max)", "Pistas  (10 max)"},
    {"Length :", "Développé :", "Länge :", "Lunghezza :", "Comprimento :", "Longitud :"},
    {"Soft. protection time :", "Temps de protection soft. :", "Schutzzeit Soft. :",
     "Tempo di protezione soft. :", "Tempo de proteção soft. :", "Tiempo de protección soft. :"},
    {"Best lap", "Meilleur tour", "Beste Runde", "Giro migliore", "Melhor volta", "Mejor vuelta"},
    {"Clear", "Effacer", "Löschen", "Cancella", "Apagar", "Borrar"},
};

} // namespace

std::span<const PerLanguage> TracksFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
