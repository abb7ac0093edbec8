#pragma once

// The ranking of a rental session's drivers: which karts are classified,
// who drives them (team, sex and age category from the subscribers), the
// filters, the two orders and every text the window, the printout, the CSV
// export and the tool show. Plain data in, plain data out: the window and
// the tool only load files and draw.
//
// Texts are Windows-1252, as in the files, except the CSV (UTF-8).

#include "session/core/rental_session.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::session {

inline constexpr int kClassificationCapacity = kCategoryCount * kKartsPerCategory; // 180
inline constexpr int kClassificationRowsOnScreen = 18;
inline constexpr int kClassificationRowsPerPage = 30;
// What a missing lap time or best lap counts as in the orders.
inline constexpr std::int32_t kNoTimeRank = 1400000000;
inline constexpr int kAllCategories = -1; // the "Toutes" item of either list

inline constexpr const char* kAllText = "Toutes";
inline constexpr const char* kPrivateKartsText = "Karts priv\xE9s";
inline constexpr const char* kNoSexSelectedText =
    "Le sexe des pilotes n'a \xE9t\xE9 s\xE9lectionn\xE9 !";

// A subscriber as the ranking needs it; birth year and month are the
// numbers written in the record's texts (year >= 1 and month >= 0 when
// known).
struct ClassificationPerson {
    std::string name;
    std::string firstName;
    std::string club;
    int sex = 1; // 1 man, 0 woman
    int birthYear = 0;
    int birthMonth = -1;
};

struct ClassificationAgeCategory {
    std::string code; // empty: the end of the table
    std::string name;
    int sex = 1;
    int fromYear = 0;
    int fromMonth = 0;
    int toYear = 0;
    int toMonth = 0;
};

struct ClassificationEntry {
    std::string kartLabel;
    std::string driverName;
    std::string driverFirstName;
    std::string team;
    std::string kartCategory; // the session category's name, for display
    std::string ageCode;
    std::string ageCategory;
    int categoryIndex = 0;         // the session category: filters go by index
    int ageIndex = kAllCategories; // the matching age category, if any
    int sex = 1;
    int laps = 0;
    std::int32_t totalTime = 0;
    std::int32_t bestLap = 0;
    bool selected = false;
    friend bool operator==(const ClassificationEntry&, const ClassificationEntry&) = default;
};
using ClassificationTable = std::vector<ClassificationEntry>;

void ClearClassification(ClassificationTable& table);

enum class ClassificationMode { CLASSEMENTToursTemps, CLASSEMENTMeilleurTour };

// `sexFilter`: 3 both, 1 men only, 0 women only, 4 none.
inline constexpr int kSexFilterWomen = 0;
inline constexpr int kSexFilterMen = 1;
inline constexpr int kSexFilterBoth = 3;
inline constexpr int kSexFilterNone = 4;
int SexFilterOf(bool men, bool women);

// The filters as applied by "Mise à jour": indexes for matching, the
// chosen items' texts for the title.
struct ClassificationFilter {
    int kartCategory = kAllCategories; // session category index
    std::string kartCategoryText;      // empty for "Toutes"
    int ageCategory = kAllCategories;  // index in the age categories
    std::string ageCategoryText;       // "CODE (NAME)"; empty for "Toutes"
    int sexFilter = kSexFilterBoth;
};

// Every kart in the session (`usage` in session) that is timing or
// finished, categories then slots in order.
ClassificationTable BuildFullClassification(const RentalSession& session,
                                            const std::vector<ClassificationPerson>& people,
                                            const std::vector<ClassificationAgeCategory>& ages);

// Sets every row's `selected` from the filter.
void SelectRows(ClassificationTable& full, const ClassificationFilter& filter);

// In place; rows equal on every key keep their order.
void SortByLapsAndTime(ClassificationTable& table);
void SortByBestLap(ClassificationTable& table);

// The selected rows of `full` in its order, sorted by `mode`.
ClassificationTable ShownClassification(const ClassificationTable& full, ClassificationMode mode);

// Unticking on screen: every full-table row whose kart label is that of an
// unticked shown row loses its selection.
void RemoveUntickedRows(ClassificationTable& full, const ClassificationTable& shown);

// The live update: every slot of `own` with the kart's label takes its
// driver, usage, track state, laps, total time and best lap.
void ApplyLiveKart(RentalSession& own, const SessionKart& kart);

// "Classement de la séance[ : A[ / B]][ / Hommes| / Femmes]"; "Séance"
// capitalised on paper. With `sexFilter` 4 the screen shows
// kNoSexSelectedText instead (and no row): that is what the screen title
// returns then.
std::string ClassificationTitle(const ClassificationFilter& applied, bool printed);

// The kart-category items: "Toutes", the non-empty database category
// names, "Karts privés"; each with the session category index it stands for.
struct ClassificationChoice {
    std::string text;
    int index = kAllCategories;
};
std::vector<ClassificationChoice>
KartCategoryChoices(const std::array<std::string, kRentalCategoryCount>& databaseNames);
// "Toutes" and "CODE (NAME)" per age category up to the first empty code.
std::vector<ClassificationChoice>
AgeCategoryChoices(const std::vector<ClassificationAgeCategory>& ages);

// The ten texts of a shown row: rank from 1, kart, driver ("Name First."
// with the first name cut to 5 characters and a full stop when longer),
// age code, "M"/"F", team, kart category, then laps, total time and best
// lap (empty when none of the three is above 0).
using ClassificationRowTexts = std::array<std::string, 10>;
ClassificationRowTexts ClassificationRow(const ClassificationEntry& entry, int rank);
inline constexpr std::array<const char*, 10> kClassificationHeadings = {
    "Pos", "Kart", "Pilote", "Age", "Sexe", "Team", "Cat\xE9gorie", "Tours", "Temps", "Meilleur"};
// The printout leaves out the age and sex columns (3 and 4).
inline constexpr std::array<int, 8> kPrintedColumns = {0, 1, 2, 5, 6, 7, 8, 9};

// The printout: 30 rows a page under the heading, the printed title,
// "Piste : %s", the date line and the eight column headings; "Page %d /%d"
// at the foot. No page when no row is shown.
inline constexpr const char* kClassificationPrintedHeading = "Classement s\xE9"
                                                             "ance de location";
using ClassificationPrintedRow = std::array<std::string, kPrintedColumns.size()>;
struct ClassificationPrintedPage {
    int number = 1; // from 1
    int count = 1;
    std::vector<ClassificationPrintedRow> rows;
};
std::vector<ClassificationPrintedPage> ClassificationPages(const ClassificationTable& shown);
std::string PageNumberText(int number, int count); // "Page %d /%d"

// The scroll bar shows beyond 18 rows; its range is 0 ... rows - 18.
int ClassificationScrollRange(int rows);

// The shown ranking as CSV: UTF-8, a header row with the ten headings,
// one row per driver, fields quoted when they hold a comma, a quote or a
// line break. It starts with a UTF-8 byte order mark and ends its lines
// with CR LF, as spreadsheets read it.
std::string ClassificationCsv(const ClassificationTable& shown);

} // namespace tallimo::session
