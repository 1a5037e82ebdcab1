#include "document/StyleConversion.h"

#include <charconv>

#include "platform/Utf8.h"

namespace tabulo {

namespace {

bool KnownCode(int code) {
    return code >= kBoldOn && code <= kTextColor;
}

// Sets the wanted value of a conversion on a style. The text colour conversion changes only the
// colour: the background stays.
void ApplyWanted(TextStyle& s, const StyleConversion& c) {
    switch (c.code) {
        case kBoldOn:
            s.bold = true;
            break;
        case kItalicOn:
            s.italic = true;
            break;
        case kUnderlineOn:
            s.underline = true;
            break;
        case kBoldOff:
            s.bold = false;
            break;
        case kItalicOff:
            s.italic = false;
            break;
        case kUnderlineOff:
            s.underline = false;
            break;
        case kFontName:
            s.fontName = c.fontName;
            break;
        case kWholeFont:
            s.SetFont(c.font);
            break;
        case kFontSize:
            s.size = c.size;
            break;
        case kTextColor:
            s.color = c.color;
            break;
        default:
            break;
    }
}

// Whether a style has the wanted value. For a colour that is the colour and a background of 0
// (black), so text without a background never has it.
bool HasWanted(const TextStyle& s, const StyleConversion& c) {
    switch (c.code) {
        case kBoldOn:
            return s.bold;
        case kItalicOn:
            return s.italic;
        case kUnderlineOn:
            return s.underline;
        case kBoldOff:
            return !s.bold;
        case kItalicOff:
            return !s.italic;
        case kUnderlineOff:
            return !s.underline;
        case kFontName:
            return s.fontName == c.fontName;
        case kWholeFont:
            return s.Font() == c.font;
        case kFontSize:
            return s.size == c.size;
        case kTextColor:
            return s.color == c.color && s.backColor == kColorBlack;
        default:
            return true;
    }
}

// Equal in every property the conversion does not set. The background is compared also for a
// colour change, so a conversion never gives text a background it did not have.
bool EqualOtherwise(const TextStyle& a, const TextStyle& b, const StyleConversion& c) {
    TextStyle x = a;
    TextStyle y = b;
    ApplyWanted(x, c);
    ApplyWanted(y, c);
    return x.SameLook(y);
}

}  // namespace

int EmphasisCode(int toggleOnCode, bool down) {
    return down ? toggleOnCode : toggleOnCode + 5;
}

int RichEdit1StyleConversion(std::vector<TextStyle>& styles, int styleNo, const StyleConversion& conversion) {
    if (!KnownCode(conversion.code) || styleNo < 0 || styleNo >= static_cast<int>(styles.size())) return styleNo;
    const TextStyle& current = styles[static_cast<std::size_t>(styleNo)];
    if (HasWanted(current, conversion)) return styleNo;
    for (std::size_t i = 0; i < styles.size(); ++i) {
        if (static_cast<int>(i) == styleNo) continue;
        if (HasWanted(styles[i], conversion) && EqualOtherwise(styles[i], current, conversion)) {
            return static_cast<int>(i);
        }
    }
    TextStyle copy = current;
    ApplyWanted(copy, conversion);
    styles.push_back(std::move(copy));
    return static_cast<int>(styles.size() - 1);
}

int ChosenSize(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // 1638 points is the largest size a font can have in RTF and in the platform's font API.
    if (error != std::errc{} || end != text.data() + text.size() || value < 1 || value > 1638) return 10;
    return value;
}

ToolRowState FollowCaret(const TextStyle& style, const std::vector<std::string>& fontNames) {
    ToolRowState state;
    for (std::size_t i = 0; i < fontNames.size(); ++i) {
        if (utf8::EqualIgnoreCase(fontNames[i], style.fontName)) {
            state.fontEntry = i;
            break;
        }
    }
    for (std::size_t i = 0; i < kFontSizes.size(); ++i) {
        if (kFontSizes[i] == style.size) state.sizeEntry = i;
    }
    state.color = style.color;
    state.bold = style.bold;
    state.italic = style.italic;
    state.underline = style.underline;
    return state;
}

}  // namespace tabulo
