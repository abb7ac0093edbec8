#include "i18n/core/translatable_windows.h"

#include "i18n/core/translation_file.h"

namespace tallimo::i18n {
namespace {

constexpr TranslatableWindow kWindows[kTranslatableWindowCount] = {
    {"MenuPrincipal",
     32,
     {"Main menu", "Menu principal", "Hauptmenü", "Menu principale", "Menu principal",
      "Menú principal"}},
    {"FenetrePrincipale",
     0,
     {"Main window", "Fenêtre principale", "Hauptfenster", "Finestra principale",
      "Janela principal", "Ventana principal"}},
    {"Arborescence", 0, {"Treeview", "Arborescence", "Baumansicht", "Albero", "Árvore", "Árbol"}},
    {"FenetresArborescence",
     0,
     {"Windows of the treeview", "Fenêtres de l'arborescence", "Fenster der Baumansicht",
      "Finestre dell'albero", "Janelas da árvore", "Ventanas del árbol"}},
    {"BaseCategoriesAge",
     16,
     {"Database 'AgeCategories'", "Base données 'Catégories Age'", "Datenbank 'Alterskategorien'",
      "Database 'Categorie Età'", "Base de dados 'Categorias Idade'",
      "Base de datos 'Categorías Edad'"}},
    {"BaseCategoriesKarts",
     4,
     {"Database 'KartsCategories'", "Base données 'Catégories Karts'", "Datenbank 'Kartkategorien'",
      "Database 'Categorie Kart'", "Base de dados 'Categorias Karts'",
      "Base de datos 'Categorías Karts'"}},
    {"BasePistes",
     6,
     {"Database 'Tracks'", "Base données 'Pistes'", "Datenbank 'Rennstrecken'", "Database 'Piste'",
      "Base de dados 'Pistas'", "Base de datos 'Pistas'"}},
    {"BaseClubs",
     11,
     {"Database 'Clubs/Teams'", "Base données 'Clubs/Teams'", "Datenbank 'Vereine/Teams'",
      "Database 'Club/Squadre'", "Base de dados 'Clubes/Equipes'",
      "Base de datos 'Clubes/Equipos'"}},
    {"BaseParcKarts",
     4,
     {"Database 'Fleet of go-karts'", "Base données 'Parc de karts'", "Datenbank 'Kartflotte'",
      "Database 'Flotta go-kart'", "Base de dados 'Frota de karts'",
      "Base de datos 'Flota de karts'"}},
    {"BaseAbonnes",
     7,
     {"Database 'Subscribers'", "Base données 'Abonnés'", "Datenbank 'Abonnenten'",
      "Database 'Abbonati'", "Base de dados 'Assinantes'", "Base de datos 'Abonados'"}},
    {"BasePrenoms",
     9,
     {"Database 'First names'", "Base données 'Prénoms'", "Datenbank 'Vornamen'", "Database 'Nomi'",
      "Base de dados 'Nomes próprios'", "Base de datos 'Nombres'"}},
    {"FenetreResultats",
     0,
     {"Window 'Drivers results'", "Fenêtre 'Résultats pilotes'", "Fenster 'Fahrerergebnisse'",
      "Finestra 'Risultati piloti'", "Janela 'Resultados pilotos'",
      "Ventana 'Resultados pilotos'"}},
    {"FenetreRecords",
     0,
     {"Window 'Track records'", "Fenêtre 'Records piste'", "Fenster 'Streckenrekorde'",
      "Finestra 'Record pista'", "Janela 'Recordes pista'", "Ventana 'Récords pista'"}},
    {"FenetreTarifs",
     10,
     {"Window 'Prices'", "Fenêtre 'Tarifs'", "Fenster 'Preise'", "Finestra 'Prezzi'",
      "Janela 'Preços'", "Ventana 'Precios'"}},
    {"FenetreRemises",
     8,
     {"Window 'Discounts'", "Fenêtre 'Remises'", "Fenster 'Rabatte'", "Finestra 'Sconti'",
      "Janela 'Descontos'", "Ventana 'Descuentos'"}},
    {"FenetreFidelite",
     11,
     {"Window 'Loyalty card'", "Fenêtre 'Carte fidélité'", "Fenster 'Treuekarte'",
      "Finestra 'Carta fedeltà'", "Janela 'Cartão fidelidade'", "Ventana 'Tarjeta fidelidad'"}},
    {"FenetreEmails",
     21,
     {"Window 'Promo emails'", "Fenêtre 'Emails promos'", "Fenster 'Werbe-E-Mails'",
      "Finestra 'Email promo'", "Janela 'Emails promo'", "Ventana 'Correos promo'"}},
    {"FenetreCompta",
     0,
     {"Window 'Accounting'", "Fenêtre 'Comptabilité'", "Fenster 'Buchhaltung'",
      "Finestra 'Contabilità'", "Janela 'Contabilidade'", "Ventana 'Contabilidad'"}},
    {"FenetreTraduction",
     12,
     {"Window 'Translation'", "Fenêtre 'Traduction'", "Fenster 'Übersetzung'",
      "Finestra 'Traduzione'", "Janela 'Tradução'", "Ventana 'Traducción'"}},
    {"FenetreSons",
     0,
     {"Window 'Sounds'", "Fenêtre 'Sons'", "Fenster 'Töne'", "Finestra 'Suoni'", "Janela 'Sons'",
      "Ventana 'Sonidos'"}},
    {"FenetreAffichage",
     0,
     {"Window 'Display'", "Fenêtre 'Affichage'", "Fenster 'Anzeige'", "Finestra 'Visualizzazione'",
      "Janela 'Visualização'", "Ventana 'Visualización'"}},
    {"FenetreInterface",
     12,
     {"Window 'Interface'", "Fenêtre 'Interface'", "Fenster 'Schnittstelle'",
      "Finestra 'Interfaccia'", "Janela 'Interface'", "Ventana 'Interfaz'"}},
    {"FenetreInternet",
     0,
     {"Window 'Internet'", "Fenêtre 'Internet'", "Fenster 'Internet'", "Finestra 'Internet'",
      "Janela 'Internet'", "Ventana 'Internet'"}},
};

} // namespace

std::span<const TranslatableWindow> TranslatableWindows() {
    return kWindows;
}

const TranslatableWindow* TranslatableWindowAt(int index) {
    if (index < 0 || index >= static_cast<int>(kTranslatableWindowCount))
        return nullptr;
    return &kWindows[index];
}

int FindTranslatableWindow(std::string_view stem) {
    for (std::size_t i = 0; i < kTranslatableWindowCount; ++i)
        if (stem == kWindows[i].stem)
            return static_cast<int>(i);
    return -1;
}

std::string WindowDisplayName(int index, LanguageCode code) {
    const TranslatableWindow* window = TranslatableWindowAt(index);
    return window == nullptr ? std::string() : PickByLanguage(window->displayNames, code);
}

std::string ActiveFileName(const TranslatableWindow& window) {
    return std::string(window.stem) + std::string(kActiveExtension);
}

std::string FactoryFileName(const TranslatableWindow& window) {
    return std::string(window.stem) + std::string(kFactoryExtension);
}

} // namespace tallimo::i18n
