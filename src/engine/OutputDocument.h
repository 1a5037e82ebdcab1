#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tabulo {

// Text styles the listing and the welcome text write with.
enum TextStyleNumber : int {
    kNormalText = 0,
    kBoldText = 1,
    kUrlText = 2,
    kArialHeading = 3,
    kArialText = 4,
    kArialBold = 5,
};

// The sink a listing appends to: paragraphs of one text style each, paragraph style 0.
class OutputDocument {
  public:
    virtual ~OutputDocument() = default;

    void AddNormalText(std::string_view text) { AddText(text, kNormalText); }
    void AddBoldText(std::string_view text) { AddText(text, kBoldText); }
    void AddURLText(std::string_view text) { AddText(text, kUrlText); }
    void AddArialHeading(std::string_view text) { AddText(text, kArialHeading); }
    void AddArialText(std::string_view text) { AddText(text, kArialText); }
    void AddArialBold(std::string_view text) { AddText(text, kArialBold); }

    // Cuts `text` at every line break (CR LF, LF CR, CR or LF) and appends each line, empty ones
    // too, as a paragraph: "" gives one empty paragraph, a text ending in a break gives its lines
    // and one empty paragraph.
    void AddText(std::string_view text, int textStyle);

    virtual void AppendParagraph(std::string_view text, int textStyle) = 0;
    virtual void Clear() = 0;
    // Lays the document out again after additions.
    virtual void LayOut() {}
    virtual void SetLeftMargin(int /*margin*/) {}
    // Font name, size and colour (0x00BBGGRR) of text styles 0 to 5; their emphasis stays.
    virtual void SetListingFont(const std::string& /*name*/, int /*size*/, std::uint32_t /*color*/) {}
};

}  // namespace tabulo
