#include "document/Styles.h"

namespace tabulo {

std::vector<TextStyle> DefaultTextStyles() {
    auto style = [](const char* name, const char* font, int size, Color color, bool bold, bool italic,
                    bool underline, bool jump) {
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
