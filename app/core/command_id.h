#pragma once

// The commands of the main window: its menu items, the tree's context
// commands and the translation editor. The numbers are the ones the menu
// and the translation rows have always used; they appear nowhere else.

namespace tallimo::app {

enum class CommandId : int {
    None = 0, // a menu separator, or no context command
    NewSession = 1001,
    OpenSession = 1002,
    Save = 1003,
    SaveAs = 1004,
    Quit = 1005,
    AgeCategories = 1011,
    KartCategories = 1012,
    Tracks = 1013,
    Clubs = 1014,
    Fleet = 1015,
    Subscribers = 1016,
    FirstNames = 1017,
    DriverResults = 1021,
    DriversBoard = 1022,
    Prices = 1031,
    Discounts = 1032,
    LoyaltyCard = 1033,
    PromotionalEmails = 1034,
    DecoderInterface = 1044,
    TranslationEditor = 1045,
    Help = 1061,
    // Context commands of the tree.
    ShowBoard = 1501,
    SessionTrack = 1504,
    CategoryKartList = 1511,
    PrivateKartList = 1512,
};

constexpr int CommandNumber(CommandId command) {
    return static_cast<int>(command);
}

} // namespace tallimo::app
