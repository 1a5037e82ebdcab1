#include "document/Styles.h"

#include <array>

namespace tabulo {

Color ResolveColor(Color c) {
    if (!IsSystemColor(c)) return c & 0xFFFFFF;
    // The default light palette, by system colour index.
    static constexpr std::array<Color, 31> kSystem = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xF0F0F0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4,
        0xC8D0D4, 0x808080, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969,
        0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0};
    const std::size_t index = c & 0xFF;
    return index < kSystem.size() ? kSystem[index] : kColorBlack;
}

FontInfo TextStyle::Font() const {
    return FontInfo{fontName, size, color, bold, italic, underline, strikeOut, charset};
}

void TextStyle::SetFont(const FontInfo& font) {
    fontName = font.name;
    size = font.size;
    color = font.color;
    bold = font.bold;
    italic = font.italic;
    underline = font.underline;
    strikeOut = font.strikeOut;
    charset = font.charset;
}

bool TextStyle::SameLook(const TextStyle& other) const {
    return Font() == other.Font() && backColor == other.backColor && jump == other.jump;
}

std::vector<TextStyle> DefaultTextStyles() {
    auto style = [](const char* name, const char* font, int size, Color color, bool bold, bool italic, bool underline,
                    bool jump) {
        TextStyle s;
        s.name = name;
        s.fontName = font;
        s.size = size;
        s.color = color;
        s.bold = bold;
        s.italic = italic;
        s.underline = underline;
        s.jump = jump;
        return s;
    };
    return {
        style("Normal text", "Courier New", 10, kColorWindowText, false, false, false, false),
        style("BoldText", "Courier New", 10, kColorWindowText, true, false, false, false),
        style("URL", "Arial", 10, kColorBlue, false, false, true, false),
        style("ArialHeading", "Arial", 14, kColorWindowText, true, false, false, false),
        style("ArialText", "Arial", 10, kColorWindowText, false, false, false, false),
        style("ArialBold", "Arial", 10, kColorWindowText, true, false, false, false),
        style("Subheading", "Arial", 10, kColorNavy, true, false, false, false),
        style("Keywords", "Arial", 10, kColorMaroon, false, true, false, false),
        style("Jump 1", "Arial", 10, kColorGreen, false, false, true, true),
        style("Jump 2", "Arial", 10, kColorGreen, false, false, true, true),
    };
}

std::vector<ParagraphStyle> DefaultParagraphStyles() {
    ParagraphStyle plain{"Paragraph Style", Alignment::Left, false, 0, 0, false};
    ParagraphStyle centered{"Centered", Alignment::Center, true, 0, 0, false};
    ParagraphStyle right{"Right justified", Alignment::Right, false, 0, 10, false};
    ParagraphStyle wrap{"Allow wrap", Alignment::Left, true, 0, 0, false};
    return {plain, centered, right, wrap};
}

}  // namespace tabulo
