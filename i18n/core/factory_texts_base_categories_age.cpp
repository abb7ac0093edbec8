#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The age categories window, and the button words every database window
// borrows: rows 0-3, 6, 13, 14 and 15 are shared, so their meaning must not
// move.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Add", "Ajouter", "Hinzufügen", "Aggiungi", "Adicionar", "Añadir"},
    {"Remove", "Supprimer", "Entfernen", "Elimina", "Remover", "Eliminar"},
    {"Import", "Importer", "Importieren", "Importa", "Importar", "Importar"},
    {"Export", "Exporter", "Exportieren", "Esporta", "Exportar", "Exportar"},
    {"Database : List of age categories", "Base de données : Liste des catégories d'age",
     "Datenbank : Liste der Alterskategorien", "Database : Elenco delle categorie di età",
     "Base de dados : Lista das categorias de idade",
     "Base de datos : Lista de las categorías de edad"},
    {"Categ  (20 max)", "Catég  (20 max)", "Kateg  (20 max)", "Categ  (20 max)", "Categ  (20 max)",
     "Categ  (20 max)"},
    {"N°ID", "N°ID", "Nr.", "N°ID", "N°ID", "N°ID"},
    {"Category name :", "Nom catégorie :", "Kategoriename :", "Nome categoria :",
     "Nome da categoria :", "Nombre categoría :"},
    {"Born between :", "Né(e) entre :", "Geboren zwischen :", "Nato/a tra :", "Nascido entre :",
     "Nacido entre :"},
    {"and", "et", "und", "e", "e", "y"},
    {"Sexe :", "Sexe :", "Geschlecht :", "Sesso :", "Sexo :", "Sexo :"},
    {"Man", "Homme", "Mann", "Uomo", "Homem", "Hombre"},
    {"Woman", "Femme", "Frau", "Donna", "Mulher", "Mujer"},
    {"New", "Nouvelle", "Neu", "Nuova", "Nova", "Nueva"},
    {"Ok", "Ok", "Ok", "Ok", "Ok", "Ok"},
    {"Cancel", "Echap", "Abbrechen", "Annulla", "Cancelar", "Cancelar"},
};

} // namespace

std::span<const PerLanguage> AgeCategoriesFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
