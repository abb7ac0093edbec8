#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The clubs window. Rows 2-8 are also the address labels of the subscribers
// window and its printouts, which add " :" themselves.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Database : List of clubs/teams", "Base de données : Liste des clubs/teams",
     "Datenbank : Liste der Vereine/Teams", "Database : Elenco dei club/squadre",
     "Base de dados : Lista dos clubes/equipes", "Base de datos : Lista de los clubes/equipos"},
    {"Clubs / Teams (100 max)", "Clubs / Teams (100 max)", "Vereine / Teams (100 max)",
     "Club / Squadre (100 max)", "Clubes / Equipes (100 max)", "Clubes / Equipos (100 max)"},
    {"Full name", "Nom complet", "Vollständiger Name", "Nome completo", "Nome completo",
     "Nombre completo"},
    {"Address", "Adresse", "Adresse", "Indirizzo", "Morada", "Dirección"},
    {"Postal code", "Code postal", "Postleitzahl", "CAP", "Código postal", "Código postal"},
    {"Town", "Ville", "Ort", "Città", "Localidade", "Ciudad"},
    {"Country", "Pays", "Land", "Paese", "País", "País"},
    {"Telephone", "Téléphone", "Telefon", "Telefono", "Telefone", "Teléfono"},
    {"E-mail", "E-mail", "E-Mail", "E-mail", "E-mail", "Correo electrónico"},
    {"New", "Nouveau", "Neu", "Nuovo", "Novo", "Nuevo"},
    {"Logo", "Logo", "Logo", "Logo", "Logótipo", "Logotipo"},
};

} // namespace

std::span<const PerLanguage> ClubsFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
