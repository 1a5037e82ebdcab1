#include "engine/OutputDocument.h"

#include <cstring>

namespace tabulo {

void OutputDocument::AddText(std::string_view text, int textStyle) {
    if (text.empty() || (std::memchr(text.data(), '\r', text.size()) == nullptr &&
                         std::memchr(text.data(), '\n', text.size()) == nullptr)) {
        AppendParagraph(text, textStyle);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        AppendParagraph(text.substr(start, i - start), textStyle);
        // CR LF and LF CR are one break each.
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
        start = i + 1;
    }
    AppendParagraph(text.substr(start), textStyle);
}

}  // namespace tabulo
