#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The kart categories window; its buttons come from the common vocabulary.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Database : List of go-karts categories", "Base de données : Liste des catégories de karts",
     "Datenbank : Liste der Kartkategorien", "Database : Elenco delle categorie di go-kart",
     "Base de dados : Lista das categorias de karts",
     "Base de datos : Lista de las categorías de karts"},
    {"Categories (5 max)", "Catégories (5 max)", "Kategorien (5 max)", "Categorie (5 max)",
     "Categorias (5 max)", "Categorías (5 max)"},
    {"Quick description :", "Rapide description :", "Kurzbeschreibung :", "Breve descrizione :",
     "Descrição rápida :", "Descripción breve :"},
    {"Features :", "Caractéristiques :", "Merkmale :", "Caratteristiche :", "Características :",
     "Características :"},
};

} // namespace

std::span<const PerLanguage> KartCategoriesFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
