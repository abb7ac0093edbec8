#include "i18n/core/window_titles.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish.
const PerLanguage& TitlesOf(TitledWindow window) {
    static constexpr PerLanguage kTracks = {"Database Race tracks",   "Base de données Pistes",
                                            "Datenbank Rennstrecken", "Database Piste",
                                            "Base de dados Pistas",   "Base de datos Pistas"};
    static constexpr PerLanguage kKartCategories = {
        "Database Go-karts categories",      "Base de données Catégories de karts",
        "Datenbank Kategorien Gokarts",      "Database Categorie di go-kart",
        "Base de dados Categorias de karts", "Base de datos Categorías de karts"};
    static constexpr PerLanguage kFleet = {"Fleet rental go-karts",  "Parc karts de location",
                                           "Park Leihkarts",         "Flotta Go-kart da noleggio",
                                           "Frota karts de aluguer", "Flota karts de alquiler"};
    static constexpr PerLanguage kSubscribers = {
        "Database Subscribers", "Base de données Abonnés",  "Datenbank Abonnenten",
        "Database Abbonati",    "Base de dados Assinantes", "Base de datos Abonados"};
    static constexpr PerLanguage kAgeCategories = {
        "Database Age Categories",        "Base de données Catégories d'age",
        "Datenbank Alterskategorien",     "Database Categorie Età",
        "Base de dados Categorias Idade", "Base de datos Categorías Edad"};
    static constexpr PerLanguage kClubs = {
        "Database Clubs / Teams",         "Base de données Clubs / Teams",
        "Datenbank Vereine / Teams",      "Database Club / Squadre",
        "Base de dados Clubes / Equipes", "Base de datos Clubes / Equipos"};
    static constexpr PerLanguage kFirstNames = {
        "Database First names", "Base de données Prénoms",  "Datenbank Vornamen",
        "Database Cognomi",     "Base de dados Sobrenomes", "Base de datos Apellidos"};
    static constexpr PerLanguage kPrices = {"Rental Prices",     "Tarifs locations",
                                            "Preise Vermietung", "Prezzi noleggio",
                                            "Precos aluguer",    "Precios alquiler"};
    // The English title ends with a blank, as it always has.
    static constexpr PerLanguage kDiscounts = {"Rental discounts ",         "Remises locations",
                                               "Preisnachlässe Vermietung", "Sconti noleggio",
                                               "Descontos aluguer",         "Descuentos alquiler"};
    static constexpr PerLanguage kLoyaltyCard = {"Loyalty card",      "Carte fidélité",
                                                 "Treuekarte",        "Carta fedeltà",
                                                 "Cartão fidelidade", "Tarjeta fidelidad"};
    static constexpr PerLanguage kEmails = {
        "Promotional emails", "Emails promotionnels", "Werbe-E-Mails",
        "Email promozionali", "Emails promocionais",  "Correos electrónicos promocionales"};
    static constexpr PerLanguage kDecoderInterface = {
        "Decoder Interface",          "Interface décodeur",      "Schnittstelle Decoder",
        "Interfaccia decodificatore", "Interface decodificador", "Interfaz descodificador"};
    static constexpr PerLanguage kTranslationEditor = {
        "Software translation", "Traduction logiciel",  "Software-Übersetzung",
        "Traduzione software",  "Tradução do software", "Traducción del software"};
    static constexpr PerLanguage kInformationSheet = {
        "Information sheet",  "Fiche de renseignements", "Datenblatt",
        "Foglio informativo", "Ficha de informações",    "Ficha de información"};
    // The Italian title has two blanks, as it always has.
    static constexpr PerLanguage kSubscriberForm = {"Subscriber Form",      "Formulaire Abonné",
                                                    "Formular Abonnent",    "Formulario  Abbonato",
                                                    "Formulário Assinante", "Formulario Abonado"};
    static constexpr PerLanguage kLoyaltyPoints = {"Loyalty points",    "Points fidélité",
                                                   "Treuepunkte",       "Punti fedeltà",
                                                   "Pontos fidelidade", "Puntos fidelidad"};
    switch (window) {
    case TitledWindow::Tracks:
        return kTracks;
    case TitledWindow::KartCategories:
        return kKartCategories;
    case TitledWindow::Fleet:
        return kFleet;
    case TitledWindow::Subscribers:
        return kSubscribers;
    case TitledWindow::AgeCategories:
        return kAgeCategories;
    case TitledWindow::Clubs:
        return kClubs;
    case TitledWindow::FirstNames:
        return kFirstNames;
    case TitledWindow::Prices:
    case TitledWindow::PriceList: // the printout is titled as the window that opens it
        return kPrices;
    case TitledWindow::Discounts:
        return kDiscounts;
    case TitledWindow::LoyaltyCard:
        return kLoyaltyCard;
    case TitledWindow::Emails:
        return kEmails;
    case TitledWindow::DecoderInterface:
        return kDecoderInterface;
    case TitledWindow::TranslationEditor:
        return kTranslationEditor;
    case TitledWindow::InformationSheet:
        return kInformationSheet;
    case TitledWindow::SubscriberForm:
        return kSubscriberForm;
    case TitledWindow::LoyaltyPoints:
        return kLoyaltyPoints;
    }
    return kTracks;
}

} // namespace

std::string WindowTitle(TitledWindow window, LanguageCode code) {
    return PickByLanguage(TitlesOf(window), code);
}

} // namespace tallimo::i18n
