#pragma once

// A working folder for the session windows: a kart categories database with
// the fleet of "Adultes", the session built from it with a few karts in
// use, and the dialogs answered from a script.

#include "databases/core/kart_categories_file.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/support/gui/modal_window.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tallimo::session {

class SessionWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::EnsureApplication(); }

    // K1 free, K2 out of the session, K3 broken down, K4 reserved, K5 timing;
    // KP1 free, KP2 timing.
    void writeFleetAndSession(int selectedTreeItem) {
        databases::CategoryTable categories;
        databases::ClearCategories(categories);
        categories[0].name = "Adultes";
        for (int k = 0; k < 5; ++k) {
            categories[0].karts[k].kartId = KartLabelFor(0, k);
            categories[0].karts[k].transponder = "00010" + std::to_string(k + 1);
        }
        ASSERT_TRUE(databases::SaveCategoriesDatabase(root, categories, ignoredMessages));

        BuildSessionFromFleet(*session, databases::FleetLayoutFromCategories(categories));
        setKart(0, 0, KartUsage::InSession, TrackState::Free, "");
        setKart(0, 2, KartUsage::BrokenDown, TrackState::Finished, "");
        setKart(0, 3, KartUsage::InSession, TrackState::Reserved, "Durand");
        setKart(0, 4, KartUsage::InSession, TrackState::Timing, "Martin");
        setKart(kPrivateCategoryIndex, 0, KartUsage::InSession, TrackState::Free, "");
        setKart(kPrivateCategoryIndex, 1, KartUsage::InSession, TrackState::Timing, "Petit");
        header.selectedTreeItem = selectedTreeItem;
        header.trackName = "Piste nord";
        header.minLapSeconds = 7;
        saveSession();
    }

    void setKart(int category, int slot, KartUsage usage, TrackState trackState,
                 const char* driver) {
        SessionKart& kart = session->kart(category, slot);
        kart.usage = usage;
        kart.trackState = trackState;
        kart.driverName = driver;
    }

    void saveSession() { ASSERT_TRUE(SaveSessionFile(root, *session, header)); }

    // The session as the window left it in the file.
    std::unique_ptr<RentalSession> savedSession(SessionHeader* savedHeader = nullptr) const {
        auto saved = std::make_unique<RentalSession>();
        SessionHeader readHeader;
        EXPECT_TRUE(LoadSessionFile(root, *saved, readHeader));
        if (savedHeader != nullptr)
            *savedHeader = readHeader;
        return saved;
    }

    std::string sessionBytes() const { return folder.read(kSessionFileName); }

    template <typename T> static T* child(const QWidget& window, const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    struct IgnoredMessages final : common::MessageSink {
        void show(const std::string&, const std::string&) override {}
    };

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::ScriptedDialogs dialogs;
    IgnoredMessages ignoredMessages;
    std::unique_ptr<RentalSession> session = std::make_unique<RentalSession>();
    SessionHeader header;
};

} // namespace tallimo::session
