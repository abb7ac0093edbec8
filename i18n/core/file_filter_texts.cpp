#include "i18n/core/file_filter_texts.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish. "DB" and "BD" follow
// each language's word order for "database"; the German loyalty caption has
// always been written "BD".
const PerLanguage& CaptionsOf(FilteredFile file) {
    static constexpr PerLanguage kTracks = {"DB Race tracks (.bdt2)",  "BD Pistes (.bdt2)",
                                            "DB Rennstrecken (.bdt2)", "DB Piste (.bdt2)",
                                            "BD Pistas (.bdt2)",       "BD Pistas (.bdt2)"};
    static constexpr PerLanguage kKartCategories = {
        "DB Go-karts categories (.bds2)", "BD Catégories Karts (.bds2)",
        "DB Kategorien Gokarts (.bds2)",  "DB Categorie Go-kart (.bds2)",
        "BD Categorias Karts (.bds2)",    "BD Categorías Karts (.bds2)"};
    static constexpr PerLanguage kSubscribers = {"DB Subscribers (.bdp4)", "BD Abonnés (.bdp4)",
                                                 "DB Abonnenten (.bdp4)",  "DB Abbonati (.bdp4)",
                                                 "BD Assinantes (.bdp4)",  "BD Abonados (.bdp4)"};
    static constexpr PerLanguage kAgeCategories = {
        "DB Age categories (.bda2)", "BD Catégories Ages (.bda2)",  "DB Alterskategorien (.bda2)",
        "DB Categorie Età (.bda2)",  "BD Categorias Idade (.bda2)", "BD Categorías edad (.bda2)"};
    static constexpr PerLanguage kClubs = {
        "DB Clubs/Teams (.bdc2)",  "BD Clubs/Teams (.bdc2)",    "DB Vereine/Teams (.bdc2)",
        "DB Club/Squadre (.bdc2)", "BD Clubes/Equipes (.bdc2)", "BD Clubes/Equipos (.bdc2)"};
    static constexpr PerLanguage kFirstNames = {
        "DB Subscribers First Names (.bdpr2)", "BD Prénoms Abonnés (.bdpr2)",
        "DB Vornamen Abonnenten (.bdpr2)",     "DB Nomi Abbonati (.bdpr2)",
        "BD Nomes Assinantes (.bdpr2)",        "BD Nombres Abonados (.bdpr2)"};
    static constexpr PerLanguage kPrices = {"DB Prices karts (.btk2)", "BD Tarifs karts (.btk2)",
                                            "DB Preise karts (.btk2)", "DB Prezzi kart (.btk2)",
                                            "BD Precos karts (.btk2)", "BD Precios karts (.btk2)"};
    static constexpr PerLanguage kDiscounts = {
        "DB Discounts karts (.brk2)", "BD Remises karts (.brk2)",   "DB Rabatte karts (.brk2)",
        "DB Sconti kart (.brk2)",     "BD Descontos karts (.brk2)", "BD Descuentos karts (.brk2)"};
    static constexpr PerLanguage kLoyaltyCard = {
        "DB Loyalty card (.bcf2)",  "BD Carte fidélité (.bcf2)",    "BD Treuekarte (.bcf2)",
        "DB Carta fedeltà (.bcf2)", "BD Cartão fidelidade (.bcf2)", "BD Tarjeta fidelidad (.bcf2)"};
    static constexpr PerLanguage kPictures = {"Images (*.BMP; *.JPG)",  "Images (*.BMP; *.JPG)",
                                              "Bilder (*.BMP; *.JPG)",  "Immagini (*.BMP; *.JPG)",
                                              "Imagens (*.BMP; *.JPG)", "Imágenes (*.BMP; *.JPG)"};
    switch (file) {
    case FilteredFile::Tracks:
        return kTracks;
    case FilteredFile::KartCategories:
        return kKartCategories;
    case FilteredFile::Subscribers:
        return kSubscribers;
    case FilteredFile::AgeCategories:
        return kAgeCategories;
    case FilteredFile::Clubs:
        return kClubs;
    case FilteredFile::FirstNames:
        return kFirstNames;
    case FilteredFile::Prices:
        return kPrices;
    case FilteredFile::Discounts:
        return kDiscounts;
    case FilteredFile::LoyaltyCard:
        return kLoyaltyCard;
    case FilteredFile::Pictures:
        return kPictures;
    }
    return kPictures;
}

} // namespace

std::string FileFilterCaption(FilteredFile file, LanguageCode code) {
    return PickByLanguage(CaptionsOf(file), code);
}

} // namespace tallimo::i18n
