#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The subscribers window. Rows 2-5 are field labels that the printouts
// follow with " :", so they carry no colon.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Database : List of subscribers", "Base de données : Liste des abonnés",
     "Datenbank : Liste der Abonnenten", "Database : Elenco degli abbonati",
     "Base de dados : Lista dos assinantes", "Base de datos : Lista de los abonados"},
    {"Subscribers (500 max)", "Abonnés (500 max)", "Abonnenten (500 max)", "Abbonati (500 max)",
     "Assinantes (500 max)", "Abonados (500 max)"},
    {"Name", "Nom", "Name", "Cognome", "Apelido", "Apellido"},
    {"First name", "Prénom", "Vorname", "Nome", "Nome próprio", "Nombre"},
    {"Date of birth", "Date de naissance", "Geburtsdatum", "Data di nascita", "Data de nascimento",
     "Fecha de nacimiento"},
    {"Club / Team", "Club / Team", "Verein / Team", "Club / Squadra", "Clube / Equipe",
     "Club / Equipo"},
    {"Print", "Imprimer", "Drucken", "Stampa", "Imprimir", "Imprimir"},
};

} // namespace

std::span<const PerLanguage> SubscribersFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
