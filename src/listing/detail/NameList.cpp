#include "listing/detail/NameList.h"

#include "listing/LetterCase.h"

#include "listing/PathText.h"

#include <algorithm>

namespace quiverel {

void NameList::add(std::string_view name) {
    m_starts.push_back(m_names.size());
    m_names.append(name);
    m_names.push_back('\0');
}

void NameList::sort() {
    m_names.shrink_to_fit();
    std::sort(m_starts.begin(), m_starts.end(), [this](std::size_t a, std::size_t b) {
        const std::string_view x(m_names.c_str() + a);
        const std::string_view y(m_names.c_str() + b);
        const int folded = compareFolded(x, y);
        return folded != 0 ? folded < 0 : x < y;
    });
}

std::string_view NameList::operator[](std::size_t index) const {
    return std::string_view(m_names.c_str() + m_starts[index]);
}

} // namespace quiverel
