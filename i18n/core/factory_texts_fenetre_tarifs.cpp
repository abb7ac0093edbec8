#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The prices window. Rows 0 and 1 are the session and minutes words that the
// reservation windows, the price lists and the loyalty printouts build their
// lines with ("Séance 5 minutes"), so they stay single words.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Session", "Séance", "Sitzung", "Sessione", "Sessão", "Sesión"},
    {"minutes", "minutes", "Minuten", "minuti", "minutos", "minutos"},
    {"Go-karts category :", "Catégorie de karts :", "Kartkategorie :", "Categoria go-kart :",
     "Categoria de karts :", "Categoría de karts :"},
    {"New session : duration", "Nouvelle séance : durée", "Neue Sitzung : Dauer",
     "Nuova sessione : durata", "Nova sessão : duração", "Nueva sesión : duración"},
    {"min", "min", "Min.", "min", "min", "min"},
    {"Currency :", "Devise :", "Währung :", "Valuta :", "Moeda :", "Moneda :"},
    {"Rental karts", "Karts de location", "Leihkarts", "Kart a noleggio", "Karts de aluguer",
     "Karts de alquiler"},
    {"Private karts (track rental)", "Karts privés (location piste)", "Privatkarts (Streckenmiete)",
     "Kart privati (noleggio pista)", "Karts privados (aluguer de pista)",
     "Karts privados (alquiler de pista)"},
    {"Sessions", "Séances", "Sitzungen", "Sessioni", "Sessões", "Sesiones"},
    {"Print price list", "Imprimer les tarifs", "Preisliste drucken", "Stampa listino prezzi",
     "Imprimir tabela de preços", "Imprimir lista de precios"},
};

} // namespace

std::span<const PerLanguage> PricesFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
