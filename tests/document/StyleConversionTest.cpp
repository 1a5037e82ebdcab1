#include <gtest/gtest.h>

#include <algorithm>

#include "Printers.h"
#include "document/Document.h"
#include "document/StyleConversion.h"

namespace tabulo {
namespace {

FontInfo FontOfStyle(int n) {
    return DefaultTextStyles()[static_cast<std::size_t>(n)].Font();
}

TEST(StyleConversion, DerivesFromTheTable) {
    FontInfo courierRed = FontOfStyle(0);
    courierRed.color = 0x0000FF;
    struct Row {
        const char* name;
        int style;
        StyleConversion conversion;
        int expected;
        std::size_t tableSize;
    };
    const Row rows[] = {
        {"bold on Normal text finds BoldText", 0, StyleConversion::Emphasis(kBoldOn), 1, 10},
        {"bold on BoldText keeps it", 1, StyleConversion::Emphasis(kBoldOn), 1, 10},
        {"bold off BoldText finds Normal text", 1, StyleConversion::Emphasis(kBoldOff), 0, 10},
        {"italic on Normal text appends a copy", 0, StyleConversion::Emphasis(kItalicOn), 10, 11},
        {"underline on ArialText appends (URL differs in colour)", 4, StyleConversion::Emphasis(kUnderlineOn), 10, 11},
        {"italic off Keywords appends", 7, StyleConversion::Emphasis(kItalicOff), 10, 11},
        {"Arial on Normal text finds ArialText", 0, StyleConversion::FontName("Arial"), 4, 10},
        {"14 points on ArialBold finds ArialHeading", 5, StyleConversion::Size(14), 3, 10},
        {"whole font of ArialBold on Normal text finds ArialBold", 0, StyleConversion::WholeFont(FontOfStyle(5)), 5,
         10},
        {"whole font it already has", 2, StyleConversion::WholeFont(FontOfStyle(2)), 2, 10},
        {"whole font nobody has appends", 0, StyleConversion::WholeFont(courierRed), 10, 11},
        {"colour always appends", 2, StyleConversion::TextColor(kColorBlue), 10, 11},
        {"unknown code leaves the style", 3, StyleConversion{11}, 3, 10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<TextStyle> styles = DefaultTextStyles();
        EXPECT_EQ(row.expected, RichEdit1StyleConversion(styles, row.style, row.conversion));
        EXPECT_EQ(row.tableSize, styles.size());
    }
}

TEST(StyleConversion, AppendedStyleIsACopyWithTheChange) {
    std::vector<TextStyle> styles = DefaultTextStyles();
    const int n = RichEdit1StyleConversion(styles, 6, StyleConversion::Emphasis(kItalicOn));
    TextStyle expected = styles[6];
    expected.italic = true;
    EXPECT_EQ(expected, styles[static_cast<std::size_t>(n)]);

    const int sized = RichEdit1StyleConversion(styles, 8, StyleConversion::Size(13));
    expected = styles[8];
    expected.size = 13;
    EXPECT_EQ(expected, styles[static_cast<std::size_t>(sized)]);  // the jump flag is copied too
}

TEST(StyleConversion, EachColourChangeAppendsAndKeepsTheBackground) {
    std::vector<TextStyle> styles = DefaultTextStyles();
    const int first = RichEdit1StyleConversion(styles, 0, StyleConversion::TextColor(0x0000FF));
    const int second = RichEdit1StyleConversion(styles, 0, StyleConversion::TextColor(0x0000FF));
    EXPECT_EQ(10, first);
    EXPECT_EQ(11, second);
    EXPECT_TRUE(styles[10].SameLook(styles[11]));
    EXPECT_EQ(kColorNone, styles[11].backColor);

    // A style with that colour on a black background is found only for text on black.
    TextStyle onBlack = styles[0];
    onBlack.color = kColorGreen;
    onBlack.backColor = kColorBlack;
    styles.push_back(onBlack);
    const int plain = RichEdit1StyleConversion(styles, 0, StyleConversion::TextColor(kColorGreen));
    EXPECT_EQ(kColorNone, styles[static_cast<std::size_t>(plain)].backColor);
    TextStyle blackBackground = styles[0];
    blackBackground.backColor = kColorBlack;
    styles.push_back(blackBackground);
    EXPECT_EQ(12, RichEdit1StyleConversion(styles, static_cast<int>(styles.size() - 1),
                                           StyleConversion::TextColor(kColorGreen)));
}

TEST(StyleConversion, PressingTwiceReturnsToTheFirstStyle) {
    Document doc;
    doc.SetListingFont("Arial", 12, kColorBlack);  // as a listing run does
    doc.AddNormalText("one two three");
    doc.Select({0, 4}, {0, 7});
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kBoldOn));
    EXPECT_EQ(kBoldText, doc.Paragraphs()[0].runs[1].style);
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kBoldOff));
    EXPECT_EQ(1u, doc.Paragraphs()[0].runs.size());
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOn));
    const int italic = doc.Paragraphs()[0].runs[1].style;
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOff));
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOn));
    EXPECT_EQ(italic, doc.Paragraphs()[0].runs[1].style);
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOff));
    EXPECT_EQ(11u, doc.TextStyles().size());
    EXPECT_EQ((std::vector<TextRun>{{"one two three", kNormalText}}), doc.Paragraphs()[0].runs);
}

TEST(StyleConversion, MixedSelectionConvertsEachStyleOnItsOwn) {
    Document doc;
    doc.AddNormalText("plain");
    doc.SetCaret({0, 5});
    doc.ApplyStyleConversion([](int) { return kArialBold; });
    doc.InsertText("BOLD");
    doc.AddNormalText("next");

    doc.Select({0, 2}, {0, 7});
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOn));
    const auto& runs = doc.Paragraphs()[0].runs;
    ASSERT_EQ(4u, runs.size());
    EXPECT_EQ((std::vector<std::string>{"pl", "ain", "BO", "LD"}),
              (std::vector<std::string>{runs[0].text, runs[1].text, runs[2].text, runs[3].text}));
    const TextStyle& italicPlain = doc.TextStyles()[static_cast<std::size_t>(runs[1].style)];
    const TextStyle& italicBold = doc.TextStyles()[static_cast<std::size_t>(runs[2].style)];
    EXPECT_TRUE(italicPlain.italic && !italicPlain.bold);
    EXPECT_EQ("Courier New", italicPlain.fontName);
    EXPECT_TRUE(italicBold.italic && italicBold.bold);
    EXPECT_EQ("Arial", italicBold.fontName);
    EXPECT_EQ(kNormalText, runs[0].style);
    EXPECT_EQ(kArialBold, runs[3].style);

    // The conversion is asked once for each distinct style of the range.
    std::vector<int> asked;
    doc.SelectAll();
    doc.ApplyStyleConversion([&](int style) {
        asked.push_back(style);
        return style;
    });
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ((std::vector<int>{kNormalText, kArialBold, runs[1].style, runs[2].style}), asked);
}

TEST(StyleConversion, NothingSelectedConvertsTheTextTypedNext) {
    Document doc;
    doc.AddNormalText("abc");
    doc.SetCaret({0, 1});
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kBoldOn));
    EXPECT_EQ(kBoldText, doc.CurrentTextStyle());
    EXPECT_EQ((std::vector<TextRun>{{"abc", 0}}), doc.Paragraphs()[0].runs);
    doc.InsertText("X");
    EXPECT_EQ((std::vector<TextRun>{{"a", 0}, {"X", kBoldText}, {"bc", 0}}), doc.Paragraphs()[0].runs);
    doc.SetCaret({0, 4});
    EXPECT_EQ(kNormalText, doc.CurrentTextStyle());  // moving the caret follows the text again
}

TEST(StyleConversion, ToolRowFollowsTheCaret) {
    TextStyle s = DefaultTextStyles()[kArialBold];
    s.size = 13;
    s.color = kColorNavy;
    const std::vector<std::string> fonts = {"Courier New", "arial", "Tahoma"};
    ToolRowState expected;
    expected.fontEntry = 1;
    expected.color = kColorNavy;
    expected.bold = true;
    EXPECT_EQ(expected, FollowCaret(s, fonts));

    s.size = 12;
    s.fontName = "Unknown Sans";
    s.italic = s.underline = true;
    expected = {std::nullopt, 4, kColorNavy, true, true, true};
    EXPECT_EQ(expected, FollowCaret(s, fonts));
}

TEST(StyleConversion, ThirteenPointTextConvertsToTheChosenTwelve) {
    Document doc;
    doc.AddNormalText("text");
    doc.SelectAll();
    doc.ApplyStyleConversion(StyleConversion::Size(13));
    EXPECT_EQ(std::nullopt,
              FollowCaret(doc.TextStyles()[static_cast<std::size_t>(doc.CurrentTextStyle())], {}).sizeEntry);
    doc.ApplyStyleConversion(StyleConversion::Size(ChosenSize("12")));
    EXPECT_EQ(12, doc.TextStyles()[static_cast<std::size_t>(doc.Paragraphs()[0].runs[0].style)].size);
}

TEST(StyleConversion, ChosenSizeReadsTheComboText) {
    const std::pair<const char*, int> rows[] = {{"12", 12},   {"13", 13}, {"", 10},   {"abc", 10},
                                                {"12pt", 10}, {"0", 10},  {"-4", 10}, {"99999", 10}};
    for (const auto& [text, size] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(size, ChosenSize(text));
    }
}

TEST(StyleConversion, EmphasisCodesFollowTheToggle) {
    EXPECT_EQ(kBoldOn, EmphasisCode(kBoldOn, true));
    EXPECT_EQ(kBoldOff, EmphasisCode(kBoldOn, false));
    EXPECT_EQ(kUnderlineOff, EmphasisCode(kUnderlineOn, false));
}

}  // namespace
}  // namespace tabulo
