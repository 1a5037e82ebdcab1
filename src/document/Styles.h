#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tabulo {

// Colours as 0x00BBGGRR values. A value with the top byte 0xFF names a colour of the system
// palette by its index in the low byte; kColorNone marks an unset background.
using Color = std::uint32_t;
inline constexpr Color kColorBlack = 0x000000;
inline constexpr Color kColorWhite = 0xFFFFFF;
inline constexpr Color kColorBlue = 0xFF0000;
inline constexpr Color kColorNavy = 0x800000;
inline constexpr Color kColorMaroon = 0x000080;
inline constexpr Color kColorGreen = 0x008000;
inline constexpr Color kColorWindow = 0xFF000005;      // the window background colour of the system
inline constexpr Color kColorWindowText = 0xFF000008;  // the window text colour of the system
inline constexpr Color kColorNone = 0x1FFFFFFF;        // no background colour

inline constexpr bool IsSystemColor(Color c) {
    return (c & 0xFF000000) == 0xFF000000;
}
// The RGB value (0x00BBGGRR) a colour shows as; system colours resolve to the usual light theme.
Color ResolveColor(Color c);

// A whole font, as the font dialog edits it.
struct FontInfo {
    std::string name = "Arial";
    int size = 10;  // points
    Color color = kColorWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;  // DEFAULT_CHARSET

    friend bool operator==(const FontInfo&, const FontInfo&) = default;
};

struct TextStyle {
    std::string name;
    std::string fontName = "Arial";
    int size = 10;  // points
    Color color = kColorWindowText;
    Color backColor = kColorNone;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;    // DEFAULT_CHARSET
    bool jump = false;  // hypertext jump

    FontInfo Font() const;
    void SetFont(const FontInfo& font);
    // Equal in every property that shows; the name does not count.
    bool SameLook(const TextStyle& other) const;

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

enum class Alignment { Left, Center, Right };

struct ParagraphStyle {
    std::string name;
    Alignment alignment = Alignment::Left;
    bool wrap = true;
    int leftIndent = 0;   // pixels
    int rightIndent = 0;  // pixels
    bool border = false;

    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// The ten text styles a document starts with: 0 "Normal text" to 9 "Jump 2".
std::vector<TextStyle> DefaultTextStyles();
// The four paragraph styles: 0 "Paragraph Style", 1 "Centered", 2 "Right justified", 3 "Allow
// wrap".
std::vector<ParagraphStyle> DefaultParagraphStyles();

}  // namespace tabulo
