#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Printers.h"
#include "document/Document.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

std::string ReadFixture(const std::string& name) {
    return test::ReadFile(std::string(TABULO_TEST_DATA) + "/document/" + name);
}

std::string Hex(Color c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(c));
    return buffer;
}

std::string Describe(const TextStyle& s) {
    return s.name + "/" + s.fontName + "/" + std::to_string(s.size) + "/" + Hex(s.color) + "/" + Hex(s.backColor) +
           "/" + (s.bold ? "b" : "") + (s.italic ? "i" : "") + (s.underline ? "u" : "") + (s.strikeOut ? "s" : "") +
           "/" + std::to_string(s.charset) + (s.jump ? "/jump" : "");
}

std::string Describe(const ParagraphStyle& s) {
    return s.name + "/" + std::to_string(static_cast<int>(s.alignment)) + (s.wrap ? "/wrap/" : "/nowrap/") +
           std::to_string(s.leftIndent) + "/" + std::to_string(s.rightIndent);
}

// Every paragraph as its paragraph style followed by each run's text and text style.
std::vector<std::string> Describe(const Document& doc) {
    std::vector<std::string> lines;
    for (const Paragraph& p : doc.Paragraphs()) {
        std::string line = "[" + Describe(doc.ParagraphStyles()[static_cast<std::size_t>(p.paragraphStyle)]) + "]";
        for (const TextRun& run : p.runs) {
            line += " {" + run.text + "|" + Describe(doc.TextStyles()[static_cast<std::size_t>(run.style)]) + "}";
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Lines(const Document& doc) {
    std::vector<std::string> lines;
    for (const Paragraph& p : doc.Paragraphs())
        lines.push_back(p.Text());
    return lines;
}

const TextStyle& StyleOfRun(const Document& doc, std::size_t paragraph, std::size_t run) {
    return doc.TextStyles()[static_cast<std::size_t>(doc.Paragraphs()[paragraph].runs[run].style)];
}

const ParagraphStyle& StyleOfParagraph(const Document& doc, std::size_t paragraph) {
    return doc.ParagraphStyles()[static_cast<std::size_t>(doc.Paragraphs()[paragraph].paragraphStyle)];
}

// A list with a heading, header lines, special and non-ASCII text, empty paragraphs, every
// paragraph style and styles made by conversions.
void FillStyledList(Document& doc) {
    doc.SetListingFont("Courier New", 9, kColorBlack);
    doc.SetLeftMargin(25);
    doc.SetBackgroundColor(0xC0FFC0);
    doc.AddArialHeading("Tabulo Pro 3.3");
    doc.AddBoldText("Folder: /home/j\xC3\xBCrgen");
    doc.AddNormalText("back\\slash {braces} caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\ttab");
    doc.AddNormalText("");
    doc.AddBoldText("");
    doc.AddURLText("http://example.com/");
    doc.AddNormalText("italic red strike shaded jump");
    doc.Select({6, 0}, {6, 6});
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOn));
    doc.Select({6, 7}, {6, 10});
    doc.ApplyStyleConversion(StyleConversion::TextColor(0x0000FF));
    TextStyle struck = doc.TextStyles()[0];
    struck.strikeOut = true;
    const int strike = doc.AppendTextStyle(struck);
    TextStyle shaded = doc.TextStyles()[0];
    shaded.backColor = 0x00FFFF;
    const int shade = doc.AppendTextStyle(shaded);
    doc.ConvertRange({{6, 11}, {6, 17}}, [strike](int) { return strike; });
    doc.ConvertRange({{6, 18}, {6, 24}}, [shade](int) { return shade; });
    doc.ConvertRange({{6, 25}, {6, 29}}, [](int) { return 9; });  // "Jump 2"
    doc.SetCaret(doc.End());
    doc.InsertFragmentAtSelection({Paragraph{{}, 0}, Paragraph{{{"centred", kArialText}}, 1},
                                   Paragraph{{{"right", kArialText}}, 2}, Paragraph{{{"wrapping", kArialText}}, 3},
                                   Paragraph{{{"last", kNormalText}}, 0}});
}

TEST(Rtf, RoundTripKeepsTextStylesAndLayout) {
    Document source;
    FillStyledList(source);
    Document read;
    read.LoadRtf(RtfText(source));
    EXPECT_EQ(Describe(source), Describe(read));
    EXPECT_EQ(25, read.LeftMargin());
    EXPECT_EQ(Color{0xC0FFC0}, read.BackgroundColor());
}

TEST(Rtf, RoundTripIntoEqualTablesKeepsStyleNumbers) {
    Document source;
    FillStyledList(source);
    Document target;
    target.SetListingFont("Courier New", 9, kColorBlack);
    target.SetLeftMargin(25);
    target.PasteRtf(RtfText(source));
    EXPECT_EQ(source.Paragraphs(), target.Paragraphs());  // "Jump 2" and "ArialText" included
    EXPECT_EQ(source.TextStyles(), target.TextStyles());
}

TEST(Rtf, WriterEscapesText) {
    const std::pair<const char*, const char*> rows[] = {
        {"a\\b{c}", "a\\\\b\\{c\\}"},
        {"caf\xC3\xA9", "caf\\u233?"},
        {"\xE2\x82\xAC", "\\u8364?"},
        {"\xEF\xBF\xBD", "\\u-3?"},
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
        {"a\tb", "a\\tab b"},
        {"\x01", "\\'01"},
        {"bad \xFF byte", "bad \\'ff byte"},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(expected);
        Document doc;
        doc.AddNormalText(text);
        const std::string rtf = RtfText(doc);
        EXPECT_NE(std::string::npos, rtf.find(std::string(" ") + expected + "}")) << rtf;
    }
}

TEST(Rtf, WritesOnlyTheRangeForTheClipboard) {
    Document doc;
    doc.AddNormalText("first line");
    doc.AddBoldText("second line");
    Document read;
    read.LoadRtf(RtfText(doc, {{0, 6}, {1, 6}}));
    EXPECT_EQ((std::vector<std::string>{"line", "second"}), Lines(read));
    EXPECT_EQ(kBoldText, read.Paragraphs()[1].runs[0].style);

    // A range that starts at the end of a paragraph brings no style of its own.
    Document target;
    target.PasteRtf(RtfText(doc, {{0, 10}, {1, 6}}));
    EXPECT_EQ((std::vector<std::string>{"", "second"}), Lines(target));
    EXPECT_EQ(DefaultTextStyles().size(), target.TextStyles().size());
}

TEST(Rtf, ReadsCommonRtf) {
    struct Row {
        const char* name;
        std::string rtf;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"code page escapes", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80})", {"caf\xC3\xA9 \xE2\x82\xAC"}},
        {"font character set",
         R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}}\f1 \'cf\'f0\'e8 \f0\'e9})",
         {"\xD0\x9F\xD1\x80\xD0\xB8 \xC3\xA9"}},
        {"unicode with fallback",
         R"({\rtf1 \u20013\'3f\uc2\u25991 ab\uc0\u8364 x})",
         {"\xE4\xB8\xAD\xE6\x96\x87\xE2\x82\xAC"
          "x"}},
        {"surrogate pair", R"({\rtf1\uc0 \u-10179\u-8704 !})", {"\xF0\x9F\x98\x80!"}},
        {"skipped destinations",
         R"({\rtf1{\info{\title T}}{\*\unknown x}{\pict\pngblip 89504e47}A{\header H}B{\footnote F}C})",
         {"ABC"}},
        {"field result",
         R"({\rtf1 see {\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt here}} now})",
         {"see here now"}},
        {"breaks", "{\\rtf1 a\\par b\\line c\\\nd\\sect e}", {"a", "b", "c", "d", "e"}},
        {"symbols",
         R"({\rtf1 a\tab b\~c\emdash d\lquote e\rquote\ldblquote f\rdblquote\bullet\-g})",
         {"a\tb\xC2\xA0"
          "c\xE2\x80\x94"
          "d\xE2\x80\x98"
          "e\xE2\x80\x99\xE2\x80\x9C"
          "f\xE2\x80\x9D\xE2\x80\xA2g"}},
        {"binary data", "{\\rtf1 a{\\*\\blob\\bin3 }{\\}b}", {"ab"}},
        {"table cells", R"({\rtf1\trowd\cellx1000\cellx2000 A\cell B\cell\row after})", {"A\tB", "after"}},
        {"trailing paragraph mark", R"({\rtf1 line\par })", {"line", ""}},
        {"truncated input", R"({\rtf1 {\b bold)", {"bold"}},
        {"not RTF", "plain text", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<TextStyle> textStyles = DefaultTextStyles();
        std::vector<ParagraphStyle> paragraphStyles = DefaultParagraphStyles();
        const RtfContent content = ReadRtf(row.rtf, textStyles, paragraphStyles);
        std::vector<std::string> lines;
        for (const Paragraph& p : content.paragraphs)
            lines.push_back(p.Text());
        EXPECT_EQ(row.lines, lines);
    }
}

TEST(Rtf, ReadsWordProcessorFormatting) {
    Document doc;
    doc.LoadRtf(R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}}
{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\pard\qc\li720\ri360 {\f1\fs28\b Title}\par
\pard\plain {\i it}{\ul un}{\strike st}{\cf1 red}{\highlight2 hi}{\ulnone plain}\par
\pard\qr\fs20 right})");
    EXPECT_EQ((std::vector<std::string>{"Title", "itunstredhiplain", "right"}), Lines(doc));

    EXPECT_EQ("Imported paragraph/1/wrap/48/24", Describe(StyleOfParagraph(doc, 0)));
    EXPECT_EQ("Allow wrap", StyleOfParagraph(doc, 1).name);
    EXPECT_EQ(Alignment::Right, StyleOfParagraph(doc, 2).alignment);

    EXPECT_EQ(kArialHeading, doc.Paragraphs()[0].runs[0].style);  // a style that looks the same
    EXPECT_TRUE(StyleOfRun(doc, 1, 0).italic);
    EXPECT_TRUE(StyleOfRun(doc, 1, 1).underline);
    EXPECT_TRUE(StyleOfRun(doc, 1, 2).strikeOut);
    EXPECT_EQ(Color{0x0000FF}, StyleOfRun(doc, 1, 3).color);
    EXPECT_EQ(Color{0xFF0000}, StyleOfRun(doc, 1, 4).backColor);
    EXPECT_EQ("Times New Roman", StyleOfRun(doc, 1, 5).fontName);
    EXPECT_EQ(12, StyleOfRun(doc, 1, 5).size);
    EXPECT_EQ(10, StyleOfRun(doc, 2, 0).size);
}

TEST(Rtf, ReadsLibreOfficeOutput) {
    Document doc;
    doc.LoadRtf(ReadFixture("libreoffice.rtf"));
    const std::vector<std::string> expected = {"Plain line with caf\xC3\xA9 and \xE6\x97\xA5\xE6\x9C\xAC",
                                               "Bold italic under strike",
                                               "Red centred",
                                               "Yellow right \xF0\x9F\x98\x80",
                                               "Braces {x} and back\\slash",
                                               ""};
    EXPECT_EQ(expected, Lines(doc));
    EXPECT_TRUE(StyleOfRun(doc, 1, 0).bold);
    EXPECT_EQ("Bold", doc.Paragraphs()[1].runs[0].text);
    EXPECT_TRUE(StyleOfRun(doc, 1, 2).italic);
    EXPECT_TRUE(StyleOfRun(doc, 1, 4).underline);
    EXPECT_TRUE(StyleOfRun(doc, 1, 6).strikeOut);
    EXPECT_EQ("Courier New", StyleOfRun(doc, 2, 0).fontName);
    EXPECT_EQ(Color{0x0000FF}, StyleOfRun(doc, 2, 0).color);
    EXPECT_EQ(Alignment::Center, StyleOfParagraph(doc, 2).alignment);
    EXPECT_EQ(Color{0x00FFFF}, StyleOfRun(doc, 3, 0).backColor);
    EXPECT_EQ(Alignment::Right, StyleOfParagraph(doc, 3).alignment);
}

// Every prefix of a document (what a broken clipboard or file may hold) reads without harm and
// gives paragraphs that keep the document's rules.
TEST(Rtf, ReadsEveryPrefixSafely) {
    Document styled;
    FillStyledList(styled);
    const std::string sources[] = {ReadFixture("libreoffice.rtf"), RtfText(styled),
                                   "{\\rtf1" + std::string(5000, '{') + "deep", "{\\rtf1 \\u-99999999 \\bin999999999"};
    for (const std::string& source : sources) {
        for (std::size_t n = 0; n <= source.size(); n += 1 + n / 64) {
            std::vector<TextStyle> textStyles = DefaultTextStyles();
            std::vector<ParagraphStyle> paragraphStyles = DefaultParagraphStyles();
            const RtfContent content = ReadRtf(std::string_view(source).substr(0, n), textStyles, paragraphStyles);
            for (const Paragraph& p : content.paragraphs) {
                ASSERT_FALSE(p.runs.empty()) << n;
                ASSERT_LT(static_cast<std::size_t>(p.paragraphStyle), paragraphStyles.size());
                for (const TextRun& run : p.runs)
                    ASSERT_LT(static_cast<std::size_t>(run.style), textStyles.size());
            }
        }
    }
}

TEST(Rtf, PastingAppendsOnlyTheStylesItNeeds) {
    Document source;
    source.AddNormalText("plain");
    source.SelectAll();
    source.ApplyStyleConversion(StyleConversion::Size(15));
    const std::string rtf = RtfText(source);

    Document target;
    target.AddNormalText("ab");
    target.SetCaret({0, 1});
    target.PasteRtf(rtf);
    const std::size_t styles = target.TextStyles().size();
    EXPECT_EQ(11u, styles);
    target.PasteRtf(rtf);
    EXPECT_EQ(styles, target.TextStyles().size());
    EXPECT_EQ((std::vector<TextRun>{{"a", 0}, {"plainplain", 10}, {"b", 0}}), target.Paragraphs()[0].runs);
    EXPECT_EQ((Selection{{0, 11}, {0, 11}}), target.GetSelection());
}

}  // namespace
}  // namespace tabulo
