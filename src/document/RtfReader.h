#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "document/Document.h"
#include "document/Styles.h"

namespace tabulo {

struct RtfContent {
    // Paragraphs whose style numbers refer to the tables given to ReadRtf; empty when the text is
    // not RTF. The text after the last paragraph mark is the last paragraph, even when empty.
    std::vector<Paragraph> paragraphs;
    std::optional<Color> background;
    std::optional<int> leftMargin;  // only in RTF that Tabulo wrote
};

// Reads RTF as Tabulo writes it and as word processors do: fonts, colours, bold, italic,
// underline, strike-out, sizes, background colours, paragraph alignment and indents, \'hh and \uN
// escapes, character and paragraph styles of the style sheet. Groups and destinations it does not
// know are skipped. A run of a named character style gets the first text style of that name and
// look, other runs the first that looks the same; a paragraph gets the style of its style sheet
// name and layout, else the first wrapping style of its layout. Styles that are missing are
// appended. Never throws for bad input.
RtfContent ReadRtf(std::string_view rtf, std::vector<TextStyle>& textStyles,
                   std::vector<ParagraphStyle>& paragraphStyles);

}  // namespace tabulo
