#include "document/PageMacros.h"

namespace tabulo {

namespace {

// Replaces every "%<letter>" (either case) by `value`.
std::string ReplaceMacro(std::string_view text, char letter, std::string_view value) {
    const char lower = static_cast<char>(letter | 0x20);
    const char upper = static_cast<char>(lower & ~0x20);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == lower || text[i + 1] == upper)) {
            out += value;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string ExpandPageMacros(std::string_view text, int page, int pageCount, std::string_view dateTime) {
    std::string out = ReplaceMacro(text, 'p', std::to_string(page));
    out = ReplaceMacro(out, 't', std::to_string(pageCount));
    return ReplaceMacro(out, 'd', dateTime);
}

std::string PageDateTime(const Locale& locale, const LocalDateTime& now) {
    return locale.ShortDate(now) + " " + locale.LongTime(now);
}

TextOrigin HeaderOrigin(const PrintArea& area, int width, int height) {
    return {(area.left + area.right - width) / 2, area.top - height - 10};
}

TextOrigin FooterOrigin(const PrintArea& area, int width, int height) {
    return {(area.left + area.right - width) / 2, area.bottom - height - 10};
}

TextStyle PageTextFont(const TextStyle& normalText, const std::string& fontName, Color color, int size) {
    TextStyle font = normalText;
    font.fontName = fontName;
    font.color = color;
    font.size = size;
    return font;
}

}  // namespace tabulo
