#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The loyalty card window. Rows 5 and 6 complete the session lines
// ("1 Séance 10 minutes donne", "... gratuite pour").
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Enable the loyalty card", "Activer la carte de fidélité", "Treuekarte aktivieren",
     "Attiva la carta fedeltà", "Ativar o cartão fidelidade", "Activar la tarjeta de fidelidad"},
    {"Send an email for a free session every",
     "Envoyer un email en cas de séance gratuite tous les",
     "Bei einer Gratissitzung eine E-Mail senden, alle",
     "Invia un'email per una sessione gratuita ogni",
     "Enviar um email em caso de sessão gratuita a cada",
     "Enviar un correo en caso de sesión gratuita cada"},
    {"months", "mois", "Monate", "mesi", "meses", "meses"},
    {"Subscriber :", "Abonné :", "Abonnent :", "Abbonato :", "Assinante :", "Abonado :"},
    {"points earned", "points acquis", "erworbene Punkte", "punti acquisiti", "pontos adquiridos",
     "puntos adquiridos"},
    {"gives", "donne", "bietet", "dà", "dá", "da"},
    {"for free for", "gratuite pour", "kostenlos für", "gratuita per", "gratuita para",
     "gratis por"},
    {"points", "points", "Punkte", "punti", "pontos", "puntos"},
    {"Points per session", "Points par séance", "Punkte pro Sitzung", "Punti per sessione",
     "Pontos por sessão", "Puntos por sesión"},
    {"Free session", "Séance offerte", "Gratissitzung", "Sessione omaggio", "Sessão oferecida",
     "Sesión gratuita"},
    {"Print", "Imprimer", "Drucken", "Stampa", "Imprimir", "Imprimir"},
};

} // namespace

std::span<const PerLanguage> LoyaltyCardFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
