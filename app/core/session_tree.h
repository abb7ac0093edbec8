#pragma once

// The tree on the left of the main window: the session type, the track,
// the broken-down karts, each named category with its karts in use, and the
// private karts. Item values tell the main window what was selected; the
// tree is rebuilt after every change of the karts.

#include "app/core/command_id.h"
#include "session/core/rental_session.h"

#include <string>
#include <vector>

namespace tallimo::app {

inline constexpr int kTreeSessionType = 10000;
inline constexpr int kTreeRental = 800;
inline constexpr int kTreeTrack = 900;
inline constexpr int kTreeBrokenDown = 1000;
inline constexpr int kTreePrivateKarts = 500;
inline constexpr int kTreeSpacer = 100000;
inline constexpr int kTreeNoImage = -1;

struct SessionTreeItem {
    std::string text; // Windows-1252
    int value = 0;
    int image = kTreeNoImage; // index in the tree's nine images
    int parent = -1;          // index of the parent item, -1 at the root
    bool bold = false;
    bool expanded = false;
};

std::vector<SessionTreeItem> BuildSessionTree(const session::RentalSession& session);

// The context command offered on a right click, or None.
CommandId TreeContextCommand(int itemValue);

// The kart a tree item stands for when it can be declared broken down:
// categories 0-4, kart number 1-30. False for everything else (private
// karts included).
bool TreeItemIsRentalKart(int itemValue, int& category, int& slot);

} // namespace tallimo::app
