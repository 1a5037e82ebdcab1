#include "document/Document.h"

namespace tabulo {

std::string Paragraph::Text() const {
    std::string text;
    for (const TextRun& run : runs) text += run.text;
    return text;
}

Document::Document() : textStyles_(DefaultTextStyles()), paragraphStyles_(DefaultParagraphStyles()) {}

void Document::AppendParagraph(std::string_view text, int textStyle) {
    Paragraph p;
    p.runs.push_back(TextRun{std::string(text), textStyle});
    paragraphs_.push_back(std::move(p));
}

void Document::Clear() { paragraphs_.clear(); }

void Document::SetListingFont(const std::string& name, int size, std::uint32_t color) {
    for (int i = 0; i <= kArialBold && i < static_cast<int>(textStyles_.size()); ++i) {
        TextStyle& s = textStyles_[static_cast<std::size_t>(i)];
        s.fontName = name;
        s.size = size;
        s.color = color;
    }
}

std::string Document::PlainText(std::string_view lineBreak) const {
    std::string text;
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i > 0) text += lineBreak;
        text += paragraphs_[i].Text();
    }
    return text;
}

}  // namespace tabulo
