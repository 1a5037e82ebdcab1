#include "engine/FilterMasks.h"

#include "platform/Utf8.h"

namespace tabulo {

std::vector<std::string> GetUserExtension(std::string_view filter) {
    std::vector<std::string> masks;
    std::string text(filter);
    while (!text.empty()) {
        const auto semicolon = text.find(';');
        if (semicolon == std::string::npos) {
            masks.push_back(utf8::ToUpper(text));
            break;
        }
        masks.push_back(utf8::ToUpper(std::string_view(text).substr(0, semicolon)));
        text = std::string(utf8::FirstChars(std::string_view(text).substr(semicolon + 1), 99));
    }
    return masks;
}

bool WildcardMatch(std::string_view name, std::string_view mask) {
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            n += utf8::CharLength(name, n);
            ++m;
        } else if (m < mask.size()) {
            const std::size_t nl = utf8::CharLength(name, n);
            const std::size_t ml = utf8::CharLength(mask, m);
            if (nl == ml && name.compare(n, nl, mask.substr(m, ml)) == 0) {
                n += nl;
                m += ml;
            } else if (starMask != std::string_view::npos) {
                m = starMask;
                n = starName += utf8::CharLength(name, starName);
            } else {
                return false;
            }
        } else if (starMask != std::string_view::npos) {
            m = starMask;
            n = starName += utf8::CharLength(name, starName);
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

FileMask::FileMask(std::string_view mask) : upper_(utf8::ToUpper(mask)) {
    matchesAll_ = upper_ == "*.*" || upper_ == "*";
}

bool FileMask::Matches(std::string_view name) const {
    if (matchesAll_) return true;
    if (upper_.empty()) return false;
    const std::string upperName = utf8::ToUpper(name);
    if (WildcardMatch(upperName, upper_)) return true;
    // "NAME.*" also stands for NAME without an extension.
    if (upper_.size() >= 2 && upper_.compare(upper_.size() - 2, 2, ".*") == 0 &&
        upperName.find('.') == std::string::npos) {
        return WildcardMatch(upperName, std::string_view(upper_).substr(0, upper_.size() - 2));
    }
    return false;
}

}  // namespace tabulo
