#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The main menu: titles on rows 0-5, then the items in command order. Rows
// that no menu item uses yet are kept for the commands still to come.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"File", "Fichier", "Datei", "File", "Ficheiro", "Archivo"},
    {"Database", "Base de données", "Datenbank", "Database", "Base de dados", "Base de datos"},
    {"Timing", "Chronos", "Zeitmessung", "Cronometraggio", "Cronometragem", "Cronometraje"},
    {"Finances", "Finances", "Finanzen", "Finanze", "Finanças", "Finanzas"},
    {"Settings", "Réglages", "Einstellungen", "Impostazioni", "Definições", "Ajustes"},
    {"?", "?", "?", "?", "?", "?"},
    // 1001-1005
    {"New session", "Nouvelle session", "Neue Sitzung", "Nuova sessione", "Nova sessão",
     "Nueva sesión"},
    {"Open session", "Ouvrir session", "Sitzung öffnen", "Apri sessione", "Abrir sessão",
     "Abrir sesión"},
    {"Save", "Enregistrer", "Speichern", "Salva", "Guardar", "Guardar"},
    {"Save as...", "Enregistrer sous...", "Speichern unter...", "Salva con nome...",
     "Guardar como...", "Guardar como..."},
    {"Quit", "Quitter", "Beenden", "Esci", "Sair", "Salir"},
    // 1011-1017
    {"Age categories", "Catégories age", "Alterskategorien", "Categorie età", "Categorias idade",
     "Categorías edad"},
    {"Go-karts categories", "Catégories karts", "Kartkategorien", "Categorie go-kart",
     "Categorias karts", "Categorías karts"},
    {"Race tracks", "Pistes", "Rennstrecken", "Piste", "Pistas", "Pistas"},
    {"Clubs/Teams", "Clubs/Teams", "Vereine/Teams", "Club/Squadre", "Clubes/Equipes",
     "Clubes/Equipos"},
    {"Go-karts fleet", "Parc de karts", "Kartflotte", "Flotta go-kart", "Frota de karts",
     "Flota de karts"},
    {"Subscribers", "Abonnés", "Abonnenten", "Abbonati", "Assinantes", "Abonados"},
    {"First names", "Prénoms", "Vornamen", "Nomi", "Nomes próprios", "Nombres"},
    // 1021-1022
    {"Drivers results", "Résultats pilotes", "Fahrerergebnisse", "Risultati piloti",
     "Resultados pilotos", "Resultados pilotos"},
    {"Track records", "Records piste", "Streckenrekorde", "Record pista", "Recordes pista",
     "Récords pista"},
    // 1031-1035
    {"Prices", "Tarifs", "Preise", "Prezzi", "Preços", "Precios"},
    {"Discounts", "Remises", "Rabatte", "Sconti", "Descontos", "Descuentos"},
    {"Loyalty card", "Carte fidélité", "Treuekarte", "Carta fedeltà", "Cartão fidelidade",
     "Tarjeta fidelidad"},
    {"Promo emails", "Emails promo", "Werbe-E-Mails", "Email promo", "Emails promo",
     "Correos promo"},
    {"Accounting", "Comptabilité", "Buchhaltung", "Contabilità", "Contabilidade", "Contabilidad"},
    // 1041-1045
    {"Translation", "Traduction", "Übersetzung", "Traduzione", "Tradução", "Traducción"},
    {"Sounds", "Sons", "Töne", "Suoni", "Sons", "Sonidos"},
    {"Display", "Affichage", "Anzeige", "Visualizzazione", "Visualização", "Visualización"},
    {"Interface", "Interface", "Schnittstelle", "Interfaccia", "Interface", "Interfaz"},
    {"Internet", "Internet", "Internet", "Internet", "Internet", "Internet"},
    // 1060-1061
    {"About", "A propos", "Über", "Informazioni", "Acerca de", "Acerca de"},
    {"Help", "Aide", "Hilfe", "Guida", "Ajuda", "Ayuda"},
};

} // namespace

std::span<const PerLanguage> MainMenuFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
