#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The translation editor: the "apply" group (rows 0-3) and the "edit" group
// (rows 4-11).
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Apply a translation", "Appliquer une traduction", "Übersetzung anwenden",
     "Applica una traduzione", "Aplicar uma tradução", "Aplicar una traducción"},
    {"Interface language :", "Langue de l'interface :", "Sprache der Oberfläche :",
     "Lingua dell'interfaccia :", "Idioma da interface :", "Idioma de la interfaz :"},
    {"Printouts language :", "Langue des impressions :", "Sprache der Ausdrucke :",
     "Lingua delle stampe :", "Idioma das impressões :", "Idioma de las impresiones :"},
    {"Apply", "Appliquer", "Anwenden", "Applica", "Aplicar", "Aplicar"},
    {"Edit a translation", "Modifier une traduction", "Übersetzung ändern",
     "Modifica una traduzione", "Modificar uma tradução", "Modificar una traducción"},
    {"Language to edit :", "Langue à modifier :", "Zu ändernde Sprache :", "Lingua da modificare :",
     "Idioma a modificar :", "Idioma a modificar :"},
    {"Window :", "Fenêtre :", "Fenster :", "Finestra :", "Janela :", "Ventana :"},
    {"Term :", "Terme :", "Begriff :", "Termine :", "Termo :", "Término :"},
    {"Factory translation :", "Traduction d'usine :", "Werksübersetzung :",
     "Traduzione di fabbrica :", "Tradução de fábrica :", "Traducción de fábrica :"},
    {"Modified translation :", "Traduction modifiée :", "Geänderte Übersetzung :",
     "Traduzione modificata :", "Tradução modificada :", "Traducción modificada :"},
    {"Restore the factory translation", "Rétablir la traduction d'usine",
     "Werksübersetzung wiederherstellen", "Ripristina la traduzione di fabbrica",
     "Repor a tradução de fábrica", "Restablecer la traducción de fábrica"},
    {"Save the change", "Enregistrer la modification", "Änderung speichern", "Salva la modifica",
     "Guardar a alteração", "Guardar la modificación"},
};

} // namespace

std::span<const PerLanguage> TranslationEditorFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
