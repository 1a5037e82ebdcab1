#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Styles.h"

namespace tabulo {

// The conversion codes the text tool row raises.
enum ConversionCode : int {
    kBoldOn = 1,
    kItalicOn = 2,
    kUnderlineOn = 3,
    kFontName = 4,
    kWholeFont = 5,
    kBoldOff = 6,
    kItalicOff = 7,
    kUnderlineOff = 8,
    kFontSize = 9,
    kTextColor = 10,
};

// One wanted change of a text style: the code and the value it applies.
struct StyleConversion {
    int code = 0;
    std::string fontName;  // kFontName
    FontInfo font;         // kWholeFont
    int size = 10;         // kFontSize
    Color color = 0;       // kTextColor

    static StyleConversion Emphasis(int code) { return {code}; }
    static StyleConversion FontName(std::string name) { return {kFontName, std::move(name)}; }
    static StyleConversion WholeFont(FontInfo f) { return {kWholeFont, {}, std::move(f)}; }
    static StyleConversion Size(int points) { return {kFontSize, {}, {}, points}; }
    static StyleConversion TextColor(Color c) { return {kTextColor, {}, {}, 10, c}; }
};

// The code a Bold, Italic or Underline toggle raises for its new state.
int EmphasisCode(int toggleOnCode, bool down);

// The style that replaces style `styleNo` under `conversion`: the style itself when it already has
// the wanted value, else the first other style that has it and equals it otherwise, else a new
// copy appended to `styles` with the change applied. Any other code leaves the style unchanged.
int RichEdit1StyleConversion(std::vector<TextStyle>& styles, int styleNo, const StyleConversion& conversion);

// The sizes the size combo offers.
inline constexpr std::array<int, 9> kFontSizes = {8, 9, 10, 11, 12, 14, 16, 18, 20};

// The size the size combo's text asks for: its number, or 10 when it is no usable size.
int ChosenSize(std::string_view comboText);

// What the text tool row shows for the style at the caret.
struct ToolRowState {
    std::optional<std::size_t> fontEntry;  // index into the font names; none when absent
    std::optional<std::size_t> sizeEntry;  // index into kFontSizes; none for other sizes
    Color color = kColorWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const ToolRowState&, const ToolRowState&) = default;
};

// The tool row following the caret into text of style `style`. Shows values only: it applies no
// conversion and leaves the chosen font name and size alone.
ToolRowState FollowCaret(const TextStyle& style, const std::vector<std::string>& fontNames);

}  // namespace tabulo
