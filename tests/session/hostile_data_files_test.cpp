#include "databases/core/kart_categories_file.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimo::session {
namespace {

using namespace std::chrono_literals;
using testing::RecordedMessage;
using testing::RecordingMessageSink;
using testing::TemporaryFolder;

using StartupLoader = std::function<bool(const common::WorkingFolder&, common::MessageSink&)>;

struct StartupFile {
    const char* name;
    const char* relativePath;
    StartupLoader load; // true when the file was loaded
    RecordedMessage expected;
};

const StartupFile kStartupFiles[] = {
    {"the session file",
     kSessionFileName,
     [](const common::WorkingFolder& folder, common::MessageSink& messages) {
         LiveTiming live;
         return RebuildSessionAtStartup(folder, FleetLayout{}, live, messages).sessionLoaded;
     },
     {kSessionFileErrorCaption, kSessionFileErrorText}},
    {"the kart categories file",
     databases::kCategoriesFileName,
     [](const common::WorkingFolder& folder, common::MessageSink& messages) {
         databases::CategoryTable table;
         return databases::LoadCategoriesDatabase(folder, table, messages);
     },
     {databases::kCategoriesErrorCaption, databases::kCategoriesFileErrorText}},
};

// Start-up once hung for ever on a FIFO in place of a data file. The loader
// runs on a thread; should it wait on the FIFO, the FIFO's writing end is
// opened and closed so that the test fails instead of hanging.
bool LoadReleasingFifo(const StartupFile& file, const common::WorkingFolder& folder,
                       common::MessageSink& messages, const std::filesystem::path& path,
                       bool& blocked) {
    auto loaded = std::async(std::launch::async, [&] { return file.load(folder, messages); });
    blocked = false;
    while (loaded.wait_for(blocked ? 10ms : 2s) == std::future_status::timeout) {
        blocked = true;
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return loaded.get();
}

TEST(HostileDataFilesTest, StartupLoadersRefuseAFifoOrADeviceInPlaceOfTheirFile) {
    const struct {
        const char* name;
        std::function<bool(const std::filesystem::path&)> make;
    } kinds[] = {
        {"a FIFO",
         [](const std::filesystem::path& path) { return ::mkfifo(path.c_str(), 0600) == 0; }},
        {"a link to a device",
         [](const std::filesystem::path& path) {
             std::error_code error;
             std::filesystem::create_symlink("/dev/null", path, error);
             return !error;
         }},
    };
    for (const StartupFile& file : kStartupFiles) {
        for (const auto& kind : kinds) {
            SCOPED_TRACE(std::string(kind.name) + " as " + file.name);
            TemporaryFolder temporary;
            const common::WorkingFolder folder(temporary.path());
            const std::filesystem::path path = folder.path(file.relativePath);
            std::filesystem::create_directories(path.parent_path());
            ASSERT_TRUE(kind.make(path));

            RecordingMessageSink messages;
            bool blocked = false;
            EXPECT_FALSE(LoadReleasingFifo(file, folder, messages, path, blocked));
            EXPECT_FALSE(blocked);
            ASSERT_EQ(messages.messages().size(), 1U);
            EXPECT_EQ(messages.messages()[0].caption, file.expected.caption);
            EXPECT_EQ(messages.messages()[0].text, file.expected.text);
        }
    }
}

} // namespace
} // namespace tallimo::session
