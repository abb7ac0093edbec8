#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The first names window: heading, the list chooser and its two lists, the
// two orders, the list label, the new-name label and the nameday label.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Database : List of first names", "Base de données : Liste des prénoms",
     "Datenbank : Liste der Vornamen", "Database : Elenco dei nomi",
     "Base de dados : Lista dos nomes próprios", "Base de datos : Lista de los nombres"},
    {"Lists of first names", "Listes de prénoms", "Vornamenlisten", "Elenchi di nomi",
     "Listas de nomes próprios", "Listas de nombres"},
    {"Subscribers First Names", "Prénoms des Abonnés", "Vornamen der Abonnenten",
     "Nomi degli abbonati", "Nomes dos assinantes", "Nombres de los abonados"},
    {"French Calendar", "Calendrier Français", "Französischer Kalender", "Calendario francese",
     "Calendário francês", "Calendario francés"},
    {"Alphabetical order", "Ordre alphabétique", "Alphabetische Reihenfolge", "Ordine alfabetico",
     "Ordem alfabética", "Orden alfabético"},
    {"Date order", "Ordre des dates", "Nach Datum", "Ordine per data", "Ordem das datas",
     "Orden por fecha"},
    {"First names (500 max)", "Prénoms (500 max)", "Vornamen (500 max)", "Nomi (500 max)",
     "Nomes (500 max)", "Nombres (500 max)"},
    {"First name", "Prénom", "Vorname", "Nome", "Nome próprio", "Nombre"},
    {"Nameday date :", "Date fête prénom :", "Namenstag :", "Data onomastico :",
     "Data do dia onomástico :", "Fecha onomástica :"},
};

} // namespace

std::span<const PerLanguage> FirstNamesFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
