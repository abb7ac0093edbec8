#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The rental fleet window: heading, category label (also the group box),
// kart list label, scan button.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Rental go-karts fleet", "Parc des karts de location", "Leihkart-Flotte",
     "Flotta dei go-kart a noleggio", "Frota de karts de aluguer", "Flota de karts de alquiler"},
    {"Category :", "Catégorie :", "Kategorie :", "Categoria :", "Categoria :", "Categoría :"},
    {"Go-karts (30 max)", "Karts (30 max)", "Karts (30 max)", "Go-kart (30 max)", "Karts (30 max)",
     "Karts (30 max)"},
    {"Scan.", "Scan.", "Scan.", "Scan.", "Scan.", "Scan."},
};

} // namespace

std::span<const PerLanguage> FleetFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
