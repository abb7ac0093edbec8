#pragma once

#include <string>
#include <vector>

namespace tallimo::app::assets {

// A paragraph of the guide; a bullet is drawn indented with a dot, a step
// indented with its number.
struct GuideParagraph {
    enum class Kind { Text, Bullet, Step };
    Kind kind = Kind::Text;
    std::string text; // UTF-8
};

struct GuideSection {
    std::string heading;
    std::vector<GuideParagraph> paragraphs;
};

// One printed page: the layout never lets a page run over into the next,
// so the page count is the length of this list.
struct GuidePage {
    std::string title;
    std::vector<GuideSection> sections;
};

// The operator's guide, in French, opened from the "Aide" menu.
const std::vector<GuidePage>& operatorGuidePages();

} // namespace tallimo::app::assets
