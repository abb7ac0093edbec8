#include "emails/core/email_texts.h"

#include "common/core/date_index.h"
#include "i18n/core/email_window_texts.h"

#include <cstdio>

namespace tallimo::emails {
namespace {

constexpr i18n::PerLanguage kNoForm = {
    "No mailing form is configured: set mailing.formBase in Private/Tallimo.ini.",
    "Aucun formulaire d'envoi n'est configuré : renseignez mailing.formBase dans "
    "Private/Tallimo.ini.",
    "Kein Versandformular eingerichtet: mailing.formBase in Private/Tallimo.ini eintragen.",
    "Nessun modulo di invio configurato: impostare mailing.formBase in Private/Tallimo.ini.",
    "Nenhum formulário de envio configurado: defina mailing.formBase em Private/Tallimo.ini.",
    "Ningún formulario de envío configurado: indique mailing.formBase en Private/Tallimo.ini."};

constexpr i18n::PerLanguage kRefused = {
    "The web browser refused the address: sending stopped, the emails not handed over stay "
    "pending.",
    "Le navigateur a refusé l'adresse : l'envoi s'est arrêté, les emails non transmis restent "
    "en attente.",
    "Der Browser hat die Adresse abgelehnt: der Versand wurde beendet, nicht übergebene "
    "E-Mails bleiben ausstehend.",
    "Il browser ha rifiutato l'indirizzo: l'invio si è fermato, le email non trasmesse restano "
    "in sospeso.",
    "O navegador recusou o endereço: o envio parou, os emails não transmitidos ficam "
    "pendentes.",
    "El navegador rechazó la dirección: el envío se detuvo, los correos no entregados siguen "
    "pendientes."};

std::string Heading(const EmailGroup& group, const EmailSources& sources) {
    if (group.kind == EmailKind::Loyalty) {
        return "  " + group.name + " ( " +
               sources.loyaltyLabels.text(kLoyaltyFreeSessionRow, sources.languages.interfaceCode) +
               " ) :";
    }
    const DiscountSummary& summary = group.summary;
    return "  " + group.name + " ( " + sources.label(kLabelRentalKarts) + " -" +
           std::to_string(summary.rentalMax) + summary.unit + " " +
           sources.label(kLabelPrivateKarts) + " -" + std::to_string(summary.privateMax) +
           summary.unit + " ) :";
}

const databases::Subscriber& SubscriberOf(const EmailSources& sources,
                                          const DueRecipient& recipient) {
    return sources.subscribers[static_cast<std::size_t>(recipient.subscriber)];
}

} // namespace

std::string DueEmailsListText(const DueEmails& due, const EmailSources& sources) {
    const i18n::LanguageCode code = sources.languages.interfaceCode;
    std::string text;
    for (const EmailGroup& group : due.groups) {
        if (&group != &due.groups.front())
            text += "\r\n\r\n";
        text += Heading(group, sources);
        if (group.kind == EmailKind::Loyalty) {
            const common::DateIndex last =
                common::DateFromDayNumber(sources.balances.header.loyaltySpare);
            char date[48];
            std::snprintf(date, sizeof date, " %d / %02d / %04d", last.day + 1, last.month + 1,
                          last.year + 1900);
            text += "\r\n   - " + sources.label(kLabelLastSentOn) + date;
        }
        if (!group.due()) {
            text += "\r\n   - " + i18n::NoPendingEmailText(code);
            continue;
        }
        switch (group.kind) {
        case EmailKind::Birthday:
            for (const DueRecipient& recipient : group.recipients) {
                const databases::Subscriber& subscriber = SubscriberOf(sources, recipient);
                text += "\r\n   - " + subscriber.name + " " + subscriber.firstName;
            }
            break;
        case EmailKind::Nameday:
            for (const NamedayEntry& entry : group.namedays) {
                text += "\r\n   - " + entry.firstName + " (" + std::to_string(entry.subscribers) +
                        " " + sources.label(kLabelSubscribersWord) + ")";
            }
            break;
        case EmailKind::Event:
        case EmailKind::Loyalty:
            text += "\r\n   - " + std::to_string(group.recipients.size()) + " " +
                    sources.label(kLabelEmailsWord);
            break;
        }
    }
    return text;
}

std::string ConfirmationText(const EmailGroup& group, const EmailSources& sources) {
    const i18n::LanguageCode code = sources.languages.interfaceCode;
    std::string title;
    switch (group.kind) {
    case EmailKind::Birthday:
        title = i18n::BirthdayQuestionTitle(code);
        break;
    case EmailKind::Nameday:
        title = i18n::NamedayQuestionTitle(code);
        break;
    case EmailKind::Event:
    case EmailKind::Loyalty:
        title = group.name;
        break;
    }
    std::string text = title + " :\n";
    int shown = 0;
    for (const DueRecipient& recipient : group.recipients) {
        if (shown == kQuestionEntries) {
            text += "\n     . . . . . . .";
            break;
        }
        const databases::Subscriber& subscriber = SubscriberOf(sources, recipient);
        text += "\n   - " + subscriber.name + " " + subscriber.firstName;
        ++shown;
    }
    text += "\n\n  " + i18n::SendEmailsQuestion(code);
    return text;
}

std::string NothingToSendText(const EmailGroup& group, const EmailSources& sources) {
    return i18n::NothingToSendMessage(sources.languages.interfaceCode, group.name);
}

std::string NoMailingFormText(i18n::LanguageCode code) {
    return i18n::PickByLanguage(kNoForm, code);
}

std::string AddressRefusedText(i18n::LanguageCode code) {
    return i18n::PickByLanguage(kRefused, code);
}

} // namespace tallimo::emails
