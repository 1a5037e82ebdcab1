#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/Styles.h"
#include "engine/OutputDocument.h"

namespace tabulo {

struct TextRun {
    std::string text;
    int style = 0;  // index into the document's text styles
};

struct Paragraph {
    std::vector<TextRun> runs;
    int paragraphStyle = 0;

    std::string Text() const;
};

// The list in memory: paragraphs of styled runs, with the style tables they refer to and the
// document's margins. The editor, the writers and the tests all read this one form.
class Document : public OutputDocument {
public:
    Document();

    void AppendParagraph(std::string_view text, int textStyle) override;
    void Clear() override;
    void SetLeftMargin(int margin) override { leftMargin_ = margin; }
    void SetListingFont(const std::string& name, int size, std::uint32_t color) override;

    const std::vector<Paragraph>& Paragraphs() const { return paragraphs_; }
    std::vector<Paragraph>& MutableParagraphs() { return paragraphs_; }
    const std::vector<TextStyle>& TextStyles() const { return textStyles_; }
    std::vector<TextStyle>& MutableTextStyles() { return textStyles_; }
    const std::vector<ParagraphStyle>& ParagraphStyles() const { return paragraphStyles_; }
    std::vector<ParagraphStyle>& MutableParagraphStyles() { return paragraphStyles_; }

    int LeftMargin() const { return leftMargin_; }
    int RightMargin() const { return rightMargin_; }
    int BottomMargin() const { return bottomMargin_; }

    // The paragraphs' texts joined by `lineBreak` (no break after the last one).
    std::string PlainText(std::string_view lineBreak = "\r\n") const;

private:
    std::vector<Paragraph> paragraphs_;
    std::vector<TextStyle> textStyles_;
    std::vector<ParagraphStyle> paragraphStyles_;
    int leftMargin_ = 15;
    int rightMargin_ = 0;
    int bottomMargin_ = 50;
};

}  // namespace tabulo
