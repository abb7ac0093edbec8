#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The promotional e-mails window: rows 0-8 label the club's contact details,
// 9-11 the list and its two buttons, 12-19 the words of the list of due
// e-mails.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Club name :", "Nom club :", "Vereinsname :", "Nome club :", "Nome do clube :",
     "Nombre del club :"},
    {"Email :", "Email :", "E-Mail :", "Email :", "Email :", "Correo :"},
    {"Telephone :", "Téléphone :", "Telefon :", "Telefono :", "Telefone :", "Teléfono :"},
    {"Website :", "Site web :", "Website :", "Sito web :", "Site web :", "Sitio web :"},
    {"Address :", "Adresse :", "Adresse :", "Indirizzo :", "Morada :", "Dirección :"},
    {"(Address2)", "(Adresse2)", "(Adresse2)", "(Indirizzo2)", "(Morada2)", "(Dirección2)"},
    {"Postal code :", "Code Postal :", "Postleitzahl :", "CAP :", "Código postal :",
     "Código postal :"},
    {"Town :", "Ville :", "Ort :", "Città :", "Localidade :", "Ciudad :"},
    {"Country :", "Pays :", "Land :", "Paese :", "País :", "País :"},
    {"Emails to send", "Emails à envoyer", "Zu sendende E-Mails", "Email da inviare",
     "Emails a enviar", "Correos por enviar"},
    {"View emails", "Vue Emails", "E-Mails ansehen", "Vedi email", "Ver emails", "Ver correos"},
    {"Send emails", "Envoi Emails", "E-Mails senden", "Invia email", "Enviar emails",
     "Enviar correos"},
    {"Birthdays", "Anniversaires", "Geburtstage", "Compleanni", "Aniversários", "Cumpleaños"},
    {"Namedays", "Fêtes prénoms", "Namenstage", "Onomastici", "Dias onomásticos", "Onomásticas"},
    {"Rental karts", "Karts location", "Leihkarts", "Kart noleggio", "Karts aluguer",
     "Karts alquiler"},
    {"Private karts", "Karts privés", "Privatkarts", "Kart privati", "Karts privados",
     "Karts privados"},
    {"subscribers", "abonnés", "Abonnenten", "abbonati", "assinantes", "abonados"},
    {"emails", "emails", "E-Mails", "email", "emails", "correos"},
    {"Loyalty card", "Carte fidélité", "Treuekarte", "Carta fedeltà", "Cartão fidelidade",
     "Tarjeta fidelidad"},
    {"last email sent on", "dernier email envoyé le", "letzte E-Mail gesendet am",
     "ultima email inviata il", "último email enviado em", "último correo enviado el"},
    {"Club details", "Coordonnées du club", "Vereinsdaten", "Dati del club", "Dados do clube",
     "Datos del club"},
};

} // namespace

std::span<const PerLanguage> EmailsFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
