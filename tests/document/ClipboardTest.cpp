#include <gtest/gtest.h>

#include "Printers.h"
#include "document/Clipboard.h"

namespace tabulo {
namespace {

class MemoryClipboard : public Clipboard {
  public:
    std::optional<std::string> text;
    std::optional<std::string> rtf;
    void Clear() override { text.reset(), rtf.reset(); }
    void SetText(const std::string& t) override { text = t; }
    void SetRtf(const std::string& r) override { rtf = r; }
    std::optional<std::string> Text() const override { return text; }
    std::optional<std::string> Rtf() const override { return rtf; }
};

std::vector<std::string> Lines(const Document& doc) {
    std::vector<std::string> lines;
    for (const Paragraph& p : doc.Paragraphs())
        lines.push_back(p.Text());
    return lines;
}

TEST(Clipboard, CopyAndCutNeedASelection) {
    Document doc;
    doc.AddNormalText("abc");
    MemoryClipboard clipboard;
    clipboard.text = "kept";
    EXPECT_FALSE(Copy(doc, clipboard));
    EXPECT_FALSE(CopyAsRtf(doc, clipboard));
    EXPECT_FALSE(Cut(doc, clipboard));
    EXPECT_EQ(std::optional<std::string>("kept"), clipboard.text);
}

TEST(Clipboard, CopyPutsPlainTextAndCopyAsRtfOnlyRtf) {
    Document doc;
    doc.AddNormalText("first");
    doc.AddBoldText("second");
    doc.Select({0, 2}, {1, 3});
    MemoryClipboard clipboard;
    ASSERT_TRUE(Copy(doc, clipboard));
    EXPECT_EQ(std::optional<std::string>("rst\nsec"), clipboard.text);
    EXPECT_EQ(std::nullopt, clipboard.rtf);
    ASSERT_TRUE(CopyAsRtf(doc, clipboard));
    EXPECT_EQ(std::nullopt, clipboard.text);
    ASSERT_TRUE(clipboard.rtf);
    EXPECT_EQ("{\\rtf1", clipboard.rtf->substr(0, 6));
}

TEST(Clipboard, CutMovesTheSelectionUnlessReadOnly) {
    Document doc;
    doc.AddNormalText("one two");
    doc.Select({0, 3}, {0, 7});
    MemoryClipboard clipboard;
    doc.SetReadOnly(true);
    EXPECT_FALSE(Cut(doc, clipboard));
    EXPECT_EQ(std::nullopt, clipboard.text);
    doc.SetReadOnly(false);
    EXPECT_TRUE(Cut(doc, clipboard));
    EXPECT_EQ(std::optional<std::string>(" two"), clipboard.text);
    EXPECT_EQ(std::vector<std::string>{"one"}, Lines(doc));
}

TEST(Clipboard, PasteInsertsTextInTheCurrentStyle) {
    Document doc;
    doc.AddNormalText("a-b");
    doc.Select({0, 1}, {0, 2});
    doc.ApplyStyleConversion([](int) { return kBoldText; });
    MemoryClipboard clipboard;
    EXPECT_FALSE(Paste(doc, clipboard));  // nothing on the clipboard
    clipboard.text = "1\r\n2";
    EXPECT_TRUE(Paste(doc, clipboard));
    EXPECT_EQ((std::vector<std::string>{"a1", "2b"}), Lines(doc));
    EXPECT_EQ((TextRun{"1", kBoldText}), doc.Paragraphs()[0].runs[1]);
    EXPECT_EQ((Selection{{1, 1}, {1, 1}}), doc.GetSelection());
    doc.SetReadOnly(true);
    EXPECT_FALSE(Paste(doc, clipboard));
}

TEST(Clipboard, RtfGoesFromOneDocumentToAnother) {
    Document source;
    source.AddNormalText("plain");
    source.AddBoldText("bold \xE2\x82\xAC");
    source.SelectAll();
    MemoryClipboard clipboard;
    ASSERT_TRUE(CopyAsRtf(source, clipboard));

    Document target;
    target.AddArialText("[]");
    target.SetCaret({0, 1});
    EXPECT_TRUE(PasteAsRtf(target, clipboard));
    EXPECT_EQ((std::vector<std::string>{"[plain", "bold \xE2\x82\xAC]"}), Lines(target));
    EXPECT_EQ((TextRun{"plain", kNormalText}), target.Paragraphs()[0].runs[1]);
    EXPECT_EQ((TextRun{"bold \xE2\x82\xAC", kBoldText}), target.Paragraphs()[1].runs[0]);

    clipboard.rtf.reset();
    EXPECT_FALSE(PasteAsRtf(target, clipboard));
}

}  // namespace
}  // namespace tabulo
