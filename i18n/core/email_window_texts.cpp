#include "i18n/core/email_window_texts.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish.

// Three of the address messages are this beginning and an ending; its
// closing blank joins them.
constexpr PerLanguage kAddressStart = {
    "Error, the club email address ",          "Erreur, l'adresse Email du club ",
    "Fehler, die E-Mail-Adresse des Vereins ", "Errore, l'indirizzo email del club ",
    "Erro, o endereço de email do clube ",     "Error, la dirección de correo del club "};

constexpr PerLanguage kNotEntered = {"was not entered",        "n'a pas été saisie",
                                     "wurde nicht eingegeben", "non è stato inserito",
                                     "não foi introduzido",    "no ha sido introducida"};

// The French ending has always read "un caractères".
constexpr PerLanguage kNotOneAt = {
    "must contain one '@' character", "doit contenir un caractères '@'",
    "muss ein Zeichen '@' enthalten", "deve contenere un carattere '@'",
    "deve conter um carácter '@'",    "debe contener un carácter '@'"};

constexpr PerLanguage kNotValid = {"is not valid", "n'est pas valide", "ist nicht gültig",
                                   "non è valido", "não é válido",     "no es válida"};

constexpr PerLanguage kBadExtension = {
    "Error, club email address extension is not valid",
    "Erreur, l'extension de l'adresse Email du club n'est pas valide",
    "Fehler, die Endung der E-Mail-Adresse des Vereins ist nicht gültig",
    "Errore, l'estensione dell'indirizzo email del club non è valida",
    "Erro, a extensão do endereço de email do clube não é válida",
    "Error, la extensión de la dirección de correo del club no es válida"};

constexpr PerLanguage kNameMissing = {"Error, the club name was not entered",
                                      "Erreur, le Nom du club n'a pas été saisi",
                                      "Fehler, der Vereinsname wurde nicht eingegeben",
                                      "Errore, il nome del club non è stato inserito",
                                      "Erro, o nome do clube não foi introduzido",
                                      "Error, el nombre del club no ha sido introducido"};

constexpr PerLanguage kNoPending = {"No pending email",         "Aucun email en attente",
                                    "Keine ausstehende E-Mail", "Nessuna email in sospeso",
                                    "Nenhum email pendente",    "Ningún correo pendiente"};

constexpr PerLanguage kNoneToSend = {"No email to send",         "Aucun email à envoyer",
                                     "Keine E-Mail zu senden",   "Nessuna email da inviare",
                                     "Nenhum email para enviar", "Ningún correo por enviar"};

constexpr PerLanguage kBirthdayTitle = {"It's the birthday of",      "C'est l'anniversaire de",
                                        "Es ist der Geburtstag von", "È il compleanno di",
                                        "É o aniversário de",        "Es el cumpleaños de"};

constexpr PerLanguage kNamedayTitle = {"It's the nameday of",      "C'est la fête de",
                                       "Es ist der Namenstag von", "È l'onomastico di",
                                       "É o dia onomástico de",    "Es el onomástico de"};

// The blank before the question mark is the house typography in every
// language.
constexpr PerLanguage kSendQuestion = {
    "Do you want to send them an email ?",    "Voulez-vous leur envoyer un email ?",
    "Möchten Sie ihnen eine E-Mail senden ?", "Desidera inviare loro un'email ?",
    "Deseja enviar-lhes um email ?",          "¿Desea enviarles un correo ?"};

constexpr PerLanguage kPreviewBirthday = {
    "Example of Birthday Email", "Exemple Email Anniversaire", "Beispiel-E-Mail Geburtstag",
    "Esempio email compleanno",  "Exemplo email aniversário",  "Ejemplo correo cumpleaños"};
constexpr PerLanguage kPreviewNameday = {
    "Example of Nameday Email", "Exemple Email Fête prénom",    "Beispiel-E-Mail Namenstag",
    "Esempio email onomastico", "Exemplo email dia onomástico", "Ejemplo correo onomástico"};
constexpr PerLanguage kPreviewEvent = {"Example of Event Email",   "Exemple Email Evénement",
                                       "Beispiel-E-Mail Ereignis", "Esempio email evento",
                                       "Exemplo email evento",     "Ejemplo correo evento"};
constexpr PerLanguage kPreviewLoyalty = {"Example of Loyalty Email",   "Exemple Email Fidélité",
                                         "Beispiel-E-Mail Treuekarte", "Esempio email fedeltà",
                                         "Exemplo email fidelidade",   "Ejemplo correo fidelidad"};

} // namespace

std::string ClubEmailErrorText(ClubEmailProblem problem, LanguageCode code) {
    switch (problem) {
    case ClubEmailProblem::BadExtension:
        return PickByLanguage(kBadExtension, code);
    case ClubEmailProblem::NotOneAt:
        return PickByLanguage(kAddressStart, code) + PickByLanguage(kNotOneAt, code);
    case ClubEmailProblem::Malformed:
        return PickByLanguage(kAddressStart, code) + PickByLanguage(kNotValid, code);
    case ClubEmailProblem::Missing:
        break;
    }
    return PickByLanguage(kAddressStart, code) + PickByLanguage(kNotEntered, code);
}

std::string ClubNameMissingText(LanguageCode code) {
    return PickByLanguage(kNameMissing, code);
}

std::string NoPendingEmailText(LanguageCode code) {
    return PickByLanguage(kNoPending, code);
}

std::string NoEmailToSendText(LanguageCode code) {
    return PickByLanguage(kNoneToSend, code);
}

std::string NothingToSendMessage(LanguageCode code, std::string_view groupName) {
    std::string text(groupName);
    text += " : ";
    text += NoEmailToSendText(code);
    text += " !";
    return text;
}

std::string BirthdayQuestionTitle(LanguageCode code) {
    return PickByLanguage(kBirthdayTitle, code);
}

std::string NamedayQuestionTitle(LanguageCode code) {
    return PickByLanguage(kNamedayTitle, code);
}

std::string SendEmailsQuestion(LanguageCode code) {
    return PickByLanguage(kSendQuestion, code);
}

std::string EmailPreviewMenuItem(EmailPreview preview, LanguageCode code) {
    switch (preview) {
    case EmailPreview::Nameday:
        return PickByLanguage(kPreviewNameday, code);
    case EmailPreview::Event:
        return PickByLanguage(kPreviewEvent, code);
    case EmailPreview::Loyalty:
        return PickByLanguage(kPreviewLoyalty, code);
    case EmailPreview::Birthday:
        break;
    }
    return PickByLanguage(kPreviewBirthday, code);
}

} // namespace tallimo::i18n
