#include "common/core/working_folder.h"

#include <string>
#include <string_view>

namespace tallimo::common {

std::filesystem::path WorkingFolder::path(std::string_view relative) const {
    std::filesystem::path result = m_root;
    std::size_t begin = 0;
    while (begin <= relative.size()) {
        std::size_t end = relative.find_first_of("/\\", begin);
        if (end == std::string_view::npos)
            end = relative.size();
        if (end > begin) {
            const std::string_view part = relative.substr(begin, end - begin);
            result /= std::filesystem::path(
                std::u8string(reinterpret_cast<const char8_t*>(part.data()), part.size()));
        }
        begin = end + 1;
    }
    return result;
}

} // namespace tallimo::common
