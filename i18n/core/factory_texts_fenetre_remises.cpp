#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The discounts window: the events list and the settings of one event.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Events (50 max)", "Evénements (50 max)", "Ereignisse (50 max)", "Eventi (50 max)",
     "Eventos (50 max)", "Eventos (50 max)"},
    {"Enable discounts", "Activer les remises", "Rabatte aktivieren", "Attiva gli sconti",
     "Ativar os descontos", "Activar los descuentos"},
    {"days before", "jours avant", "Tage vorher", "giorni prima", "dias antes", "días antes"},
    {"days after the date", "jours après la date", "Tage nach dem Datum", "giorni dopo la data",
     "dias depois da data", "días después de la fecha"},
    {"Send an email", "Envoyer un email", "E-Mail senden", "Invia un'email", "Enviar um email",
     "Enviar un correo"},
    {"days before the date", "jours avant la date", "Tage vor dem Datum", "giorni prima della data",
     "dias antes da data", "días antes de la fecha"},
    {"Discounts in", "Remises en", "Rabatte in", "Sconti in", "Descontos em", "Descuentos en"},
    {"Discount", "Remise", "Rabatt", "Sconto", "Desconto", "Descuento"},
};

} // namespace

std::span<const PerLanguage> DiscountsFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
