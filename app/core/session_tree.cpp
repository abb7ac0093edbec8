#include "app/core/session_tree.h"

namespace tallimo::app {
namespace {

int Add(std::vector<SessionTreeItem>& items, std::string text, int value, int image, int parent,
        bool bold = false, bool expanded = false) {
    items.push_back({std::move(text), value, image, parent, bold, expanded});
    return static_cast<int>(items.size()) - 1;
}

} // namespace

std::vector<SessionTreeItem> BuildSessionTree(const session::RentalSession& session) {
    using namespace session;
    std::vector<SessionTreeItem> items;
    const int type = Add(items, "Type de session", kTreeSessionType, 0, -1, false, true);
    const int rental = Add(items, "Location", kTreeRental, 0, type, false, true);
    const int track = Add(items, "Piste", kTreeTrack, 1, rental, false, true);

    Add(items, "", kTreeSpacer, kTreeNoImage, track);
    const int broken = Add(items, "Karts en panne", kTreeBrokenDown, 8, track, false, true);
    for (int c = 0; c < kRentalCategoryCount; ++c)
        for (int k = 0; k < kKartsPerCategory; ++k) {
            const SessionKart& kart = session.kart(c, k);
            if (kart.usage == KartUsage::BrokenDown)
                Add(items, kart.kartLabel, 1001 + c * 100 + k, 8, broken);
        }

    Add(items, "", kTreeSpacer, kTreeNoImage, track);
    for (int c = 0; c < kRentalCategoryCount; ++c) {
        const SessionCategory& category = session.categories[c];
        if (category.categoryName.empty())
            continue;
        const int node = Add(items, category.categoryName, c * 100, 2 + c, track, true, true);
        for (int k = 0; k < kKartsPerCategory; ++k)
            if (category.karts[k].usage == KartUsage::InSession)
                Add(items, category.karts[k].kartLabel, c * 100 + k + 1, 2 + c, node);
    }

    Add(items, "", kTreeSpacer, kTreeNoImage, track);
    const int privateNode =
        Add(items, kPrivateCategoryName, kTreePrivateKarts, 7, track, true, true);
    for (int k = 0; k < kKartsPerCategory; ++k) {
        const SessionKart& kart = session.kart(kPrivateCategoryIndex, k);
        if (kart.usage == KartUsage::InSession)
            Add(items, kart.kartLabel, 501 + k, 7, privateNode);
    }
    return items;
}

CommandId TreeContextCommand(int itemValue) {
    switch (itemValue) {
    case kTreeSessionType:
        return CommandId::ShowBoard;
    case kTreeTrack:
        return CommandId::SessionTrack;
    case 0:
    case 100:
    case 200:
    case 300:
    case 400:
        return CommandId::CategoryKartList;
    case kTreePrivateKarts:
        return CommandId::PrivateKartList;
    default:
        return CommandId::None;
    }
}

bool TreeItemIsRentalKart(int itemValue, int& category, int& slot) {
    const int number = itemValue % 100;
    if (itemValue < 0 || itemValue >= kTreePrivateKarts || number < 1 ||
        number > session::kKartsPerCategory)
        return false;
    category = itemValue / 100;
    slot = number - 1;
    return true;
}

} // namespace tallimo::app
