#include "app/core/first_start.h"

#include "app/core/display_settings.h"
#include "common/core/data_file.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"
#include "databases/core/country_names.h"
#include "databases/core/first_names_calendar.h"
#include "databases/core/first_names_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/tracks_file.h"
#include "decoder/core/decoder_settings.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"

#include <filesystem>
#include <functional>
#include <system_error>

namespace tallimo::app {

std::vector<std::string> CreateMissingDataFiles(const common::WorkingFolder& folder) {
    std::vector<std::string> written;
    std::error_code error;
    for (const char* sub : {"Private", "Runs", "FirstNames"})
        std::filesystem::create_directories(folder.path(sub), error);
    const auto ensure = [&](const char* name, const std::function<bool()>& write) {
        if (!std::filesystem::exists(folder.path(name), error) && write())
            written.emplace_back(name);
    };
    ensure(databases::kTracksFileName, [&] {
        databases::TrackTable tracks;
        databases::ClearTracks(tracks);
        return databases::SaveTracks(tracks, 0, folder.path(databases::kTracksFileName));
    });
    ensure(databases::kCategoriesFileName, [&] {
        databases::CategoryTable categories;
        databases::ClearCategories(categories);
        return databases::SaveCategories(categories, databases::kCategorySlots,
                                         folder.path(databases::kCategoriesFileName));
    });
    // The shipped list; an operator's own edited list is kept.
    ensure(databases::kCountriesFileName, [&] {
        return databases::SaveCountryNames(folder.path(databases::kCountriesFileName),
                                           databases::ShippedCountryNames());
    });
    ensure(databases::kCalendarFileName, [&] {
        const databases::FirstNameTable calendar = databases::ShippedFirstNameCalendar();
        return databases::SaveFirstNames(calendar, databases::CountFirstNames(calendar),
                                         folder.path(databases::kCalendarFileName));
    });
    const auto empty = [&](const char* name) {
        ensure(name, [&] { return common::WriteFileAtomically(folder.path(name), ""); });
    };
    empty(databases::kClubsFileName);
    empty(databases::kAgeCategoriesFileName);
    empty(databases::kSubscriberFirstNamesFileName);
    ensure(session::kSessionFileName, [&] {
        session::LiveTiming live;
        session::BuildSessionFromFleet(live.session, session::FleetLayout{});
        return session::SaveSessionFile(folder, live.session, live.header);
    });
    ensure(decoder::kDecoderSettingsFileName, [&] {
        return decoder::SaveDecoderSettings(folder, {"COM1", 0, "Tallimo"});
    });
    ensure(kDisplaySettingsFile,
           [&] { return SaveDisplaySettings(folder, DefaultDisplaySettings()); });
    return written;
}

} // namespace tallimo::app
