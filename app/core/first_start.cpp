#include "app/core/first_start.h"

#include "app/core/display_settings.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/tracks_file.h"
#include "decoder/core/decoder_settings.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"

#include <filesystem>
#include <functional>
#include <system_error>

namespace tallimo::app {

std::vector<std::string> CreateMissingDataFiles(const common::WorkingFolder& folder)
{
    std::vector<std::string> written;
    std::error_code error;
    std::filesystem::create_directories(folder.path("Private"), error);
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
    ensure(session::kSessionFileName, [&] {
        session::LiveTiming live;
        session::BuildSessionFromFleet(live.session, session::FleetLayout{});
        return session::SaveSessionFile(folder, live.session, live.header);
    });
    ensure(decoder::kDecoderSettingsFileName,
           [&] { return decoder::SaveDecoderSettings(folder, {"COM1", 0, "Tallimo"}); });
    ensure(kDisplaySettingsFile, [&] { return SaveDisplaySettings(folder, DefaultDisplaySettings()); });
    return written;
}

} // namespace tallimo::app
